// Reload, apply and profile switching over a recording keyboard.
#include <gtest/gtest.h>

#include "ConfigTestSupport.h"
#include "KeyMapCodec.h"
#include "KeyboardReads.h"
#include "ProfileFile.h"
#include "ProfileOperations.h"
#include "ProfileTestSupport.h"

using namespace profiles;
using namespace testing_config;

namespace {

class ProfileOperationsTest : public ::testing::Test {
  protected:
    ProfileOperationsTest()
        : session{
              model, keyboard, prompts, host, {folder / "profiles", folder / "template.userd"}} {
        model.macroCapacity = 64 * 128;
        keyboard.factoryMap = keys::builtInDefaultKeyMap();
        model.defaultKeyMap.set(keyboard.factoryMap);  // as read at arrival
        for (auto& map : keyboard.maps) map = keys::builtInDefaultKeyMap();
        keyboard.macroMemory = {0x12, 0x34};  // no AA 55: the keyboard holds no macros
        CreateDefaultProfile(model.working);
    }
    keys::KeyAssignment& record(int profile, uint16_t index) {
        return *keys::RecordAt(model.working, profile, index);
    }

    TempFolder folder;
    keys::ConfigModel model;
    RecordingKeyboard keyboard;
    ScriptedPrompts prompts;
    TestHost host;
    ConfigSession session;
};

}  // namespace

TEST_F(ProfileOperationsTest, ReloadReadsTheKeyboardThroughTheCache) {
    keyboard.maps[1][37 * 3 + 2] = 0x04;  // Space sends A in profile 1
    host.pending = true;
    EXPECT_EQ(ReloadWorkingStore(session, false), 1);
    EXPECT_FALSE(host.pending);
    EXPECT_EQ(host.redraws, 1);
    ASSERT_TRUE(model.working.block);
    EXPECT_EQ(record(1, 0x039).type, keys::kAssignKey);
    EXPECT_EQ(record(1, 0x039).data, 0x01E);
    EXPECT_TRUE(model.working.macros.empty());
    const std::vector<uint8_t> cache = fileBytes(CachePath(session.locations));
    ASSERT_EQ(cache.size(), 32832u);
    EXPECT_EQ(cache[14], 0) << "macro count";

    // A keyboard that cannot be asked leaves the default profile.
    keyboard.currentProfile = -1;
    record(0, 0x039).type = keys::kAssignDisabled;
    host.pending = true;
    ReloadWorkingStore(session, true);
    EXPECT_EQ(record(1, 0x039).type, keys::kAssignDefault);
    EXPECT_EQ(record(0, 256).aux, 0x0301);
    EXPECT_TRUE(host.pending) << "keepApply";
}

TEST_F(ProfileOperationsTest, ApplyClearsTheMarkOnlyWhenCacheAndKeyboardAreWritten) {
    keyboard.currentProfile = 1;
    host.pending = true;
    EXPECT_FALSE(ApplyChanges(session)) << "no cache file yet";
    EXPECT_EQ(keyboard.calls, (std::vector<std::string>{"begin", "macros 16", "map 1", "end"}));
    EXPECT_TRUE(host.pending);

    EnsureProfileFolder(session.locations);
    ASSERT_TRUE(CreateDefaultProfile(CachePath(session.locations)));
    record(1, 0x039) = {keys::kAssignDisabled, 0, 0};
    EXPECT_TRUE(ApplyChanges(session));
    EXPECT_FALSE(host.pending);
    keys::AssignmentStore cached;
    ASSERT_TRUE(LoadStoreFromFile(CachePath(session.locations), cached));
    EXPECT_EQ(keys::RecordAt(cached, 1, 0x039)->type, keys::kAssignDisabled);

    keyboard.calls.clear();
    EXPECT_TRUE(ApplyChanges(session)) << "nothing pending";
    EXPECT_TRUE(keyboard.calls.empty());
}

