#include "MacroPage.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QTableView>
#include <QTimer>
#include <mutex>

#include "ActionEditDelegate.h"
#include "AssignmentStore.h"
#include "MacroImage.h"
#include "Prompts.h"
#include "settings/SettingsValues.h"
#include "settings/TextSource.h"

namespace macros::ui {

namespace {

constexpr int kMinCycles = 1;
constexpr int kMaxCycles = 255;
constexpr int kMaxNameUnits = static_cast<int>(kMacroNameUnits) - 1;
constexpr int kColumnWidths[] = {60, 60, 68};

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

QString NameOf(const MacroRecord& record) {
    const std::u16string name = record.nameText();
    return QString::fromUtf16(name.data(), static_cast<qsizetype>(name.size()));
}

void SetName(MacroRecord& record, const QString& name) {
    record.setName(std::u16string_view(reinterpret_cast<const char16_t*>(name.utf16()),
                                       static_cast<size_t>(name.size())));
}

}  // namespace

MacroPage::MacroPage(const MacroPageControls& controls, keys::AssignmentStore& working,
                     keys::Prompts& prompts, const settings::TextSource& texts,
                     MacroRecorder::Clock clock, QObject* parent)
    : QObject(parent),
      c_(controls),
      working_(working),
      prompts_(prompts),
      texts_(texts),
      model_(texts),
      delegate_(new ActionEditDelegate(texts, this)),
      recorder_(std::move(clock)) {
    c_.chooser->setEditable(true);
    c_.chooser->setInsertPolicy(QComboBox::NoInsert);
    c_.chooser->setCompleter(nullptr);
    c_.chooser->lineEdit()->setMaxLength(kMaxNameUnits);

    QTableView* view = c_.actions;
    view->setModel(&model_);
    view->setItemDelegate(delegate_);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                          QAbstractItemView::EditKeyPressed);
    view->verticalHeader()->hide();
    for (int i = 0; i < ActionTableModel::ColumnCount; ++i)
        view->setColumnWidth(i, kColumnWidths[i]);
    view->horizontalHeader()->setStretchLastSection(true);

    c_.record->setCheckable(true);
    c_.recordDelay->setCheckable(true);

    delegate_->setBeforeDelayEdit([this] { stopRecording(); });
    delegate_->setOnDelayTooLong([this] {
        // Shown after the editor has closed, so the message box cannot pull
        // the focus from an editor that is still committing.
        QTimer::singleShot(0, this, [this] {
            prompts_.showMessage("MACRO_ACTION_ERR_DELAY_MAX", false,
                                 std::to_string(MAX_ACTION_DELAY_MS));
        });
    });
    connect(delegate_, &ActionEditDelegate::actionEdited, this, [this] { emit changed(); });

    connect(c_.chooser, &QComboBox::currentIndexChanged, this, &MacroPage::selectMacro);
    connect(c_.chooser->lineEdit(), &QLineEdit::textEdited, this, &MacroPage::renameOrCreate);
    connect(c_.cycles, &QLineEdit::textEdited, this, &MacroPage::correctCycles);
    connect(c_.add, &QAbstractButton::clicked, this, &MacroPage::addMacro);
    connect(c_.remove, &QAbstractButton::clicked, this, &MacroPage::deleteMacro);
    connect(c_.record, &QAbstractButton::clicked, this, &MacroPage::toggleRecording);
    connect(c_.deleteAction, &QAbstractButton::clicked, this, &MacroPage::deleteAction);
    connect(c_.clearActions, &QAbstractButton::clicked, this, &MacroPage::clearActions);
    connect(c_.top, &QAbstractButton::clicked, this, [this] { moveAction(MoveTo::Top); });
    connect(c_.up, &QAbstractButton::clicked, this, [this] { moveAction(MoveTo::Up); });
    connect(c_.down, &QAbstractButton::clicked, this, [this] { moveAction(MoveTo::Down); });
    connect(c_.bottom, &QAbstractButton::clicked, this, [this] { moveAction(MoveTo::Bottom); });
    connect(c_.recordDelay, &QAbstractButton::clicked, this, &MacroPage::toggleRecordDelay);

    updateActionButtons();
    updateRecordLook();
}

MacroPage::~MacroPage() {
    capture_.setSink(nullptr);
}

