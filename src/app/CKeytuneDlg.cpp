#include "CKeytuneDlg.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QDesktopServices>
#include <QDir>
#include <QEventLoop>
#include <QFileDialog>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QThread>
#include <QUrl>
#include <chrono>
#include <thread>

#include "ControlIds.h"
#include "KeyCatalogue.h"
#include "KeyboardReads.h"
#include "ProfileFile.h"
#include "WindowCall.h"
#include "WindowMessages.h"
#include "device/CurrentProfileIndex.h"
#include "device/DeviceCommands.h"
#include "settings/IniFile.h"
#include "settings/LanguageTables.h"
#include "settings/SettingsPaths.h"
#include "settings/SettingsValues.h"
#include "settings/SkinRect.h"
#include "settings/TextFormat.h"
#include "widgets/Placement.h"

namespace app {

namespace {

constexpr const char* kDefaultWebAddress = "https://velkor.example/";
constexpr const char* kMakerPages[3] = {
    "https://velkor.example/", "https://velkor.example/community", "https://velkor.example/news"};
constexpr const char* kFirmwareUpdater = "KB-UPDATE-0102.exe";
constexpr uint16_t kOldestFirmware = 0x0102;

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

QString autostartFile() {
    return QString::fromStdString(settings::XdgConfigHome()) + "/autostart/keytune.desktop";
}

// Mouse and key input, which the window ignores while a long write runs.
bool isUserInput(QEvent::Type type) {
    switch (type) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::Wheel:
        case QEvent::ShortcutOverride:
        case QEvent::ContextMenu:
            return true;
        default:
            return false;
    }
}

}  // namespace

CKeytuneDlg::CKeytuneDlg(const settings::TextSource& texts)
    : texts_(texts), prompts_(texts, stopping_), tray_(qs(settings::GetProgramPaths().skinFolder)) {
    setObjectName("CKeytuneDlg");
    prompts_.setParentWindow(this);
    lightingReread_.setSingleShot(true);
    lightingReread_.setInterval(0);
    connect(&lightingReread_, &QTimer::timeout, this, [this] {
        if (ended_ || !lighting_)
            return;
        lighting_->ReadLighting();
        showReportRate(lighting_->state().reportRate);
        refreshPanel();
    });
    connect(&previewTimer_, &QTimer::timeout, this, [this] {
        previewTimer_.setInterval(50);
        if (lightingPanel_)
            lightingPanel_->previewTick();
    });
    connect(&tray_, &CTrayIcon::command, this, &CKeytuneDlg::onCommand);

    chooseProfileFile = [this](bool save) {
        const QString filter = QStringLiteral("Keytune profile (*.kpf);;All files (*)");
        return save ? QFileDialog::getSaveFileName(this, {}, QDir::homePath(), filter)
                    : QFileDialog::getOpenFileName(this, {}, QDir::homePath(), filter);
    };
    askYesNo = [this](const QString& text) { return MessageBoxPrompts::AskYesNo(this, text); };
    showNotice = [this](const QString& text) {
        MessageBoxPrompts::ShowText(this, QString(), text, false);
    };
    openUrl = [](const QUrl& url) { QDesktopServices::openUrl(url); };
    askClosePending = [this] {
        QMessageBox box(QMessageBox::Question, qs(texts_.Text("MAIN_CAPTION")),
                        qs(texts_.Text("MAIN_CLOSE_PENDING_PROMPT")), QMessageBox::NoButton, this);
        QPushButton* apply =
            box.addButton(qs(texts_.Text("MAIN_CLOSE_PENDING_APPLY")), QMessageBox::AcceptRole);
        QPushButton* discard = box.addButton(qs(texts_.Text("MAIN_CLOSE_PENDING_DISCARD")),
                                             QMessageBox::DestructiveRole);
        QPushButton* cancel =
            box.addButton(qs(texts_.Text("MAIN_CLOSE_PENDING_CANCEL")), QMessageBox::RejectRole);
        box.setDefaultButton(cancel);
        box.setEscapeButton(cancel);
        box.exec();
        if (box.clickedButton() == apply)
            return 0;
        if (box.clickedButton() == discard)
            return 1;
        return 2;
    };
}

CKeytuneDlg::~CKeytuneDlg() {
    // Without a Shutdown (a failed start, a test) the threads still end here.
    stopping_ = true;
    if (connection_)
        connection_->stop();
    if (link_)
        link_->detach();
    if (libraryStarted_ && library_.api().End)
        library_.api().End();
}

