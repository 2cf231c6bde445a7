#include "ProfileOperations.h"

#include <mutex>

#include "KeyboardReads.h"
#include "KeyboardWriter.h"
#include "ProfileFile.h"

namespace profiles {

int ReloadWorkingStore(ConfigSession& session, bool keepApply) {
    EnsureProfileFolder(session.locations);
    const std::filesystem::path cache = CachePath(session.locations);
    const int current = session.keyboard.GetCurrentProfile();
    const bool read = current >= 0 &&
                      ReadKeyboardIntoFile(session.model, session.keyboard, session.prompts, cache);
    keys::AssignmentStore& working = session.model.working;
    {
        std::lock_guard<std::recursive_mutex> guard(working.lock());
        // A cache that cannot be loaded leaves the default profile, never a
        // store without a block.
        if (!read || !LoadStoreFromFile(cache, working))
            CreateDefaultProfile(working);
        session.host.redrawKeyButtons();
    }
    if (!keepApply)
        session.host.setPendingChanges(false);
    return 1;
}

bool ApplyChanges(ConfigSession& session) {
    session.host.showBusy(true);
    bool done = !session.host.hasPendingChanges();
    if (!done) {
        std::lock_guard<std::recursive_mutex> guard(session.model.working.lock());
        const bool saved =
            SaveStoreToCache(CachePath(session.locations), session.model.working, false);
        const bool written =
            keys::ApplyToKeyboard(session.model, session.keyboard, session.prompts, false);
        done = saved && written;
        if (done)
            session.host.setPendingChanges(false);
    }
    session.host.showBusy(false);
    return done;
}

bool ImportProfileFile(ConfigSession& session, const std::filesystem::path& path) {
    if (ValidateProfileFile(path, session.prompts) != kProfileValid) {
        session.prompts.showMessage("MAIN_PROMPT_INPORT");
        return false;
    }
    // Checked before anything changes: an import that cannot be written
    // leaves the working store and the cache as they were.
    if (!keys::EnsureKeyboardDefaultKeyMap(session.model, session.keyboard)) {
        session.prompts.showMessage("KEYMAP_DEFAULT_UNREAD", true);
        return false;
    }
    keys::AssignmentStore& working = session.model.working;
    bool written = false;
    {
        std::lock_guard<std::recursive_mutex> guard(working.lock());
        if (!LoadStoreFromFile(path, working)) {
            session.prompts.showMessage("MAIN_PROMPT_INPORT");
            return false;
        }
        SaveStoreToCache(CachePath(session.locations), working, false);
        written = keys::ApplyToKeyboard(session.model, session.keyboard, session.prompts, true);
        session.host.redrawKeyButtons();
    }
    session.host.setPendingChanges(!written);
    return written;
}

bool ExportProfileFile(ConfigSession& session, const std::filesystem::path& path) {
    std::lock_guard<std::recursive_mutex> guard(session.model.working.lock());
    return SaveStoreToFile(path, session.model.working, false);
}

int SwitchProfile(ConfigSession& session, int target) {
    if (target >= 3)
        target = 0;
    ProfileHost& host = session.host;
    if (host.assignmentDialogOpen()) {
        session.prompts.showMessage("PROFILE_SEELCT_PROMPT2");
        return 0;
    }
    const bool pending = host.profileManagerHasPendingChanges() || host.hasPendingChanges();
    if (pending) {
        bool expected = false;
        if (session.switchPromptOpen.compare_exchange_strong(expected, true)) {
            const bool applyFirst = session.prompts.askYesNo("PROFILE_SELECT_PROMPT");
            if (applyFirst) {
                host.applyNow();
            } else {
                host.setPendingChanges(false);
                if (session.keyboard.GetCurrentProfile() >= 0) {
                    keys::AssignmentStore& working = session.model.working;
                    std::lock_guard<std::recursive_mutex> guard(working.lock());
                    LoadStoreFromFile(CachePath(session.locations), working);
                }
            }
            session.switchPromptOpen = false;
        }
        session.keyboard.SetCurrentProfile(target);
    } else {
        session.keyboard.SetCurrentProfile(target);
        if (host.profileManagerOpen()) {
            host.markProfileManagerActiveRow(target);
            host.disableProfileManagerApply();
        }
    }
    {
        std::lock_guard<std::recursive_mutex> guard(session.model.working.lock());
        host.redrawKeyButtons();
    }
    host.rebuildProfileMenu();
    return 1;
}

}  // namespace profiles
