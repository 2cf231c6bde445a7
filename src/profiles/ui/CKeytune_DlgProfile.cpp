#include "CKeytune_DlgProfile.h"

#include <QDir>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <mutex>

#include "OffWindowThread.h"
#include "ProfileFile.h"
#include "widgets/CPngButton.h"
#include "widgets/Placement.h"

namespace profiles::ui {

namespace {

constexpr int kColumnActive = 0;
constexpr int kColumnName = 1;
constexpr int kColumnFolder = 2;

// Takes the calls ReloadWorkingStore makes on its host while it runs on the
// worker thread, so that the window's own host sees them afterwards on the
// window thread (its key buttons must not be redrawn from another thread).
class DeferredHost : public ProfileHost {
  public:
    bool hasPendingChanges() override { return false; }
    void setPendingChanges(bool) override {}
    void redrawKeyButtons() override { redraw = true; }
    bool redraw = false;
};

QString folderText(const std::filesystem::path& folder) {
    QString text = QString::fromStdString(folder.string());
    while (text.size() > 1 && text.endsWith(u'/')) text.chop(1);
    return text;
}

}  // namespace

QString ChooseProfileFile(QWidget* parent, const ProfileFileQuestion& question) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(question.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(question.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(QStringLiteral("kpf"));
    dialog.setNameFilters({QStringLiteral("(*.kpf)"), QStringLiteral("(*)")});
    dialog.setDirectory(question.folder);
    if (!question.fileName.isEmpty())
        dialog.selectFile(question.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

CKeytune_DlgProfile::CKeytune_DlgProfile(ConfigSession& session, std::string skinIniFile,
                                         QString skinFolder, const settings::TextSource& texts,
                                         QWidget* parent)
    : widgets::CImgDialogBase(parent),
      session_(session),
      skinIniFile_(std::move(skinIniFile)),
      skinFolder_(std::move(skinFolder)),
      texts_(texts) {
    title_ = new QLabel(this);
    title_->setObjectName(QStringLiteral("profileTitle"));
    QFont heading = title_->font();
    heading.setPixelSize(13);
    heading.setBold(true);
    title_->setFont(heading);
    title_->setStyleSheet(QStringLiteral("color: #ffffff; background: transparent;"));

    list_ = new QTableWidget(0, 3, this);
    list_->setObjectName(QStringLiteral("control%1").arg(kListId));
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setShowGrid(true);
    list_->setWordWrap(false);
    // Long folders keep their beginning and their end visible.
    list_->setTextElideMode(Qt::ElideMiddle);
    // Only one row can be checked, so the marks look like radio buttons.
    list_->setStyleSheet(QStringLiteral(
        "QTableWidget::indicator { width: 12px; height: 12px; border-radius: 7px;"
        " border: 1px solid #6a7280; background: #1b1e24; }"
        "QTableWidget::indicator:hover { border-color: #00b4ff; }"
        "QTableWidget::indicator:checked { border: 4px solid #00b4ff; width: 6px; height: 6px;"
        " background: #ffffff; }"));
    list_->verticalHeader()->hide();
    list_->horizontalHeader()->setHighlightSections(false);
    list_->horizontalHeader()->setStretchLastSection(true);
    list_->setColumnWidth(kColumnActive, 60);
    list_->setColumnWidth(kColumnName, 120);
    list_->setColumnWidth(kColumnFolder, 230);
    connect(list_, &QTableWidget::itemChanged, this, &CKeytune_DlgProfile::onItemChanged);

    buttons_ = {{kOkId, "CONTROL_OK", nullptr},      {kCancelId, "CONTROL_CANCEL", nullptr},
                {kAddId, "FUNC_ADD", nullptr},       {kLoadId, "FUNC_LOAD", nullptr},
                {kDeleteId, "FUNC_DELETE", nullptr}, {kApplyId, "CONTROL2_APPLY", nullptr}};
    for (Button& b : buttons_) {
        b.widget = new widgets::CPngButton(this);
        b.widget->setObjectName(QStringLiteral("control%1").arg(b.id));
        QFont caption = b.widget->font();
        caption.setPixelSize(12);
        b.widget->setCaptionFont(caption);
    }
    connect(button(kAddId), &QAbstractButton::clicked, this, &CKeytune_DlgProfile::AddProfileFile);
    connect(button(kLoadId), &QAbstractButton::clicked, this,
            &CKeytune_DlgProfile::LoadProfileFile);
    connect(button(kDeleteId), &QAbstractButton::clicked, this,
            &CKeytune_DlgProfile::DeleteProfileRow);
    connect(button(kApplyId), &QAbstractButton::clicked, this,
            &CKeytune_DlgProfile::ApplyProfileManager);
    connect(button(kOkId), &QAbstractButton::clicked, this, [this] {
        ApplyProfileManager();
        accept();
    });
    connect(button(kCancelId), &QAbstractButton::clicked, this, &QDialog::reject);
    relabel();
    setChanged(false);
}

CKeytune_DlgProfile::~CKeytune_DlgProfile() = default;

widgets::CPngButton* CKeytune_DlgProfile::button(ControlId id) const {
    for (const Button& b : buttons_)
        if (b.id == id)
            return b.widget;
    return nullptr;
}

QString CKeytune_DlgProfile::text(std::string_view key) const {
    return QString::fromStdString(texts_.Text(key));
}

QString CKeytune_DlgProfile::textOr(std::string_view key, const QString& fallback) const {
    const std::string value = texts_.Text(key);
    return value == settings::kMissingText ? fallback : QString::fromStdString(value);
}

void CKeytune_DlgProfile::relabel() {
    setWindowTitle(text("PROFILE_MANAGER_TITLE"));
    title_->setText(windowTitle());
    // The headings were literal texts in the keyboard's first program; they
    // remain the fallback for a language file without them.
    list_->setHorizontalHeaderLabels({textOr("PROFILE_COLUMN_ACTIVE", QStringLiteral("激活")),
                                      textOr("PROFILE_COLUMN_NAME", QStringLiteral("名称")),
                                      textOr("PROFILE_COLUMN_FOLDER", QStringLiteral("路径"))});
    list_->setAccessibleName(text("PROFILE_MANAGER_TITLE"));
    const std::pair<ControlId, const char*> labels[] = {
        {kOkId, "PROFILE_OK"},   {kCancelId, "PROFILE_CANCLE"}, {kApplyId, "PROFILE_APPLY"},
        {kAddId, "PROFILE_ADD"}, {kLoadId, "PROFILE_LOAD"},     {kDeleteId, "PROFILE_DELETE"}};
    for (const auto& [id, key] : labels) {
        const QString label = text(key);
        button(id)->setCaption(label);
        button(id)->setAccessibleName(label);
    }
}

void CKeytune_DlgProfile::initialiseSkin() {
    if (sheets_)
        return;
    // The three pictures are loaded once per run; a missing one ends the
    // program, as a broken installation cannot draw the dialog.
    sheets_ = widgets::SkinSheets::loadOrExit(
        skinFolder_,
        {QStringLiteral("Profile_normal.jpg"), QStringLiteral("Profile_over.jpg"),
         QStringLiteral("Profile_down.jpg")},
        devicePixelRatioF());
    InitSkinnedWindow(skinIniFile_, skinFolder_);
    const widgets::SkinSheets& s = *sheets_;
    // Normal, hover, pressed, disabled (the pressed picture), checked.
    const std::array<const widgets::SkinSheet*, 5> pictures = {&s[0], &s[1], &s[2], &s[2], &s[0]};
    for (const Button& b : buttons_)
        widgets::PlaceSkinButton(b.widget, skinIniFile_, widgets::kButtonInfoSection, b.skinKey,
                                 pictures);
    widgets::PlaceControl(list_, skinIniFile_, widgets::kButtonInfoSection, "PROGRAM_LIST");
    widgets::PlaceControl(title_, skinIniFile_, widgets::kButtonInfoSection, "CONTROL_CAPTION");
    setChanged(changed_);
}

void CKeytune_DlgProfile::PrepareOpening() {
    initialiseSkin();
    ++openCount_;
    FillProfileList(true);
}

void CKeytune_DlgProfile::OpenProfileManager() {
    PrepareOpening();
    exec();
}

void CKeytune_DlgProfile::done(int result) {
    if (openCount_ > 0)
        --openCount_;
    widgets::CImgDialogBase::done(result);
}

void CKeytune_DlgProfile::setChanged(bool changed) {
    changed_ = changed;
    button(kApplyId)->setEnabled(changed);
}

void CKeytune_DlgProfile::appendRow(const ProfileRow& row) {
    const int r = list_->rowCount();
    updatingChecks_ = true;
    list_->insertRow(r);
    auto* active = new QTableWidgetItem();
    active->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    active->setCheckState(Qt::Unchecked);
    list_->setItem(r, kColumnActive, active);
    auto* name = new QTableWidgetItem(row.name);
    name->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    list_->setItem(r, kColumnName, name);
    auto* folder = new QTableWidgetItem(QDir::toNativeSeparators(row.folder));
    folder->setData(Qt::UserRole, row.folder);
    folder->setToolTip(QDir::toNativeSeparators(row.folder));
    folder->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    list_->setItem(r, kColumnFolder, folder);
    updatingChecks_ = false;
}

std::vector<ProfileRow> CKeytune_DlgProfile::rows() const {
    std::vector<ProfileRow> result;
    for (int r = 0; r < list_->rowCount(); ++r)
        result.push_back({list_->item(r, kColumnName)->text(),
                          list_->item(r, kColumnFolder)->data(Qt::UserRole).toString()});
    return result;
}

int CKeytune_DlgProfile::checkedRow() const {
    for (int r = 0; r < list_->rowCount(); ++r)
        if (list_->item(r, kColumnActive)->checkState() == Qt::Checked)
            return r;
    return -1;
}

void CKeytune_DlgProfile::setRowChecked(int row, bool checked) {
    if (row < 0 || row >= list_->rowCount())
        return;
    list_->item(row, kColumnActive)->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

void CKeytune_DlgProfile::onItemChanged(QTableWidgetItem* item) {
    if (updatingChecks_ || item->column() != kColumnActive)
        return;
    updatingChecks_ = true;
    const int row = item->row();
    if (item->checkState() == Qt::Checked) {
        // Radio mode: the newly checked row is the only one.
        for (int r = 0; r < list_->rowCount(); ++r)
            if (r != row)
                list_->item(r, kColumnActive)->setCheckState(Qt::Unchecked);
    }
    updatingChecks_ = false;
    setChanged(true);
}

void CKeytune_DlgProfile::markActiveRow(int row) {
    updatingChecks_ = true;
    for (int r = 0; r < list_->rowCount(); ++r)
        list_->item(r, kColumnActive)->setCheckState(r == row ? Qt::Checked : Qt::Unchecked);
    updatingChecks_ = false;
}

void CKeytune_DlgProfile::FillProfileList(bool first) {
    // Rows are rebuilt at every opening; the list of an earlier opening goes.
    (void)first;
    list_->setRowCount(0);
    for (int i = 0; i < 3; ++i)
        appendRow(rowForPath(QString::fromStdString(CachePath(session_.locations, i).string())));
    const int current = session_.keyboard.GetCurrentProfile();
    if (current >= 0)
        markActiveRow(current);
    setChanged(false);
}

void CKeytune_DlgProfile::AddProfileFile() {
    EnsureProfileFolder(session_.locations);
    // The proposal is the profile folder's name followed directly by the
    // language's "new profile" text, so it lies beside the profile folder.
    const QString folder = folderText(ProfileFolderPath(session_.locations));
    const qsizetype slash = folder.lastIndexOf(u'/');
    ProfileFileQuestion question;
    question.save = true;
    question.folder = slash > 0 ? folder.left(slash) : folder;
    question.fileName = folder.mid(slash + 1) + text("PROFILE_NEW");
    const QString chosen = chooseFile_(this, question);
    if (chosen.isEmpty())
        return;
    // A file that cannot be written still gets its row; nothing is reported.
    CreateDefaultProfile(std::filesystem::path(chosen.toStdString()));
    appendRow(rowForPath(chosen));
    setChanged(true);
}

void CKeytune_DlgProfile::LoadProfileFile() {
    EnsureProfileFolder(session_.locations);
    ProfileFileQuestion question;
    question.folder = folderText(ProfileFolderPath(session_.locations));
    const QString chosen = chooseFile_(this, question);
    if (chosen.isEmpty())
        return;
    // The file is only listed; it is neither read nor checked here.
    appendRow(rowForPath(chosen));
    setChanged(true);
}

void CKeytune_DlgProfile::DeleteProfileRow() {
    const QModelIndexList selected = list_->selectionModel()->selectedRows();
    if (selected.isEmpty())
        return;
    list_->removeRow(selected.constFirst().row());
    setChanged(true);
}

void CKeytune_DlgProfile::ApplyProfileManager() {
    RecordProfilePaths(rows());
    int target = checkedRow();
    // The keyboard has profiles 0..2 only; a file row selects profile 0.
    if (target >= 3)
        target = 0;

    ProfileHost& host = session_.host;
    host.showBusy(true);
    DeferredHost deferred;
    WindowThreadPrompts prompts(session_.prompts);
    ConfigSession worker{session_.model, session_.keyboard, prompts, deferred, session_.locations};
    RunOffWindowThread([&] {
        if (target >= 0)
            session_.keyboard.SetCurrentProfile(target);
        ReloadWorkingStore(worker, false);
    });
    if (deferred.redraw) {
        std::lock_guard<std::recursive_mutex> guard(session_.model.working.lock());
        host.redrawKeyButtons();
    }
    host.setPendingChanges(false);
    host.showBusy(false);
    host.rebuildProfileMenu();
    setChanged(false);
}

}  // namespace profiles::ui