bool CKeytuneDlg::Initialise(QString* reason) {
    const auto paths = settings::GetProgramPaths();
    const QString skinFolder = qs(paths.skinFolder);
    auto fail = [reason](const QString& why) {
        if (reason)
            *reason = why;
        return false;
    };
    // The skinned frame: background, outline and size.
    if (!InitSkinnedWindow(paths.mainSkinFile, skinFolder))
        return fail("cannot load the main window's background picture from " + skinFolder);
    const QString appIcon = skinFolder + "keytune.png";
    if (QFile::exists(appIcon))
        setWindowIcon(QIcon(appIcon));

    initialised_ = false;

    // The device service library and the link to the keyboard.
    if (library_.load(paths.programFolder) != device::BIND_OK)
        return fail(qs(library_.error()));
    if (library_.api().Init(0) <= 0)
        return fail("the device service library failed to start");
    libraryStarted_ = true;
    link_ = std::make_unique<device::DeviceLink>(library_.api());
    link_->commands().InvalidateProfileCache();
    keyboard_ = std::make_unique<profiles::DeviceKeyboardCommands>(link_->commands());
    lighting_ = std::make_unique<lighting::Lighting>(link_->commands());
    const auto userPaths = settings::GetUserPaths();
    userModes_ = std::make_unique<lighting::UserLightModes>(
        *lighting_, userPaths.lightModePrefix,
        settings::LightModeFileName(paths.skinLightModePrefix, 3));
    session_.reset(
        new profiles::ConfigSession{model_, *keyboard_, prompts_, *this,
                                    profiles::defaultProfileLocations(paths.programFolder)});
    profiles::EnsureProfileFolder(session_->locations);
    connection_ = std::make_unique<DeviceConnection>(*link_, *this, this);
    link_->setListener(connection_.get());
    link_->updateState(
        [this](device::DeviceLinkState& state) { state.firstShowDone = startInTray_ ? 1 : 0; });
    link_->StartDeviceLink();

    // The working store starts as the default profile.
    {
        std::lock_guard lock(model_.working.lock());
        model_.working.releaseTexts();
        profiles::CreateDefaultProfile(model_.working);
    }

    // The sheets every control cuts its pictures from.
    QString failed;
    auto sheets = widgets::SkinSheets::load(
        skinFolder,
        {"main_normal.jpg", "main_over.jpg", "main_down.jpg", "main_disable.jpg", "Arrow.jpg",
         "main_color0.jpg", "main_color1.jpg"},
        devicePixelRatioF(), &failed);
    if (!sheets)
        return fail("cannot load skin picture " + failed);
    sheets_ = *sheets;

    const std::string link =
        settings::ReadIniString(paths.mainSkinFile, "SCREEN", "Link", kDefaultWebAddress);
    web_ = QUrl(qs(link.empty() ? std::string(kDefaultWebAddress) : link));

    placeControls();
    setPendingChanges(false);
    setWindowTitle(qs(texts_.Text("MAIN_CAPTION")));
    labelSwitch();

    QMetaObject::invokeMethod(
        this, [this] { handleMessage(msg::kInit, msg::kInitTag); }, Qt::QueuedConnection);
    handleMessage(msg::kLanguage, msg::kLanguageTag, settings::GetLanguageIndex());
    updatePreviewTimer();
    return true;
}

widgets::CPngButton* CKeytuneDlg::control(int id) const {
    if (auto it = controls_.find(id); it != controls_.end())
        return it->second;
    return keyButtons_ ? keyButtons_->button(id) : nullptr;
}

widgets::CPngButton* CKeytuneDlg::makeButton(const char* key, int id, const char* looks) {
    auto sheet = [this](char c) -> const widgets::SkinSheet* {
        switch (c) {
            case 'N':
                return &sheets_[0];
            case 'O':
                return &sheets_[1];
            case 'D':
                return &sheets_[2];
            case 'X':
                return &sheets_[3];
            default:
                return nullptr;
        }
    };
    auto* button = new widgets::CPngButton(this);
    button->setObjectName(key);
    button->setProperty("controlId", id);
    widgets::PlaceSkinButton(
        button, settings::GetProgramPaths().mainSkinFile, widgets::kButtonInfoSection, key,
        {sheet(looks[0]), sheet(looks[1]), sheet(looks[2]), sheet(looks[3]), sheet(looks[4])});
    connect(button, &QAbstractButton::clicked, this, [this, id] { onCommand(id); });
    controls_[id] = button;
    return button;
}

