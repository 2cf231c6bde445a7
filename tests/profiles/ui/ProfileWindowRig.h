// ProfileWindowRig.h - the profile manager and the profile menu on the
// firmware model of the keyboard (behind the fake device library), with a
// main window stand-in, a small skin and scripted prompts and texts.
#pragma once

#include <QImage>
#include <QMenu>
#include <QPainter>
#include <QThread>
#include <atomic>
#include <map>
#include <memory>

#include "CKeytune_DlgProfile.h"
#include "ConfigTestSupport.h"
#include "DeviceKeyboardCommands.h"
#include "FakeHidServ.h"
#include "KeyboardReads.h"
#include "ProfileMenu.h"
#include "device/DeviceLink.h"
#include "support/FirmwareResponder.h"
#include "support/TempFolder.h"
#include "vkbd/Firmware.h"

namespace rig {

using profiles::ui::CKeytune_DlgProfile;
using profiles::ui::ProfileMenu;

// Language texts from a table; "#Error" for a key it lacks.
class TableTexts : public settings::TextSource {
  public:
    std::string Lookup(std::string_view, std::string_view key) const override {
        const auto it = table.find(std::string(key));
        return it == table.end() ? std::string(settings::kMissingText) : it->second;
    }
    std::map<std::string, std::string> table = {
        {"DEFAULT_PROFILE_NAME", "Default profile"},
        {"PROFILE_TIP", "Current profile: "},
        {"PROFILE_NEW", " - New profile"},
        {"PROFILE_1", "Profile 1"},
        {"PROFILE_2", "Profile 2"},
        {"PROFILE_3", "Profile 3"},
        {"PROFILE_COLUMN_ACTIVE", "Active"},
        {"PROFILE_COLUMN_NAME", "Name"},
        {"PROFILE_COLUMN_FOLDER", "Folder"},
    };
};

// The main window's side of the profile operations.
class WindowHost : public profiles::ProfileHost {
  public:
    bool hasPendingChanges() override { return pending; }
    void setPendingChanges(bool value) override { pending = value; }
    void redrawKeyButtons() override {
        ++redraws;
        redrawOnWindowThread = QThread::currentThread() == QCoreApplication::instance()->thread();
    }
    void showBusy(bool busy) override { busyCalls.push_back(busy); }
    bool assignmentDialogOpen() override { return assignmentOpen; }
    bool profileManagerHasPendingChanges() override {
        return dialog && dialog->hasPendingChanges();
    }
    bool profileManagerOpen() override { return dialog && dialog->isOpen(); }
    void markProfileManagerActiveRow(int row) override { dialog->markActiveRow(row); }
    void disableProfileManagerApply() override { dialog->disableApply(); }
    void rebuildProfileMenu() override {
        if (menu)
            menu->BuildProfileMenu(false);
    }

    std::atomic<bool> pending{false};
    bool assignmentOpen = false;
    int redraws = 0;
    bool redrawOnWindowThread = false;
    std::vector<bool> busyCalls;
    CKeytune_DlgProfile* dialog = nullptr;
    ProfileMenu* menu = nullptr;
};

// Notes the thread the keyboard's key maps are read on.
class ThreadNotingCommands : public profiles::DeviceKeyboardCommands {
  public:
    using DeviceKeyboardCommands::DeviceKeyboardCommands;
    int ReadKeyMap(uint8_t* map, int profile) override {
        readOnWindowThread = QThread::currentThread() == QCoreApplication::instance()->thread();
        return DeviceKeyboardCommands::ReadKeyMap(map, profile);
    }
    std::atomic<bool> readOnWindowThread{true};
};

// A skin of plain pictures: the list above a row of six buttons.
inline void writeFixtureSkin(const testsupport::TempFolder& folder) {
    const char* ini =
        "[SCREEN]\nMain=Profile_normal.jpg\n"
        "[BUTTONINFO]\n"
        "PROGRAM_LIST=20,20,420,200\n"
        "FUNC_ADD=20,240,60,30\nFUNC_LOAD=90,240,60,30\nFUNC_DELETE=160,240,60,30\n"
        "CONTROL_OK=230,240,60,30\nCONTROL_CANCEL=300,240,60,30\nCONTROL2_APPLY=370,240,60,30\n";
    folder.write("Profile.ini", ini);
    const std::pair<const char*, QColor> sheets[] = {{"Profile_normal.jpg", QColor(40, 40, 48)},
                                                     {"Profile_over.jpg", QColor(60, 60, 80)},
                                                     {"Profile_down.jpg", QColor(0, 130, 200)}};
    for (const auto& [name, colour] : sheets) {
        QImage image(460, 290, QImage::Format_RGB32);
        image.fill(colour);
        image.save(QString::fromStdString(folder.file(name)), "JPG");
    }
}

struct Rig {
    explicit Rig(bool keyboardAnswers = true)
        : link(keyboard.api(),
               {std::chrono::milliseconds(keyboardAnswers ? 500 : 20), std::chrono::milliseconds(1),
                std::chrono::milliseconds(5), std::chrono::milliseconds(1)}),
          commands(link.commands()),
          session{model,
                  commands,
                  prompts,
                  host,
                  {folder / "data" / "Velkor TX20 Keyboard", folder / "template.userd"}} {
        keyboard.setResponder([this, keyboardAnswers](const device::FrameBytes& request,
                                                      int) -> std::optional<device::FrameBytes> {
            if (!keyboardAnswers)
                return std::nullopt;
            return testsupport::firmwareAnswer(firmware, request);
        });
        link.StartDeviceLink();
        folder.write("template.userd", "template");
        writeFixtureSkin(folder);
        if (keyboardAnswers)
            profiles::ReadArrivalData(model, commands, prompts);
        profiles::CreateDefaultProfile(model.working);

        qmenu = std::make_unique<QMenu>();
        menu = std::make_unique<ProfileMenu>(session, texts);
        dialog = std::make_unique<CKeytune_DlgProfile>(
            session, folder.file("Profile.ini"), QString::fromStdString(folder.path()), texts);
        host.dialog = dialog.get();
        host.menu = menu.get();
        menu->BuildProfileMenu(true, qmenu.get());
    }
    ~Rig() { link.detach(); }

    QString profileFolder() const {
        return QString::fromStdString((folder / "data" / "Velkor TX20 Keyboard").string()) + "/";
    }
    // The commands written to the keyboard since the last mark, each run of
    // frames of one command counted once.
    std::vector<int> commandsSinceMark() const {
        std::vector<int> result;
        const auto writes = keyboard.writes();
        for (size_t i = mark; i < writes.size(); ++i)
            if (result.empty() || result.back() != writes[i][device::kFrameCommandAt])
                result.push_back(writes[i][device::kFrameCommandAt]);
        return result;
    }
    void markWrites() { mark = keyboard.writeCount(); }
    // Makes a profile the keyboard's current one, as another program would.
    bool select(int profile) {
        commands.SetCurrentProfile(profile);
        return firmware.currentProfile() == profile;
    }

    testsupport::TempFolder folder;
    vkbd::Firmware firmware;
    fake::FakeKeyboard keyboard;
    device::DeviceLink link;
    ThreadNotingCommands commands;
    keys::ConfigModel model;
    testing_config::ScriptedPrompts prompts;
    WindowHost host;
    profiles::ConfigSession session;
    TableTexts texts;
    std::unique_ptr<QMenu> qmenu;
    std::unique_ptr<ProfileMenu> menu;
    std::unique_ptr<CKeytune_DlgProfile> dialog;
    size_t mark = 0;
};

}  // namespace rig
