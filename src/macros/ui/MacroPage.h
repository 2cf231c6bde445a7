// MacroPage.h - the macro page of the key assignment dialog: the macro
// chooser (pick, create, rename, delete), the repeat count, and the action
// list with recording, in-place edits, delete, clear and the four moves.
//
// The page edits copies of the working store's macros; the store changes
// only in commit(). The dialog creates and places the controls and hands
// them over; the page wires them up and keeps them in step.
#pragma once

#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>
#include <vector>

#include "ActionTableModel.h"
#include "KeyCaptureFilter.h"
#include "MacroRecorder.h"
#include "MacroUse.h"

class QAbstractButton;
class QComboBox;
class QLineEdit;
class QTableView;

namespace keys {
class AssignmentStore;
class Prompts;
}  // namespace keys

namespace macros::ui {

class ActionEditDelegate;

// The controls of the page, created and placed by the dialog.
struct MacroPageControls {
    QComboBox* chooser = nullptr;  // made editable by the page
    QTableView* actions = nullptr;
    QLineEdit* cycles = nullptr;
    QAbstractButton* recordDelay = nullptr;  // checkable
    QAbstractButton* add = nullptr;
    QAbstractButton* remove = nullptr;
    QAbstractButton* record = nullptr;  // checkable; checked while recording
    QAbstractButton* deleteAction = nullptr;
    QAbstractButton* clearActions = nullptr;
    QAbstractButton* top = nullptr;
    QAbstractButton* up = nullptr;
    QAbstractButton* down = nullptr;
    QAbstractButton* bottom = nullptr;
    // Shows a caption on the record button; QAbstractButton::setText when unset.
    std::function<void(const QString&)> setRecordCaption;
};

class MacroPage : public QObject, private RecordTarget {
    Q_OBJECT
  public:
    MacroPage(const MacroPageControls& controls, keys::AssignmentStore& working,
              keys::Prompts& prompts, const settings::TextSource& texts,
              MacroRecorder::Clock clock = {}, QObject* parent = nullptr);
    ~MacroPage() override;

    // Opening: copies of the working store's macros into the chooser (no
    // macro current yet), and the record-delay option from its setting.
    void load();
    // Makes the macro with this id current (the first one when none has
    // it) and shows it.
    void selectMacroById(uint16_t id);
    // Closing: stops recording, drops every copy, option back to 0.
    void unload();

    // The macro half of the dialog's Apply: ends a cell edit, stops
    // recording, stores the current macro's edits and replaces the working
    // store's macro list by the chooser's macros.
    keys::CommitResult commit();

    int current() const { return current_; }
    int macroCount() const { return static_cast<int>(items_.size()); }
    const MacroRecord& macroAt(int i) const { return items_[static_cast<size_t>(i)]; }
    ActionTableModel& actions() { return model_; }
    int recordDelayOption() const override { return recordDelay_; }

    bool recording() const { return recorder_.recording(); }
    void toggleRecording();
    void stopRecording();

    // Commands of the buttons, callable directly.
    void addMacro();
    void deleteMacro();
    void deleteAction();
    void clearActions();
    void moveAction(MoveTo to);
    void toggleRecordDelay();

    // Texts of the page's own controls after a language change.
    void retranslate();

  signals:
    // Any edit of the page; the dialog enables its Apply button.
    void changed();

  private:
    void insertRecorded(const MacroAction& action) override;

    void selectMacro(int index);
    void renameOrCreate(const QString& text);
    void correctCycles(const QString& text);
    void showMacro();
    void storeMacro(int index);
    void setCurrentItem(int index);
    MacroRecord newRecord(const QString& name) const;
    int selectedRow() const;
    void selectRow(int row);
    void endCellEdit();
    void updateActionButtons();
    void updateRecordLook();

    MacroPageControls c_;
    keys::AssignmentStore& working_;
    keys::Prompts& prompts_;
    const settings::TextSource& texts_;
    ActionTableModel model_;
    ActionEditDelegate* delegate_;
    MacroRecorder recorder_;
    KeyCaptureFilter capture_;
    std::vector<MacroRecord> items_;
    int current_ = -1;
    int recordDelay_ = 0;
    bool suppress_ = false;
    unsigned nameCounter_ = 0;
};

}  // namespace macros::ui