void CKeytuneDlg::placeControls() {
    const auto paths = settings::GetProgramPaths();
    makeButton("VESTRA_LINK", ids::kWeb, "NOXNN");
    makeButton("FUNC_PROFILES", ids::kProfileManager, "NODNN");
    makeButton("FUNC_MACRO", ids::kMacro, "NODNN");
    makeButton("CONTROL_OK", ids::kOk, "NODNN");
    makeButton("CONTROL_CANCEL", ids::kCancel, "NODNN");
    makeButton("CONTROL_HELP", ids::kHelp, "NODNN");
    makeButton("CONTROL_CLOSE", ids::kClose, "NODNN");
    makeButton("CONTROL_MINIMIZE", ids::kMinimize, "NODNN");
    makeButton("CONTROL_MENU", ids::kMenu, "NODNN");
    makeButton("CONTROL2_APPLY", ids::kApply, "NODXN");
    makeButton("LOCK_CAPS", ids::kCapsLock, "NNNNO");
    makeButton("LOCK_NUM", ids::kNumLock, "NNNNO");
    makeButton("LOCK_SCROLL", ids::kScrollLock, "NNNNO");
    makeButton("LOCK_AB", ids::kLayerIndicator, "NNNNO")->setCheckable(true);
    makeButton("FLIP_0", ids::kFlip0, "NNNNX");
    makeButton("FLIP_1", ids::kFlip1, "NODNX");
    makeButton("FLIP_2", ids::kFlip2, "NODNX");
    for (int p = 0; p < 3; ++p) {
        const std::string key = "FUNC_PROFILE" + std::to_string(p + 1);
        makeButton(key.c_str(), ids::kProfile1 + p, "NODNX")->setCheckable(true);
    }
    makeButton("FUNC_DEFAULT", ids::kDefault, "NODNX");
    makeButton("FUNC_SWITCH", ids::kSwitch, "NODNX");
    for (int r = 0; r < 4; ++r) {
        const std::string key = "FUNC_REPORT" + std::to_string(r + 1);
        makeButton(key.c_str(), ids::kReportRates[r], "NODNX")->setCheckable(true);
    }
    makeButton("VESTRA_VER", ids::kVersion, "NNNNN")->setFocusPolicy(Qt::NoFocus);
    const char* makerKeys[3] = {"CONTROL_Network", "CONTROL_Facebook", "CONTROL_twitter"};
    for (int i = 0; i < 3; ++i) makeButton(makerKeys[i], ids::kMakerPages[i], "NODNN");
    for (const char* key : {"LEFT_ARROW", "RIGHT_ARROW"}) {
        auto* arrow = new widgets::CPngButton(this);
        arrow->setObjectName(key);
        arrow->setFocusPolicy(Qt::NoFocus);
    }

    QFont captionFont(QStringLiteral("DejaVu Sans"));
    captionFont.setPointSizeF(8);
    captionFont.setBold(true);
    for (int id : {ids::kSwitch}) controls_[id]->setCaptionFont(captionFont);

    keyButtons_ = std::make_unique<keysui::KeyButtons>(
        model_.working, texts_, [] { return device::currentProfileIndex(); },
        [this] { return link_ ? link_->gKeyLayer() : 0; });
    keyButtons_->painting = [this] { return lightingPanel_ && lightingPanel_->paintingKeys(); };
    keyButtons_->PlaceKeyButtons(this, paths.mainSkinFile,
                                 {&sheets_[0], &sheets_[1], &sheets_[2], &sheets_[0], &sheets_[3]},
                                 &sheets_[5], &sheets_[6]);
    for (int g = 0; g < 5; ++g) keyButtons_->gButton(g)->setCaptionFont(captionFont);
    connect(keyButtons_.get(), &keysui::KeyButtons::changed, this,
            [this] { setPendingChanges(true); });
    connect(keyButtons_.get(), &keysui::KeyButtons::assignmentRequested, this, [this](int id) {
        if (opener_)
            opener_->OpenForButton(id);
    });
    connect(keyButtons_.get(), &keysui::KeyButtons::paintRequested, this,
            [this](lighting::ButtonRef button) {
                if (userModes_)
                    userModes_->PaintKey(button);
            });

    busy_ = std::make_unique<BusyIndicator>(this, paths.mainSkinFile, qs(paths.skinFolder));
    keyFilter_ = new KeyFilter(this);
    keyFilter_->help = [this] { openHelp(); };

    // The two outlines: the full window and the folded one of Flip = 1.
    const settings::SkinScreen screen = settings::ReadSkinScreen(paths.mainSkinFile);
    if (screen.mask)
        fullMask_ = QImage(qs(paths.skinFolder) + qs(*screen.mask));
    else if (screen.main)
        fullMask_ = QImage(qs(paths.skinFolder) + qs(*screen.main));
    const std::string flipMask =
        settings::ReadIniString(paths.mainSkinFile, "SCREEN", "MaskFlip", "");
    if (!flipMask.empty())
        flipMask_ = QImage(qs(paths.skinFolder) + qs(flipMask));
    flip_ = settings::ReadFlip();
    layOutFlip();
    onGKeysChanged(0);
    showProfileButtons(0);
    showReportRate(0);
}

