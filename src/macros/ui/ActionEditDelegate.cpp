#include "ActionEditDelegate.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRegularExpressionValidator>

#include "ActionTableModel.h"
#include "keys/KeyCatalogue.h"
#include "settings/TextSource.h"

namespace macros::ui {

namespace {

constexpr int kLastChooserCode = 110;
constexpr int kChooserRowsShown = 20;

}  // namespace

ActionEditDelegate::ActionEditDelegate(const settings::TextSource& texts, QObject* parent)
    : QStyledItemDelegate(parent), texts_(texts) {}

uint32_t ActionEditDelegate::DelayFromText(const QString& text, uint32_t current, bool* tooLong) {
    if (tooLong)
        *tooLong = false;
    if (text.isEmpty())
        return current;
    // Digits only; a run too long for a number is simply too long a pause.
    bool ok = false;
    qulonglong v = text.size() > 12 ? MAX_ACTION_DELAY_MS + 1ULL : text.toULongLong(&ok);
    if (text.size() <= 12 && !ok)
        return current;
    if (v > MAX_ACTION_DELAY_MS) {
        if (tooLong)
            *tooLong = true;
        v = MAX_ACTION_DELAY_MS;
    }
    return static_cast<uint32_t>(v - v % 10);
}

QWidget* ActionEditDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                          const QModelIndex& index) const {
    switch (index.column()) {
        case ActionTableModel::KeyColumn: {
            auto* combo = new QComboBox(parent);
            combo->setAccessibleName(QString::fromStdString(texts_.Text("MACRO_KEYS_TISHI")));
            combo->setMaxVisibleItems(kChooserRowsShown);
            for (int c = 0; c <= kLastChooserCode; ++c)
                combo->addItem(
                    QString::fromStdString(keys::ChooserName(static_cast<int16_t>(c), texts_)));
            return combo;
        }
        case ActionTableModel::DirectionColumn: {
            auto* combo = new QComboBox(parent);
            combo->setAccessibleName(QString::fromStdString(texts_.Text("MACRO_ACTION_TISHI")));
            combo->addItem(ActionTableModel::DirectionText(false));
            combo->addItem(ActionTableModel::DirectionText(true));
            return combo;
        }
        case ActionTableModel::DelayColumn: {
            if (beforeDelayEdit_)
                beforeDelayEdit_();
            auto* edit = new QLineEdit(parent);
            edit->setAccessibleName(QString::fromStdString(texts_.Text("MACRO_DELAY_MS")));
            edit->setValidator(new QRegularExpressionValidator(
                QRegularExpression(QStringLiteral("[0-9]*")), edit));
            return edit;
        }
        default:
            return nullptr;
    }
}

void ActionEditDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    const auto* model = qobject_cast<const ActionTableModel*>(index.model());
    if (!model)
        return;
    const MacroAction& a = model->action(index.row());
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        if (index.column() == ActionTableModel::KeyColumn)
            combo->setCurrentIndex(keys::ChooserFromKey(a.key));
        else
            combo->setCurrentIndex(a.release == 1 ? 1 : 0);
    } else if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
        edit->setText(QString::number(a.delayMs));
        edit->selectAll();
    }
}

void ActionEditDelegate::setModelData(QWidget* editor, QAbstractItemModel* abstractModel,
                                      const QModelIndex& index) const {
    auto* model = qobject_cast<ActionTableModel*>(abstractModel);
    if (!model)
        return;
    const int row = index.row();
    bool changed = false;
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        const int c = combo->currentIndex();
        if (index.column() == ActionTableModel::KeyColumn) {
            if (c >= 0 && c <= kLastChooserCode &&
                c != keys::ChooserFromKey(model->action(row).key))
                changed = model->setKey(row, keys::KeyFromChooser(static_cast<int16_t>(c)));
        } else if (c == 0 || c == 1) {
            changed = model->setRelease(row, c == 1);
        }
    } else if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
        bool tooLong = false;
        const uint32_t v = DelayFromText(edit->text(), model->action(row).delayMs, &tooLong);
        if (tooLong && onDelayTooLong_)
            onDelayTooLong_();
        changed = model->setDelay(row, v);
    }
    if (changed)
        emit const_cast<ActionEditDelegate*>(this)->actionEdited(row, index.column());
}

}  // namespace macros::ui
