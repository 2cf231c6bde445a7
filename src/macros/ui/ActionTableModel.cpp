#include "ActionTableModel.h"

#include <QColor>
#include <QGuiApplication>
#include <QPalette>
#include <map>

#include "settings/TextSource.h"

namespace macros::ui {

namespace {

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

// Warm orange that reads on the dark skin and on a light desktop alike.
const QColor kWarningColour(0xF0, 0x9A, 0x3A);

}  // namespace

ActionTableModel::ActionTableModel(const settings::TextSource& texts, QObject* parent)
    : QAbstractTableModel(parent), texts_(texts) {}

int ActionTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int ActionTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QString ActionTableModel::DirectionText(bool release) {
    return release ? QStringLiteral("  \u2191") : QStringLiteral("\u2193");
}

QVariant ActionTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const MacroAction& a = rows_[static_cast<size_t>(index.row())];
    const bool unmatched = unmatched_[static_cast<size_t>(index.row())];
    switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            if (index.column() == KeyColumn)
                return Q(keys::KeyName(a.key, texts_));
            if (index.column() == DirectionColumn)
                return DirectionText(a.release == 1);
            return QString::number(a.delayMs);
        case Qt::ForegroundRole:
            if (unmatched)
                return kWarningColour;
            if (index.column() != DelayColumn)
                return QGuiApplication::palette().color(QPalette::Disabled, QPalette::Text);
            return {};
        case Qt::ToolTipRole:
            if (unmatched)
                return Q(texts_.Text("MACRO_ACTION_WARN_HELD"));
            return {};
        case Qt::AccessibleDescriptionRole:
            if (unmatched)
                return Q(texts_.Text("MACRO_ACTION_WARN_HELD"));
            return {};
        default:
            return {};
    }
}

QVariant ActionTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
        case KeyColumn:
            return Q(texts_.Text("MACRO_KEYS_TISHI"));
        case DirectionColumn:
            return Q(texts_.Text("MACRO_ACTION_TISHI"));
        case DelayColumn:
            return Q(texts_.Text("MACRO_DELAY_MS"));
        default:
            return {};
    }
}

Qt::ItemFlags ActionTableModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

int ActionTableModel::insertAction(const MacroAction& in, bool keepOwnDelay, int after) {
    if (rows_.size() >= MAX_MACRO_ACTIONS)
        return -1;
    MacroAction action = in;
    if (action.release > 1)
        action.release = 0;
    const int count = rowCount();
    const int p = (after >= 0 && after < count) ? after + 1 : count;
    if (!keepOwnDelay) {
        if (p > 0) {
            MacroAction& prev = rows_[static_cast<size_t>(p - 1)];
            std::swap(prev.delayMs, action.delayMs);
            const QModelIndex cell = index(p - 1, DelayColumn);
            emit dataChanged(cell, cell);
        } else {
            action.delayMs = 0;
        }
    }
    beginInsertRows({}, p, p);
    rows_.insert(rows_.begin() + p, action);
    unmatched_.insert(unmatched_.begin() + p, false);
    endInsertRows();
    updateMarks();
    return p;
}

void ActionTableModel::removeAction(int row) {
    if (row < 0 || row >= rowCount())
        return;
    beginRemoveRows({}, row, row);
    rows_.erase(rows_.begin() + row);
    unmatched_.erase(unmatched_.begin() + row);
    endRemoveRows();
    updateMarks();
}

void ActionTableModel::clearActions() {
    if (rows_.empty())
        return;
    beginResetModel();
    rows_.clear();
    unmatched_.clear();
    endResetModel();
}

int ActionTableModel::moveAction(int row, MoveTo to) {
    const int count = rowCount();
    if (row < 0 || row >= count)
        return row;
    int target = row;
    switch (to) {
        case MoveTo::Top:
            target = 0;
            break;
        case MoveTo::Up:
            target = std::max(0, row - 1);
            break;
        case MoveTo::Down:
            target = std::min(count - 1, row + 1);
            break;
        case MoveTo::Bottom:
            target = count - 1;
            break;
    }
    if (target == row)
        return row;
    // beginMoveRows names the destination as the row the moved one goes before.
    beginMoveRows({}, row, row, {}, target > row ? target + 1 : target);
    const MacroAction moved = rows_[static_cast<size_t>(row)];
    rows_.erase(rows_.begin() + row);
    rows_.insert(rows_.begin() + target, moved);
    endMoveRows();
    updateMarks();
    return target;
}

bool ActionTableModel::setKey(int row, keys::KeyCode key) {
    if (row < 0 || row >= rowCount() || rows_[static_cast<size_t>(row)].key == key)
        return false;
    rows_[static_cast<size_t>(row)].key = key;
    emit dataChanged(index(row, KeyColumn), index(row, KeyColumn));
    updateMarks();
    return true;
}

bool ActionTableModel::setRelease(int row, bool release) {
    if (row < 0 || row >= rowCount() || (rows_[static_cast<size_t>(row)].release == 1) == release)
        return false;
    rows_[static_cast<size_t>(row)].release = release ? 1 : 0;
    emit dataChanged(index(row, DirectionColumn), index(row, DirectionColumn));
    updateMarks();
    return true;
}

bool ActionTableModel::setDelay(int row, uint32_t delayMs) {
    if (row < 0 || row >= rowCount() || rows_[static_cast<size_t>(row)].delayMs == delayMs)
        return false;
    rows_[static_cast<size_t>(row)].delayMs = delayMs;
    emit dataChanged(index(row, DelayColumn), index(row, DelayColumn));
    return true;
}

bool ActionTableModel::isUnmatchedPress(int row) const {
    return row >= 0 && row < rowCount() && unmatched_[static_cast<size_t>(row)];
}

void ActionTableModel::retranslate() {
    emit headerDataChanged(Qt::Horizontal, 0, ColumnCount - 1);
    if (!rows_.empty())
        emit dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1));
}

void ActionTableModel::updateMarks() {
    // From the end: a release leaves one press of its key to be matched; a
    // press with no such release after it stays held when the macro ends.
    std::map<uint16_t, int> releasesAfter;
    std::vector<bool> marks(rows_.size(), false);
    for (size_t i = rows_.size(); i-- > 0;) {
        const MacroAction& a = rows_[i];
        int& pending = releasesAfter[a.key];
        if (a.release == 1)
            ++pending;
        else if (pending > 0)
            --pending;
        else
            marks[i] = true;
    }
    int first = -1;
    int last = -1;
    for (size_t i = 0; i < marks.size(); ++i)
        if (marks[i] != unmatched_[i]) {
            if (first < 0)
                first = static_cast<int>(i);
            last = static_cast<int>(i);
        }
    unmatched_ = std::move(marks);
    if (first >= 0)
        emit dataChanged(index(first, 0), index(last, ColumnCount - 1));
}

}  // namespace macros::ui