void CKeytuneDlg::layOutFlip() {
    const QImage& mask = (flip_ == 1 && !flipMask_.isNull()) ? flipMask_ : fullMask_;
    if (!mask.isNull())
        setOutlineMask(mask);
    // The arrows take their pictures from the UP offsets in the folded layout.
    const auto paths = settings::GetProgramPaths();
    const char* side[2] = {"LEFT", "RIGHT"};
    for (int i = 0; i < 2; ++i) {
        auto* arrow = findChild<widgets::CPngButton*>(QString(side[i]) + "_ARROW");
        if (!arrow)
            continue;
        const std::string offsetKey =
            std::string(flip_ == 1 ? "UP_ARROW_" : "DOWN_ARROW_") + side[i] + "1";
        widgets::PlaceArrowButton(arrow, paths.mainSkinFile, std::string(side[i]) + "_ARROW",
                                  offsetKey, sheets_[4]);
    }
    controls_[ids::kFlip0]->setChecked(flip_ == 1);
}

void CKeytuneDlg::applyLanguageTexts() {
    setWindowTitle(qs(texts_.Text("MAIN_CAPTION")));
    auto name = [this](int id, const char* key) {
        const QString text = qs(texts_.Text(key));
        controls_[id]->setToolTip(text);
        controls_[id]->setAccessibleName(text);
    };
    name(ids::kApply, "MAIN_APPLY_PROMPT");
    name(ids::kHelp, "MAIN_HELP_PROMPT");
    name(ids::kMinimize, "MAIN_MINIMIZE_PROMPT");
    name(ids::kMenu, "MAIN_MENU_PROMPT");
    name(ids::kClose, "MAIN_CLOSE_PROMPT");
    name(ids::kOk, "PROFILE_OK");
    name(ids::kCancel, "PROFILE_CANCLE");
    name(ids::kDefault, "PROFILE_DEFAULT");
    name(ids::kMacro, "PROFILE_MACRO");
    name(ids::kProfileManager, "MAIN_PROFILES_PROMPT");
    name(ids::kWeb, "MAIN_WEB_PROMPT");
    name(ids::kFlip1, "MAIN_FLIP_PROMPT");
    name(ids::kFlip2, "MAIN_FLIP_PROMPT");
    name(ids::kLayerIndicator, "MAIN_LAYER_PROMPT");
    for (int p = 0; p < 3; ++p)
        name(ids::kProfile1 + p, ("PROFILE_" + std::to_string(p + 1)).c_str());
    for (int r = 0; r < 4; ++r) {
        const QString text = qs(settings::FormatText(texts_.Text("MAIN_REPORT_PROMPT"), {r + 1}));
        controls_[ids::kReportRates[r]]->setToolTip(text);
        controls_[ids::kReportRates[r]]->setAccessibleName(text);
    }
    tray_.SetTip(qs(texts_.Text("KEYBOARD_TRAY_DESC")));
    labelSwitch();
    if (keyButtons_)
        keyButtons_->ShowProfileAssignments();
}

void CKeytuneDlg::labelSwitch() {
    const bool on = colourSelectionMode();
    const QString text =
        qs(texts_.Text(on ? "MAIN_SWITCH_COLOR_TEXT" : "MAIN_SWITCH_FUNCTION_TEXT"));
    controls_[ids::kSwitch]->setCaption(text);
    controls_[ids::kSwitch]->setAccessibleName(text);
}

