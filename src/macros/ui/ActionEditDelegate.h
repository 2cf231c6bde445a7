// ActionEditDelegate.h - the in-place editors of the action list: a key
// chooser (the macro chooser codes 0..110), a direction chooser, and a pause
// field that takes digits only.
#pragma once

#include <QStyledItemDelegate>
#include <functional>

namespace settings {
class TextSource;
}

namespace macros::ui {

class ActionTableModel;

class ActionEditDelegate : public QStyledItemDelegate {
    Q_OBJECT
  public:
    ActionEditDelegate(const settings::TextSource& texts, QObject* parent = nullptr);

    // Called before a pause editor opens (the page stops recording).
    void setBeforeDelayEdit(std::function<void()> callback) {
        beforeDelayEdit_ = std::move(callback);
    }
    // Called with a typed pause above the longest a macro holds.
    void setOnDelayTooLong(std::function<void()> callback) {
        onDelayTooLong_ = std::move(callback);
    }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;

    // The pause a typed text stands for: empty text keeps `current`; above
    // the longest pause the longest (tooLong set); rounded down to 10 ms.
    static uint32_t DelayFromText(const QString& text, uint32_t current, bool* tooLong);

  signals:
    // An edit that changed the action of `row`.
    void actionEdited(int row, int column);

  private:
    const settings::TextSource& texts_;
    std::function<void()> beforeDelayEdit_;
    std::function<void()> onDelayTooLong_;
};

}  // namespace macros::ui