TEST_F(ProfileOperationsTest, SwitchingProfiles) {
    EnsureProfileFolder(session.locations);
    ASSERT_TRUE(CreateDefaultProfile(CachePath(session.locations)));

    // Refused while the key assignment dialog is open.
    host.dialogOpen = true;
    EXPECT_EQ(SwitchProfile(session, 2), 0);
    EXPECT_EQ(prompts.shown, (std::vector<std::string>{"PROFILE_SEELCT_PROMPT2"}));
    EXPECT_TRUE(keyboard.calls.empty());
    host.dialogOpen = false;

    // Pending changes, answered No: the working store goes back to the cache.
    record(0, 0x039) = {keys::kAssignDisabled, 0, 0};
    host.pending = true;
    prompts.answers = {false};
    EXPECT_EQ(SwitchProfile(session, 2), 1);
    EXPECT_EQ(prompts.asked, (std::vector<std::string>{"PROFILE_SELECT_PROMPT"}));
    EXPECT_EQ(record(0, 0x039).type, keys::kAssignDefault);
    EXPECT_FALSE(host.pending);
    EXPECT_EQ(keyboard.currentProfile, 2);
    EXPECT_EQ(host.applies, 0);

    // Answered Yes: the main window's Apply runs first.
    host.pending = true;
    prompts.answers = {true};
    EXPECT_EQ(SwitchProfile(session, 1), 1);
    EXPECT_EQ(host.applies, 1);
    EXPECT_EQ(keyboard.currentProfile, 1);

    // Without pending changes no question; a target of 3 or more becomes 0,
    // -1 selects nothing.
    host.pending = false;
    prompts.asked.clear();
    EXPECT_EQ(SwitchProfile(session, 7), 1);
    EXPECT_EQ(keyboard.currentProfile, 0);
    EXPECT_EQ(SwitchProfile(session, -1), 1);
    EXPECT_EQ(keyboard.currentProfile, 0);
    EXPECT_TRUE(prompts.asked.empty());
    EXPECT_EQ(host.menuRebuilds, 4);
}

TEST_F(ProfileOperationsTest, FilesThatCannotBeImportedChangeNothing) {
    const auto good = folder / "good.kpf";
    {
        keys::AssignmentStore source;
        CreateDefaultProfile(source);
        source.macros = {makeMacro(1, u"m", {})};
        ASSERT_TRUE(SaveStoreToFile(good, source, true));
    }
    const std::vector<uint8_t> valid = fileBytes(good);
    auto shortened = valid;
    shortened.resize(valid.size() - 100);  // the header still promises the whole macro
    auto badChecksum = valid;
    badChecksum[31]++;

    struct Case {
        const char* what;
        std::optional<std::vector<uint8_t>> bytes;
        std::vector<std::string> messages;
    } cases[] = {
        {"missing", std::nullopt, {"MAIN_PROMPT_INPORT"}},
        {"too short for a profile", std::vector<uint8_t>(32831, 0), {"MAIN_PROMPT_INPORT"}},
        {"bad header", badChecksum, {"PROFILE_FORMAT_ERROR", "MAIN_PROMPT_INPORT"}},
        {"shorter than its header says", shortened, {"MAIN_PROMPT_INPORT"}},
    };
    record(0, 0x039) = {keys::kAssignDisabled, 0, 0};
    for (const Case& c : cases) {
        const auto path = folder / "import.kpf";
        std::filesystem::remove(path);
        if (c.bytes)
            writeBytes(path, *c.bytes);
        prompts.shown.clear();
        host.pending = true;
        EXPECT_FALSE(ImportProfileFile(session, path)) << c.what;
        EXPECT_EQ(prompts.shown, c.messages) << c.what;
        EXPECT_TRUE(keyboard.calls.empty()) << c.what;
        EXPECT_TRUE(host.pending) << c.what;
        ASSERT_TRUE(model.working.block) << c.what;
        EXPECT_EQ(record(0, 0x039).type, keys::kAssignDisabled) << c.what;
        EXPECT_TRUE(model.working.macros.empty()) << c.what;
    }
}

TEST_F(ProfileOperationsTest, MacroMemoryHeaderLargerThanTheCapacity) {
    // One macro "Ab" behind a header that claims 65535 bytes.
    keyboard.macroMemory = {0xAA, 0x55, 0xFF, 0xFF, 0x01, 0x00, 0x01, 0x00, 0,    0,    0,    0,
                            0,    0,    0,    0,    0x12, 0x00, 0x02, 0x00, 0x01, 0x02, 0x05, 0xA0,
                            0x02, 0x04, 0x00, 0x20, 0x02, 0x04, 0x41, 0x00, 0x62, 0x00};
    model.macroCapacity = 256;
    const auto path = folder / "read.kpf";
    ASSERT_TRUE(ReadKeyboardIntoFile(model, keyboard, prompts, path));
    EXPECT_EQ(keyboard.calls.back(), "readmacros 256");
    keys::AssignmentStore back;
    ASSERT_TRUE(LoadStoreFromFile(path, back));
    ASSERT_EQ(back.macros.size(), 1u);
    EXPECT_EQ(back.macros[0].nameText(), u"Ab");
}