void MacroPage::load() {
    unload();
    {
        std::lock_guard<std::recursive_mutex> guard(working_.lock());
        items_ = working_.macros;
    }
    suppress_ = true;
    for (MacroRecord& record : items_) {
        record.isNew = 0;
        c_.chooser->addItem(NameOf(record));
    }
    c_.chooser->setCurrentIndex(-1);
    suppress_ = false;
    current_ = -1;
    c_.cycles->setText(QStringLiteral("1"));
    recordDelay_ = SaveRecordDelay(texts_, LoadRecordDelay(texts_));
    c_.recordDelay->setChecked(recordDelay_ == 1);
    updateActionButtons();
}

void MacroPage::selectMacroById(uint16_t id) {
    if (items_.empty()) {
        setCurrentItem(-1);
        showMacro();
        return;
    }
    int position = 0;
    for (size_t i = 0; i < items_.size(); ++i)
        if (items_[i].id == id) {
            position = static_cast<int>(i);
            break;
        }
    if (current_ >= 0)
        storeMacro(current_);
    setCurrentItem(position);
    showMacro();
}

void MacroPage::unload() {
    stopRecording();
    endCellEdit();
    model_.clearActions();
    suppress_ = true;
    c_.chooser->clear();
    suppress_ = false;
    items_.clear();
    current_ = -1;
    recordDelay_ = 0;
    updateActionButtons();
}

keys::CommitResult MacroPage::commit() {
    endCellEdit();
    stopRecording();
    if (current_ >= 0)
        storeMacro(current_);
    const keys::CommitResult result = keys::CommitMacroList(working_, items_);
    for (MacroRecord& record : items_) record.isNew = 0;
    return result;
}

void MacroPage::setCurrentItem(int index) {
    suppress_ = true;
    c_.chooser->setCurrentIndex(index);
    suppress_ = false;
    current_ = index;
}

void MacroPage::selectMacro(int index) {
    if (suppress_)
        return;
    if (current_ >= 0 && current_ < macroCount())
        storeMacro(current_);
    current_ = index;
    showMacro();
}

void MacroPage::showMacro() {
    endCellEdit();
    model_.clearActions();
    if (current_ >= 0 && current_ < macroCount()) {
        const MacroRecord& record = items_[static_cast<size_t>(current_)];
        c_.cycles->setText(QString::number(record.cycles));
        const size_t count = std::min<size_t>(record.actionCount, MAX_MACRO_ACTIONS);
        for (size_t i = 0; i < count; ++i) model_.insertAction(record.actions[i], true);
    }
    updateActionButtons();
}

void MacroPage::storeMacro(int index) {
    if (index < 0 || index >= macroCount())
        return;
    MacroRecord& record = items_[static_cast<size_t>(index)];
    record.cycles = static_cast<uint8_t>(settings::ParseDecimal(c_.cycles->text().toStdString()));
    const auto& rows = model_.actions();
    record.actionCount = static_cast<uint16_t>(rows.size());
    std::copy(rows.begin(), rows.end(), record.actions.begin());
    std::fill(record.actions.begin() + static_cast<std::ptrdiff_t>(rows.size()),
              record.actions.end(), MacroAction{});
}

MacroRecord MacroPage::newRecord(const QString& name) const {
    MacroRecord record;
    SetName(record, name);
    record.cycles = 1;
    record.isNew = 1;
    std::vector<uint16_t> ids;
    ids.reserve(items_.size());
    for (const MacroRecord& m : items_) ids.push_back(m.id);
    record.id = AllocateMacroId(ids);
    record.actionCount = 0;
    return record;
}

void MacroPage::addMacro() {
    if (items_.size() >= MAX_MACROS) {
        prompts_.showMessage("MACRO_ERR_MAX", false, std::to_string(MAX_MACROS));
        return;
    }
    if (items_.empty())
        nameCounter_ = 0;
    const QString prefix = Q(texts_.Text("MACRO_NEW_PREFIX"));
    QString name;
    // A name that begins an existing one is skipped; the counter moves on,
    // so the search ends after at most one step per macro.
    do {
        name = prefix + QString::number(++nameCounter_);
    } while (c_.chooser->findText(name, Qt::MatchStartsWith) >= 0);

    MacroRecord record = newRecord(name);
    if (current_ >= 0)
        storeMacro(current_);
    items_.push_back(record);
    suppress_ = true;
    c_.chooser->addItem(NameOf(items_.back()));
    suppress_ = false;
    setCurrentItem(macroCount() - 1);
    showMacro();
    emit changed();
}