void CKeytuneDlg::showProfileButtons(int profile) {
    for (int p = 0; p < 3; ++p) controls_[ids::kProfile1 + p]->setChecked(p == profile);
}

void CKeytuneDlg::showReportRate(int rate) {
    reportRate_ = rate;
    for (int r = 0; r < 4; ++r) controls_[ids::kReportRates[r]]->setChecked(r == rate);
}

int CKeytuneDlg::currentProfileIndex() const {
    return device::currentProfileIndex();
}

bool CKeytuneDlg::handleMessage(uint32_t number, uint32_t tag, int value) {
    if (ended_)
        return false;
    switch (number) {
        case msg::kOpenOrVersion:
            if (tag == msg::kOpenTag) {
                onOpen();
                return true;
            }
            if (tag == msg::kVersionTag) {
                onVersionCheck();
                return true;
            }
            return false;
        case msg::kProfile:
            if (tag != msg::kProfileTag)
                return false;
            onProfileArrived();
            return true;
        case msg::kRemoved:
            closeSecondaryDialogs();
            return true;
        case msg::kGKeys:
            if (tag != msg::kDelTag)
                return false;
            if (keyButtons_)
                keyButtons_->ShowGButtonAssignments();
            return true;
        case msg::kKill:
            if (tag != msg::kKillTag)
                return false;
            onKill();
            return true;
        case msg::kInit:
            if (tag != msg::kInitTag)
                return false;
            onInit();
            return true;
        case msg::kLanguage:
            if (tag != msg::kLanguageTag)
                return false;
            onLanguage(settings::LanguageMessageIndex(value));
            return true;
        case msg::kApplyMessage:
            onApply();
            return true;
        default:
            return false;
    }
}

void CKeytuneDlg::onInit() {
    if (ended_)
        return;
    tray_.labelMenu = [this](QMenu& menu) {
        const char* keys[3] = {"MENU_11", "MENU_22", "MENU_33"};
        const auto actions = menu.actions();
        for (int i = 0; i < 3 && i < actions.size(); ++i)
            actions[i]->setText(qs(texts_.Text(keys[i])));
    };
    tray_.Create(qs(texts_.Text("KEYBOARD_TRAY_DESC")), CTrayIcon::kNoKeyboard);
    rememberedTray_ = CTrayIcon::kNoKeyboard;
    initialised_ = true;
    hide();
}

void CKeytuneDlg::onLanguage(int index) {
    if (about_)
        about_->onLanguage(index);
    if (opener_)
        opener_->onLanguage(index);
    applyLanguageTexts();
}

void CKeytuneDlg::onOpen() {
    if (ended_)
        return;
    if (link_ && link_->state().lastDeviceCount > 0) {
        showNormal();
        raise();
        activateWindow();
    } else {
        showNotice(qs(texts_.Text("MAIN_NO_DEVICE_PROMPT")));
    }
}

void CKeytuneDlg::onVersionCheck() {
    if (ended_)
        return;
    uint8_t info[device::kDeviceInfoSize] = {};
    info[device::kDeviceInfoVersionAt] = 0;
    info[device::kDeviceInfoVersionAt + 1] = 0;
    link_->commands().ReadDeviceInfo(info);
    const uint16_t version =
        info[device::kDeviceInfoVersionAt] | (info[device::kDeviceInfoVersionAt + 1] << 8);
    if (version == 0 || version >= kOldestFirmware)
        return;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Version update"),
                    QStringLiteral("The current version is too low! Please update the program "
                                   "after upgrading."),
                    QMessageBox::Ok | QMessageBox::Cancel, this);
    const bool update = askFirmwareUpdate ? askFirmwareUpdate() : box.exec() == QMessageBox::Ok;
    if (update) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        const auto paths = settings::GetProgramPaths();
        const QString updater = qs(paths.programFolder) + kFirmwareUpdater;
        if (QFile::exists(updater))
            QProcess::startDetached(updater, {QStringLiteral("In the upgrade")},
                                    qs(paths.helpFolder));
    }
    firmwareTooOld_ = true;
    Shutdown();
}

void CKeytuneDlg::readArrivalData() {
    if (stopping_)
        return;
    profiles::ReadArrivalData(model_, *keyboard_, prompts_);
}

