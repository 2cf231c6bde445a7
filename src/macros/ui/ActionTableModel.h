// ActionTableModel.h - the action list of the macro page: one row per macro
// action with three columns (key name, direction, pause in ms), and the rule
// by which new actions are inserted.
//
// Each action's pause is the pause after it. An inserted action takes the
// pause that the row before it had, and that row takes the new action's
// pause, so a recorded pause always lands between the two keystrokes it
// separated.
//
// A press that no later release of the same key follows is marked: the
// keyboard plays macros on its own, and such a macro leaves the key held.
#pragma once

#include <QAbstractTableModel>
#include <vector>

#include "MacroRecord.h"
#include "keys/KeyCatalogue.h"

namespace settings {
class TextSource;
}

namespace macros::ui {

enum class MoveTo { Top, Up, Down, Bottom };

class ActionTableModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    enum Column { KeyColumn = 0, DirectionColumn = 1, DelayColumn = 2, ColumnCount = 3 };

    explicit ActionTableModel(const settings::TextSource& texts, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    const std::vector<MacroAction>& actions() const { return rows_; }
    const MacroAction& action(int row) const { return rows_[static_cast<size_t>(row)]; }

    // Inserts after row `after` (at the end for -1). With keepOwnDelay the
    // action keeps its own pause (loading a stored macro); otherwise the pause
    // trades places with the previous row's as described above. Returns the
    // new row, or -1 when the list already holds the most actions a macro can.
    int insertAction(const MacroAction& action, bool keepOwnDelay, int after = -1);
    void removeAction(int row);
    void clearActions();
    // Moves a row with its pause; returns where it went (row itself when it
    // cannot move).
    int moveAction(int row, MoveTo to);

    // In-place edits. Each returns true when the action changed.
    bool setKey(int row, keys::KeyCode key);
    bool setRelease(int row, bool release);
    bool setDelay(int row, uint32_t delayMs);

    bool isUnmatchedPress(int row) const;
    // Headings and key names again, after a language change.
    void retranslate();

    static QString DirectionText(bool release);

  private:
    void updateMarks();

    const settings::TextSource& texts_;
    std::vector<MacroAction> rows_;
    std::vector<bool> unmatched_;
};

}  // namespace macros::ui
