// CKeytuneDlg.h - Keytune's main window: the keyboard picture with its key
// buttons, the profile, report-rate and command buttons, the tray icon, and
// the handlers of the messages through which the keyboard connection and
// other instances reach the window.
//
// The window starts hidden and is shown only by "OPEN" (the first arrival of
// a keyboard, the tray icon, a second start). Long keyboard writes run on a
// worker thread while the window keeps painting with its input blocked.
#pragma once

#include <QPointer>
#include <QTimer>
#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <optional>

#include "AboutBox.h"
#include "BusyIndicator.h"
#include "CTrayIcon.h"
#include "ConfigModel.h"
#include "DeviceConnection.h"
#include "DeviceKeyboardCommands.h"
#include "KeyButtons.h"
#include "KeyFilter.h"
#include "MessageBoxPrompts.h"
#include "ProfileOperations.h"
#include "Seams.h"
#include "device/DeviceLink.h"
#include "device/HidServLibrary.h"
#include "lighting/Lighting.h"
#include "lighting/UserLightModes.h"
#include "widgets/CImgDialogBase.h"
#include "widgets/CPngButton.h"
#include "widgets/SkinSheets.h"

namespace app {

class CKeytuneDlg : public widgets::CImgDialogBase,
                    public ConnectionHost,
                    public profiles::ProfileHost {
    Q_OBJECT
  public:
    explicit CKeytuneDlg(const settings::TextSource& texts);
    ~CKeytuneDlg() override;

    // The start of the window, in order: skin, device library and link,
    // default profile, sheets, controls, "INIT" and "LANG". Returns false
    // with a reason when the program cannot run (the caller ends with 0).
    bool Initialise(QString* reason);
    // Every way out: hide, close the dialogs, stop the connection, remove the
    // tray icon, drop the pending changes, free the stores; ends the event
    // loop. Runs once.
    void Shutdown();
    // Asks first when changes are pending (a person closing the window).
    void closeByUser();

    // A private message: dispatched by number; a wrong tag is ignored.
    // Returns whether a handler ran.
    bool handleMessage(uint32_t number, uint32_t tag, int value = 0);
    // The window messages as typed methods.
    void onOpen() override;
    void onVersionCheck() override;
    void onProfileArrived() override;
    void onDeviceRemoved() override;
    void onGKeysChanged(int layer) override;
    void onKill();
    void onInit();
    void onLanguage(int index);
    void onLightingChanged() override;

    // A command by control or command id (buttons, menus, tray).
    void onCommand(int id);

    // "/Start": the first arrival does not show the window.
    void setStartInTray(bool on) { startInTray_ = on; }
    // Run by Shutdown to give up the single-instance lock and socket.
    std::function<void()> releaseInstance;

    // Seams for the windows of later work; null means absent.
    void setLightingPanel(LightingPanelView* panel) { lightingPanel_ = panel; }
    void setKeyAssignmentOpener(KeyAssignmentOpener* opener) { opener_ = opener; }
    void setProfileManager(ProfileManagerView* manager) { profileManager_ = manager; }

    // State the tests and the tray read.
    int currentProfileIndex() const;
    bool pendingChanges() const { return pending_.load(); }
    bool initialised() const { return initialised_.load(); }
    bool colourSelectionMode() const { return keyButtons_ && keyButtons_->colourSelectionMode(); }
    bool writing() const { return writing_; }
    bool ended() const { return ended_; }
    widgets::CPngButton* control(int id) const;
    keysui::KeyButtons* keyButtons() const { return keyButtons_.get(); }
    CTrayIcon& tray() { return tray_; }
    BusyIndicator* busyIndicator() const { return busy_.get(); }
    QPointer<AboutBox> aboutBox() const { return about_; }
    keys::ConfigModel& model() { return model_; }
    device::DeviceLink* link() const { return link_.get(); }
    DeviceConnection* connection() const { return connection_.get(); }
    lighting::Lighting* lighting() const { return lighting_.get(); }
    QMenu* commandMenu() const { return commandMenu_.get(); }
    QTimer& previewTimer() { return previewTimer_; }
    int reportRate() const { return reportRate_; }
    int flipLayout() const { return flip_; }

    // Overridable in tests: the file dialogs and the questions of the window.
    std::function<QString(bool save)> chooseProfileFile;
    std::function<bool(const QString&)> askYesNo;
    // 0 apply and quit, 1 quit without applying, 2 cancel.
    std::function<int()> askClosePending;
    std::function<void(const QString&)> showNotice;
    std::function<void(const QUrl&)> openUrl;
    // The firmware prompt; true for OK (the updater is started).
    std::function<bool()> askFirmwareUpdate;
    // The firmware check ended the program.
    bool firmwareTooOld() const { return firmwareTooOld_; }

    // ConnectionHost, ProfileHost.
    bool windowInitialised() const override { return initialised_.load(); }
    void readArrivalData() override;
    void setTrayPicture(int id, bool remember) override;
    void restoreTrayPicture() override;
    bool hasPendingChanges() override { return pending_.load(); }
    void setPendingChanges(bool pending) override;
    void redrawKeyButtons() override;
    bool assignmentDialogOpen() override;
    void applyNow() override;
    bool profileManagerOpen() override;

  protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    widgets::CPngButton* makeButton(const char* key, int id, const char* looks);
    void placeControls();
    void layOutFlip();
    void applyLanguageTexts();
    void labelSwitch();
    void showProfileButtons(int profile);
    void showReportRate(int rate);
    void hideToTray();
    void closeSecondaryDialogs();
    void updatePreviewTimer();
    void refreshPanel();

    void onApply();
    void onProfileButton(int profile);
    void onReportRate(int rate);
    void onDefault();
    void onSwitch();
    void onFlip();
    void onMenuButton();
    void onImport();
    void onExport();
    void toggleAutostart();
    void openHelp();
    void openAbout();

    // Runs work off the window thread with the window painted, its input
    // blocked and the busy indicator animating; returns when work is done.
    void runLongWrite(const std::function<void()>& work);
    bool eventFilter(QObject* watched, QEvent* event) override;

    const settings::TextSource& texts_;
    std::atomic<bool> stopping_{false};
    device::HidServLibrary library_;
    bool libraryStarted_ = false;
    std::unique_ptr<device::DeviceLink> link_;
    std::unique_ptr<profiles::DeviceKeyboardCommands> keyboard_;
    keys::ConfigModel model_;
    MessageBoxPrompts prompts_;
    std::unique_ptr<profiles::ConfigSession> session_;
    std::unique_ptr<lighting::Lighting> lighting_;
    std::unique_ptr<lighting::UserLightModes> userModes_;
    std::unique_ptr<DeviceConnection> connection_;

    widgets::SkinSheets sheets_;
    std::map<int, widgets::CPngButton*> controls_;
    std::unique_ptr<keysui::KeyButtons> keyButtons_;
    std::unique_ptr<BusyIndicator> busy_;
    KeyFilter* keyFilter_ = nullptr;
    CTrayIcon tray_;
    std::unique_ptr<QMenu> commandMenu_;
    QPointer<AboutBox> about_;
    QImage fullMask_;
    QImage flipMask_;
    QUrl web_;

    LightingPanelView* lightingPanel_ = nullptr;
    KeyAssignmentOpener* opener_ = nullptr;
    ProfileManagerView* profileManager_ = nullptr;

    QTimer lightingReread_;  // timer 1051
    QTimer previewTimer_;    // timer 1052

    std::atomic<bool> pending_{false};
    std::atomic<bool> initialised_{false};
    bool startInTray_ = false;
    bool writing_ = false;
    bool killAfterWrite_ = false;
    bool ended_ = false;
    bool firmwareTooOld_ = false;
    int rememberedTray_ = CTrayIcon::kNoKeyboard;
    int reportRate_ = 0;
    int flip_ = 0;
};

}  // namespace app