void CKeytuneDlg::onProfileArrived() {
    if (ended_)
        return;
    profiles::ReloadWorkingStore(*session_, false);
    int profile = keyboard_->GetCurrentProfile();
    if (profile < 0 || profile > 2)
        profile = 0;
    device::setCurrentProfileIndex(profile);
    showProfileButtons(profile);
    userModes_->ReadOnArrival([this] { refreshPanel(); });
    showReportRate(lighting_->state().reportRate);
    keyButtons_->ShowProfileAssignments();
    keyButtons_->ShowSelectionMarks();
}

void CKeytuneDlg::onDeviceRemoved() {
    if (ended_)
        return;
    closeSecondaryDialogs();
    hideToTray();
}

void CKeytuneDlg::onGKeysChanged(int layer) {
    if (ended_)
        return;
    controls_[ids::kLayerIndicator]->setChecked(layer == 1);
    for (int g = 0; g < keys::kGButtonCount; ++g) {
        const QString caption = g < 5 ? QString(layer ? "B%1" : "A%1").arg(g + 1) : QString();
        keyButtons_->gButton(g)->setCaption(caption);
    }
    handleMessage(msg::kGKeys, msg::kDelTag);
}

void CKeytuneDlg::onLightingChanged() {
    if (!ended_)
        lightingReread_.start();
}

void CKeytuneDlg::onKill() {
    Shutdown();
}

void CKeytuneDlg::setTrayPicture(int id, bool remember) {
    if (ended_)
        return;
    if (remember)
        rememberedTray_ = id;
    tray_.SetPicture(id);
}

void CKeytuneDlg::restoreTrayPicture() {
    setTrayPicture(rememberedTray_, false);
}

void CKeytuneDlg::setPendingChanges(bool pending) {
    pending_ = pending;
    PostToWindowThread(this, [this] {
        if (auto* apply = controls_.count(ids::kApply) ? controls_[ids::kApply] : nullptr)
            apply->setEnabled(pending_.load() && !ended_);
    });
    if (QThread::currentThread() == thread() && controls_.count(ids::kApply))
        controls_[ids::kApply]->setEnabled(pending && !ended_);
}

void CKeytuneDlg::redrawKeyButtons() {
    PostToWindowThread(this, [this] {
        if (!ended_ && keyButtons_)
            keyButtons_->ShowProfileAssignments();
    });
}

bool CKeytuneDlg::assignmentDialogOpen() {
    bool open = false;
    CallOnWindowThread(
        this, [this, &open] { open = opener_ && opener_->isOpen(); }, stopping_);
    return open;
}

bool CKeytuneDlg::profileManagerOpen() {
    bool open = false;
    CallOnWindowThread(
        this, [this, &open] { open = profileManager_ && profileManager_->isOpen(); }, stopping_);
    return open;
}

void CKeytuneDlg::applyNow() {
    profiles::ApplyChanges(*session_);
}

void CKeytuneDlg::refreshPanel() {
    if (lightingPanel_)
        lightingPanel_->refresh();
}

void CKeytuneDlg::closeSecondaryDialogs() {
    if (about_)
        about_->close();
    if (opener_)
        opener_->closeIfOpen();
    if (profileManager_)
        profileManager_->closeIfOpen();
    if (isVisible())
        activateWindow();
}

void CKeytuneDlg::hideToTray() {
    // Hidden only to a notification area that is there; else minimised, so
    // the window can always be found again.
    if (!isVisible())
        return;
    if (tray_.available())
        hide();
    else
        showMinimized();
}

void CKeytuneDlg::onCommand(int id) {
    if (ended_ || writing_)
        return;
    if (keyButtons_ && keyButtons_->button(id)) {
        keyButtons_->OnKeyButtonClick(id);
        return;
    }
    if (id >= ids::kProfile1 && id < ids::kProfile1 + 3) {
        onProfileButton(id - ids::kProfile1);
        return;
    }
    for (int r = 0; r < 4; ++r)
        if (id == ids::kReportRates[r]) {
            onReportRate(r);
            return;
        }
    for (int i = 0; i < 3; ++i)
        if (id == ids::kMakerPages[i]) {
            openUrl(QUrl(kMakerPages[i]));
            return;
        }
    switch (id) {
        case ids::kApply:
            onApply();
            break;
        case ids::kOk:
            onApply();
            hideToTray();
            break;
        case ids::kCancel:
            hideToTray();
            break;
        case ids::kDefault:
            onDefault();
            break;
        case ids::kSwitch:
            onSwitch();
            break;
        case ids::kFlip1:
        case ids::kFlip2:
            onFlip();
            break;
        case ids::kMenu:
            onMenuButton();
            break;
        case ids::kHelp:
            openHelp();
            break;
        case ids::kMinimize:
            showMinimized();
            break;
        case ids::kClose:
            closeByUser();
            break;
        case ids::kWeb:
            openUrl(web_);
            break;
        case ids::kProfileManager:
            if (profileManager_)
                profileManager_->open();
            break;
        case ids::kMacro:
            if (opener_)
                opener_->OpenForButton(ids::kG9);
            break;
        case ids::kImportCommand:
            onImport();
            break;
        case ids::kExportCommand:
            onExport();
            break;
        case ids::kAutostartCommand:
            toggleAutostart();
            break;
        case ids::kOpenCommand:
            onOpen();
            break;
        case ids::kAboutCommand:
            openAbout();
            break;
        case ids::kExitCommand:
            closeByUser();
            break;
        case ids::kLayerIndicator:
            // Shows the layer; a click must not change it.
            controls_[ids::kLayerIndicator]->setChecked(link_ && link_->gKeyLayer() == 1);
            break;
        default:
            break;
    }
}