void MacroPage::renameOrCreate(const QString& typed) {
    if (!items_.empty() && current_ >= 0 && current_ < macroCount()) {
        MacroRecord& record = items_[static_cast<size_t>(current_)];
        SetName(record, typed);
        QLineEdit* edit = c_.chooser->lineEdit();
        const int cursor = edit->cursorPosition();
        suppress_ = true;
        c_.chooser->setItemText(current_, NameOf(record));
        suppress_ = false;
        edit->setCursorPosition(std::min(cursor, static_cast<int>(edit->text().size())));
    } else if (items_.empty()) {
        items_.push_back(newRecord(typed));
        suppress_ = true;
        c_.chooser->insertItem(0, NameOf(items_.front()));
        suppress_ = false;
        setCurrentItem(0);
        showMacro();
    }
    emit changed();
}

void MacroPage::correctCycles(const QString& text) {
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    if (!ok || v < kMinCycles)
        c_.cycles->setText(QString::number(kMinCycles));
    else if (v > kMaxCycles)
        c_.cycles->setText(QString::number(kMaxCycles));
    emit changed();
}

void MacroPage::deleteMacro() {
    if (items_.empty() || current_ < 0 || current_ >= macroCount())
        return;
    if (!keys::FindMacroUse(working_, prompts_, items_[static_cast<size_t>(current_)]))
        return;
    const int removed = current_;
    items_.erase(items_.begin() + removed);
    suppress_ = true;
    c_.chooser->removeItem(removed);
    suppress_ = false;
    current_ = -1;  // the removed macro's rows must not be stored anywhere
    setCurrentItem(items_.empty() ? -1 : std::max(0, removed - 1));
    showMacro();
    emit changed();
}

int MacroPage::selectedRow() const {
    const QModelIndexList rows = c_.actions->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void MacroPage::selectRow(int row) {
    const QModelIndex index = model_.index(row, 0);
    c_.actions->selectionModel()->setCurrentIndex(
        index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    c_.actions->scrollTo(index);
}

void MacroPage::insertRecorded(const MacroAction& action) {
    const int row = model_.insertAction(action, false, selectedRow());
    if (row < 0)
        return;
    selectRow(row);
    emit changed();
}

void MacroPage::deleteAction() {
    const int row = selectedRow();
    if (row < 0)
        return;
    endCellEdit();
    model_.removeAction(row);
    emit changed();
}

void MacroPage::clearActions() {
    if (model_.rowCount() == 0)
        return;
    if (!prompts_.askYesNo("MACRO_ACTION_CLEAR_CONFIRM"))
        return;
    endCellEdit();
    model_.clearActions();
    emit changed();
}

void MacroPage::moveAction(MoveTo to) {
    const int row = selectedRow();
    if (row < 0)
        return;
    endCellEdit();
    selectRow(model_.moveAction(row, to));
    c_.actions->setFocus();
    emit changed();
}

void MacroPage::toggleRecordDelay() {
    recordDelay_ = SaveRecordDelay(texts_, recordDelay_ == 1 ? 0 : 1);
    c_.recordDelay->setChecked(recordDelay_ == 1);
}

void MacroPage::toggleRecording() {
    if (recorder_.recording()) {
        stopRecording();
        return;
    }
    if (current_ < 0)
        return;
    recorder_.start(*this);
    capture_.setSink(&recorder_);
    updateRecordLook();
}

void MacroPage::stopRecording() {
    if (!recorder_.recording() && !capture_.active())
        return;
    capture_.setSink(nullptr);
    recorder_.stop();
    updateRecordLook();
}

void MacroPage::endCellEdit() {
    // The view keeps an open editor as the index widget of its cell; the
    // delegate's two signals make the view write it back and close it.
    if (QWidget* editor = c_.actions->indexWidget(c_.actions->currentIndex())) {
        emit delegate_->commitData(editor);
        emit delegate_->closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

void MacroPage::updateActionButtons() {
    const bool on = current_ >= 0;
    for (QAbstractButton* b :
         {c_.record, c_.deleteAction, c_.clearActions, c_.top, c_.up, c_.down, c_.bottom})
        b->setEnabled(on);
}

void MacroPage::updateRecordLook() {
    const bool on = recorder_.recording();
    const QString caption = Q(texts_.Text(on ? "MACRO_ACTION_STOP_RECORD" : "MACRO_ACTION_RECORD"));
    if (c_.setRecordCaption)
        c_.setRecordCaption(caption);
    else
        c_.record->setText(caption);
    c_.record->setAccessibleName(caption);
    c_.record->setChecked(on);
    c_.add->setEnabled(!on);
    c_.remove->setEnabled(!on);
    c_.chooser->setEnabled(!on);
}

void MacroPage::retranslate() {
    model_.retranslate();
    updateRecordLook();
}

}  // namespace macros::ui
