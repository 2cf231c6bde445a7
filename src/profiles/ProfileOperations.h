// ProfileOperations.h - moving the working store between the keyboard, the
// cache file, the user's profile files and memory, and switching the
// keyboard's current profile.
#pragma once

#include <atomic>
#include <filesystem>

#include "ConfigModel.h"
#include "KeyboardCommands.h"
#include "ProfileLocations.h"
#include "Prompts.h"

namespace profiles {

// What the operations need from the main window and its dialogs. The
// defaults describe a program without windows (the command line).
class ProfileHost {
  public:
    virtual ~ProfileHost() = default;

    // The main window's pending-changes mark (its Apply button enabled).
    virtual bool hasPendingChanges() = 0;
    virtual void setPendingChanges(bool pending) = 0;

    virtual void redrawKeyButtons() {}
    virtual void showBusy(bool /*busy*/) {}

    // Switching profiles.
    virtual bool assignmentDialogOpen() { return false; }
    virtual bool profileManagerHasPendingChanges() { return false; }
    // Runs the main window's Apply and returns when it is done.
    virtual void applyNow() {}
    virtual bool profileManagerOpen() { return false; }
    virtual void markProfileManagerActiveRow(int /*row*/) {}
    virtual void disableProfileManagerApply() {}
    virtual void rebuildProfileMenu() {}
};

// Everything an operation works with.
struct ConfigSession {
    keys::ConfigModel& model;
    keys::KeyboardCommands& keyboard;
    keys::Prompts& prompts;
    ProfileHost& host;
    ProfileLocations locations;
    std::atomic<bool> switchPromptOpen{false};
};

// Rebuilds the working store from the keyboard through the cache file; the
// default profile when the keyboard cannot be read. Unless keepApply, the
// pending-changes mark is cleared. Returns 1.
int ReloadWorkingStore(ConfigSession& session, bool keepApply);

// The main window's Apply: with pending changes, save the cache and write the
// current profile to the keyboard; the mark is cleared when both succeeded.
bool ApplyChanges(ConfigSession& session);

// Restores a profile file chosen by the caller: validate, load, save to the
// cache, write all profiles and the macros. A file that cannot be imported
// shows "MAIN_PROMPT_INPORT" and changes nothing. When the keyboard write
// fails, the imported configuration stays in the working store with the
// pending-changes mark set, so the next Apply writes it. Without a default
// key map read from the keyboard, "KEYMAP_DEFAULT_UNREAD" is shown and
// nothing changes.
bool ImportProfileFile(ConfigSession& session, const std::filesystem::path& path);

// Saves the working store to a file chosen by the caller. Silent.
bool ExportProfileFile(ConfigSession& session, const std::filesystem::path& path);

// Changes the keyboard's current profile (target -1 selects nothing; 3 or
// more becomes 0). Returns 1 when switched, 0 when refused.
int SwitchProfile(ConfigSession& session, int target);

}  // namespace profiles