void CKeytuneDlg::onApply() {
    runLongWrite([this] { profiles::ApplyChanges(*session_); });
}

void CKeytuneDlg::onProfileButton(int profile) {
    // The click toggled the button; `before` is the profile the buttons
    // showed until then.
    int before = profile;
    for (int p = 0; p < 3; ++p)
        if (p != profile && controls_[ids::kProfile1 + p]->isChecked())
            before = p;
    device::setCurrentProfileIndex(profile);
    userModes_->ReadOnProfileSwitch([this] { refreshPanel(); });
    showReportRate(lighting_->state().reportRate);
    if (lightingPanel_ && lightingPanel_->isShown())
        lightingPanel_->hidePanel();
    if (keyboard_->GetCurrentProfile() == profile) {
        showProfileButtons(before);
        return;
    }
    int switched = 0;
    runLongWrite(
        [this, profile, &switched] { switched = profiles::SwitchProfile(*session_, profile); });
    if (ended_)
        return;
    if (switched != 1) {
        showProfileButtons(before);
        return;
    }
    showProfileButtons(profile);
    keyButtons_->setColourSelectionMode(false);
    labelSwitch();
    keyButtons_->ShowProfileAssignments();
}

void CKeytuneDlg::onReportRate(int rate) {
    showReportRate(rate);
    lighting_->ClickReportRate(rate);
}

void CKeytuneDlg::onDefault() {
    if (!askYesNo(qs(texts_.Text("MAIN_PROMPT_DEFAULT"))))
        return;
    keyButtons_->ResetProfileAssignments();
    if (lightingPanel_ && lightingPanel_->isShown())
        lightingPanel_->restoreDefaults();
    onApply();
}

void CKeytuneDlg::onSwitch() {
    keyButtons_->setColourSelectionMode(!keyButtons_->colourSelectionMode());
    labelSwitch();
    keyButtons_->ShowProfileAssignments();
}

void CKeytuneDlg::onFlip() {
    flip_ = settings::WriteFlip(settings::ReadFlip() == 1 ? 0 : 1);
    layOutFlip();
}

void CKeytuneDlg::onMenuButton() {
    commandMenu_ = std::make_unique<QMenu>(this);
    auto add = [this](int id, const char* key) {
        QAction* action = commandMenu_->addAction(qs(texts_.Text(key)));
        connect(action, &QAction::triggered, this, [this, id] { onCommand(id); });
        return action;
    };
    add(ids::kImportCommand, "MENU_1");
    add(ids::kExportCommand, "MENU_2");
    QAction* autostart = add(ids::kAutostartCommand, "MAIN_MENU_AUTOSTART");
    autostart->setCheckable(true);
    autostart->setChecked(QFile::exists(autostartFile()));
    // Without a notification area its three commands live here.
    if (!tray_.available()) {
        commandMenu_->addSeparator();
        add(ids::kAboutCommand, "MENU_22");
        add(ids::kExitCommand, "MENU_33");
    }
    commandMenu_->popup(QCursor::pos());
}

void CKeytuneDlg::onImport() {
    const QString path = chooseProfileFile(false);
    if (path.isEmpty())
        return;
    runLongWrite([this, path] {
        profiles::ImportProfileFile(*session_, std::filesystem::path(path.toStdString()));
    });
    if (!ended_)
        keyButtons_->ShowProfileAssignments();
}

void CKeytuneDlg::onExport() {
    const QString path = chooseProfileFile(true);
    if (path.isEmpty())
        return;
    profiles::ExportProfileFile(*session_, std::filesystem::path(path.toStdString()));
}

void CKeytuneDlg::toggleAutostart() {
    const QString file = autostartFile();
    if (QFile::exists(file)) {
        QFile::remove(file);
        return;
    }
    QDir().mkpath(QFileInfo(file).path());
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return;
    const QString program = qs(settings::GetProgramPaths().executablePath);
    out.write(QStringLiteral("[Desktop Entry]\nType=Application\nName=Keytune\n"
                             "Comment=Velkor TX20 keyboard settings\nExec=\"%1\" /Start\n"
                             "Icon=keytune\nTerminal=false\nX-GNOME-Autostart-enabled=true\n")
                  .arg(program)
                  .toUtf8());
}

void CKeytuneDlg::openHelp() {
    openUrl(QUrl::fromLocalFile(qs(settings::GetProgramPaths().helpFolder) + "index.html"));
}

void CKeytuneDlg::openAbout() {
    if (!about_) {
        about_ = new AboutBox(texts_, web_, this);
        about_->onLanguage(settings::GetLanguageIndex());
    }
    about_->show();
    about_->raise();
    about_->activateWindow();
}

void CKeytuneDlg::closeByUser() {
    if (ended_)
        return;
    if (pending_) {
        switch (askClosePending()) {
            case 0:
                onApply();
                break;
            case 1:
                break;
            default:
                return;
        }
    }
    Shutdown();
}

void CKeytuneDlg::Shutdown() {
    if (ended_)
        return;
    if (writing_) {
        // The write ends first; the window is blocked meanwhile.
        killAfterWrite_ = true;
        return;
    }
    ended_ = true;
    hide();
    if (about_)
        about_->close();
    if (opener_)
        opener_->closeIfOpen();
    if (profileManager_)
        profileManager_->closeIfOpen();
    // No worker and no library event may reach the window from here on.
    stopping_ = true;
    if (connection_)
        connection_->stop();
    if (link_)
        link_->detach();
    if (releaseInstance)
        releaseInstance();
    tray_.Remove();
    pending_ = false;
    if (controls_.count(ids::kApply))
        controls_[ids::kApply]->setEnabled(false);
    {
        std::lock_guard lock(model_.working.lock());
        model_.working.releaseAll();
    }
    {
        std::lock_guard lock(model_.device.lock());
        model_.device.releaseAll();
    }
    lightingReread_.stop();
    previewTimer_.stop();
    QCoreApplication::exit(0);
}

void CKeytuneDlg::updatePreviewTimer() {
    const bool run = !ended_ && isVisible() && lightingPanel_ && lightingPanel_->isShown();
    if (run && !previewTimer_.isActive())
        previewTimer_.start(100);
    else if (!run)
        previewTimer_.stop();
}

void CKeytuneDlg::showEvent(QShowEvent* event) {
    CImgDialogBase::showEvent(event);
    updatePreviewTimer();
}

void CKeytuneDlg::hideEvent(QHideEvent* event) {
    CImgDialogBase::hideEvent(event);
    updatePreviewTimer();
}

void CKeytuneDlg::changeEvent(QEvent* event) {
    CImgDialogBase::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        updatePreviewTimer();
}

void CKeytuneDlg::closeEvent(QCloseEvent* event) {
    event->ignore();
    closeByUser();
}

void CKeytuneDlg::runLongWrite(const std::function<void()>& work) {
    if (writing_)
        return;
    writing_ = true;
    busy_->begin();
    qApp->installEventFilter(this);
    // The window thread keeps handling events (painting, the indicator's
    // timer, questions the write raises) until the worker is done; the
    // worker's last post wakes it.
    std::atomic<bool> done{false};
    std::thread worker([this, &work, &done] {
        work();
        done = true;
        PostToWindowThread(this, [] {});
    });
    while (!done)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents | QEventLoop::AllEvents, 50);
    worker.join();
    qApp->removeEventFilter(this);
    busy_->end();
    writing_ = false;
    if (killAfterWrite_)
        Shutdown();
}

bool CKeytuneDlg::eventFilter(QObject* watched, QEvent* event) {
    if (writing_ && isUserInput(event->type())) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && widget->window() == this)
            return true;
    }
    return CImgDialogBase::eventFilter(watched, event);
}

}  // namespace app
