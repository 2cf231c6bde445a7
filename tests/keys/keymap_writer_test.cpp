// Writing a whole configuration: the command order, the two size checks, the
// copy into the device store with its text pool, and the macro-list rules.
#include <gtest/gtest.h>

#include "ConfigTestSupport.h"
#include "KeyboardWriter.h"
#include "MacroUse.h"
#include "ProfileHeader.h"

using namespace keys;
using testing_config::makeMacro;
using testing_config::makeMacroOfSize;
using testing_config::RecordingKeyboard;
using testing_config::ScriptedPrompts;

namespace {

using Calls = std::vector<std::string>;

class KeyboardWriterTest : public ::testing::Test {
  protected:
    KeyboardWriterTest() {
        model.working.block = std::make_unique<AssignmentBlock>();
        model.macroCapacity = 64 * 128;
        model.defaultKeyMap.set(builtInDefaultKeyMap());  // as read at arrival
    }
    ConfigModel model;
    RecordingKeyboard keyboard;
    ScriptedPrompts prompts;
};

}  // namespace

TEST_F(KeyboardWriterTest, WritesMacroMemoryThenTheMapsInProfileOrder) {
    model.working.macros = {makeMacro(1, u"Ab", {{50, 0x01E, 0}, {0, 0x01E, 1}})};
    EXPECT_TRUE(ApplyToKeyboard(model, keyboard, prompts, true));
    EXPECT_EQ(keyboard.calls, (Calls{"begin", "macros 34", "map 0", "map 1", "map 2", "end"}));
    EXPECT_TRUE(prompts.shown.empty());

    keyboard.calls.clear();
    keyboard.currentProfile = 2;
    EXPECT_TRUE(ApplyToKeyboard(model, keyboard, prompts, false));
    EXPECT_EQ(keyboard.calls, (Calls{"begin", "macros 34", "map 2", "end"}));
}

// Nothing is written on what the keyboard did not tell: a factory map or a
// capacity missing since arrival is read once more, and when that read fails
// too the write is refused with a message that says so.
TEST_F(KeyboardWriterTest, WritesOnlyOnWhatWasReadFromTheKeyboard) {
    KeyMap factory{};
    factory[3 * 7] = 2;  // position 7: Escape, where the built-in map has nothing
    factory[3 * 7 + 1] = 2;
    factory[3 * 7 + 2] = 0x29;
    struct Case {
        const char* what;
        bool mapRead;
        uint32_t capacity;
        int mapResult, infoResult;
        bool result;
        Calls calls;
        std::vector<std::string> messages;
    } cases[] = {
        {"map read again",
         false,
         8192,
         1,
         1,
         true,
         {"default", "begin", "macros 16", "map 0", "map 1", "map 2", "end"},
         {}},
        {"map unreadable", false, 8192, -102, 1, false, {"default"}, {"KEYMAP_DEFAULT_UNREAD"}},
        {"capacity read again",
         true,
         0,
         1,
         1,
         true,
         {"info", "begin", "macros 16", "map 0", "map 1", "map 2", "end"},
         {}},
        {"capacity unreadable", true, 0, 1, -2, false, {"info"}, {"DEVICE_INFO_UNREAD"}},
    };
    for (const Case& c : cases) {
        ConfigModel fresh;
        fresh.working.block = std::make_unique<AssignmentBlock>();
        fresh.macroCapacity = c.capacity;
        if (c.mapRead)
            fresh.defaultKeyMap.set(builtInDefaultKeyMap());
        RecordingKeyboard kb;
        kb.factoryMap = factory;
        kb.deviceInfo[11] = 64;
        kb.defaultMapResult = c.mapResult;
        kb.infoResult = c.infoResult;
        ScriptedPrompts said;
        EXPECT_EQ(ApplyToKeyboard(fresh, kb, said, true), c.result) << c.what;
        EXPECT_EQ(kb.calls, c.calls) << c.what;
        EXPECT_EQ(said.shown, c.messages) << c.what;
        if (c.result && !c.mapRead) {
            // The map written is the keyboard's: Escape's position keeps its key.
            ASSERT_EQ(kb.writtenMaps.size(), 3u);
            EXPECT_EQ(kb.writtenMaps[0][3 * 7 + 2], 0x29) << c.what;
        }
        if (c.result && c.capacity == 0)
            EXPECT_EQ(fresh.macroCapacity.load(), 64u * 128) << c.what;
    }
}

TEST_F(KeyboardWriterTest, UnknownCurrentProfileWritesNothing) {
    keyboard.currentProfile = -1;
    EXPECT_FALSE(ApplyToKeyboard(model, keyboard, prompts, false));
    EXPECT_TRUE(keyboard.calls.empty());
}

TEST_F(KeyboardWriterTest, SizeChecksAgainstTheCapacity) {
    // Two macros: full image 388 bytes, 188 without names.
    model.working.macros = {makeMacroOfSize(1, std::u16string(50, u'x'), 20),
                            makeMacroOfSize(2, std::u16string(50, u'y'), 20)};
    struct Case {
        uint32_t capacity;
        bool result;
        Calls calls;
        std::vector<std::string> messages;
    } cases[] = {
        {3 * 128,
         true,
         {"begin", "macros 188", "map 0", "map 1", "map 2", "end"},
         {"EXTRA_PROFILE_SPACE_TIGHT"}},
        {4 * 128, true, {"begin", "macros 388", "map 0", "map 1", "map 2", "end"}, {}},
        {1 * 128, false, {}, {"EXTRA_MACRO_TOO_LONG"}},
        // The information block is asked again and says 0: the macros do not fit.
        {0, false, {"info"}, {"EXTRA_MACRO_TOO_LONG"}},
    };
    for (const Case& c : cases) {
        keyboard.calls.clear();
        prompts.shown.clear();
        prompts.topMostShown.clear();
        model.macroCapacity = c.capacity;
        EXPECT_EQ(ApplyToKeyboard(model, keyboard, prompts, true), c.result) << c.capacity;
        EXPECT_EQ(keyboard.calls, c.calls) << c.capacity;
        EXPECT_EQ(prompts.shown, c.messages) << c.capacity;
        EXPECT_EQ(prompts.topMostShown, c.messages) << "the memory messages are top-most";
    }
    // The names stay in the stores when the keyboard had no room for them.
    EXPECT_EQ(model.device.macros[1].nameText(), std::u16string(50, u'y'));
}

TEST_F(KeyboardWriterTest, EmptyListStillNeedsItsHeader) {
    model.macroCapacity = 0;
    EXPECT_FALSE(ApplyToKeyboard(model, keyboard, prompts, true));
    EXPECT_EQ(prompts.shown, (std::vector<std::string>{"EXTRA_MACRO_TOO_LONG"}));
    EXPECT_EQ(keyboard.calls, (Calls{"info"}));
}

TEST_F(KeyboardWriterTest, AnyFailedWriteIsReportedButTheOthersStillGoOut) {
    keyboard.failMap = 0;
    EXPECT_FALSE(ApplyToKeyboard(model, keyboard, prompts, true));
    EXPECT_EQ(keyboard.calls, (Calls{"begin", "macros 16", "map 0", "map 1", "map 2", "end"}));

    keyboard.failMap = -1;
    keyboard.failMacros = true;
    EXPECT_FALSE(ApplyToKeyboard(model, keyboard, prompts, true));
}

TEST_F(KeyboardWriterTest, DeviceStoreGetsHeaderAndPackedTexts) {
    AssignmentStore& w = model.working;
    w.macros = {makeMacro(1, u"m", {}), makeMacro(2, u"n", {})};
    *RecordAt(w, 0, 5) = {kAssignLaunch, 0, 77};
    w.setText(5, u"a");
    w.block->records[700] = {kAssignTextBlock, 0, 0};
    w.setText(700, u"bc");
    w.block->records[9] = {kAssignKey, 0, 0x01E};
    w.setText(9, u"stale");  // a text left behind on a record of another type
    ASSERT_EQ(w.textTotal, 4 + 6 + 12);

    ASSERT_TRUE(ApplyToKeyboard(model, keyboard, prompts, true));
    const AssignmentStore& d = model.device;
    EXPECT_EQ(d.block->records[5].data, 0);
    EXPECT_EQ(d.block->records[700].data, 4);
    EXPECT_EQ(d.block->records[9].data, 0x01E);
    ASSERT_EQ(d.textPool.size(), 22u);
    EXPECT_EQ(std::vector<uint8_t>(d.textPool.begin(), d.textPool.begin() + 10),
              (std::vector<uint8_t>{0x61, 0, 0, 0, 0x62, 0, 0x63, 0, 0, 0}));
    EXPECT_EQ(d.textTotal, 22);
    const ProfileHeaderFields h = readProfileHeader(d.block->header.data());
    EXPECT_EQ(h.macroCount, 2);
    EXPECT_EQ(h.textBytes, 22u);
    EXPECT_EQ(h.fileSize, 32832u + 2 * 16512 + 22);
    EXPECT_EQ(h.checksum, profileHeaderChecksum(d.block->header.data()));
    EXPECT_EQ(w.block->records[5].data, 77) << "the working store is not changed";
}

TEST_F(KeyboardWriterTest, MacroPositionsFollowTheList) {
    model.working.macros = {makeMacro(4, u"a", {}), makeMacro(7, u"b", {}), makeMacro(9, u"c", {})};
    RecordAt(model.working, 1, 0x039)->type = kAssignMacro;
    RecordAt(model.working, 1, 0x039)->data = 9;
    ASSERT_TRUE(ApplyToKeyboard(model, keyboard, prompts, true));
    const std::vector<uint8_t>& map1 = keyboard.writtenMaps[1];
    EXPECT_EQ(std::vector<uint8_t>(map1.begin() + 37 * 3, map1.begin() + 38 * 3),
              (std::vector<uint8_t>{5, 1, 2}));
}

TEST(MacroUse, CommitReconcilesEveryArea) {
    AssignmentStore store;
    store.block = std::make_unique<AssignmentBlock>();
    auto& r = store.block->records;
    r[10] = {kAssignMacro, 1, 3};         // macro 3 was deleted, its id reused by a new one
    r[512 + 11] = {kAssignMacro, 1, 1};   // still there
    r[1024 + 12] = {kAssignMacro, 1, 0};  // no id yet: follows the first macro
    r[1536 + 13] = {kAssignMacro, 1, 8};  // gone (area 3 is reconciled too)
    r[14] = {kAssignKey, 0, 3};           // not a macro assignment
    macros::MacroList edited = {makeMacro(1, u"one", {}), makeMacro(3, u"new", {})};
    edited[1].isNew = 1;

    const CommitResult result = CommitMacroList(store, edited);
    EXPECT_TRUE(result.applyNeeded);
    EXPECT_EQ(result.resetRecords, (std::vector<size_t>{10, 1536 + 13}));
    EXPECT_EQ(r[10].type, kAssignDefault);
    EXPECT_EQ(r[512 + 11].type, kAssignMacro);
    EXPECT_EQ(r[1024 + 12].data, 1);
    EXPECT_EQ(r[1536 + 13].type, kAssignDefault);
    EXPECT_EQ(r[14].type, kAssignKey);
    ASSERT_EQ(store.macros.size(), 2u);
    EXPECT_EQ(store.macros[1].isNew, 0);

    // With an empty list, an assignment without id is left alone.
    r[20] = {kAssignMacro, 1, 0};
    CommitMacroList(store, {});
    EXPECT_EQ(r[20].type, kAssignMacro);
    EXPECT_EQ(r[20].data, 0);
}

TEST(MacroUse, DeletingAMacroInUseAsks) {
    AssignmentStore store;
    store.block = std::make_unique<AssignmentBlock>();
    store.block->area(2)[256] = {kAssignMacro, 1, 5};  // G1 of profile 2 plays macro 5
    macros::MacroRecord used = makeMacro(5, u"used", {});
    macros::MacroRecord unused = makeMacro(6, u"unused", {});
    macros::MacroRecord fresh = makeMacro(5, u"fresh", {});
    fresh.isNew = 1;

    ScriptedPrompts prompts;
    EXPECT_TRUE(FindMacroUse(store, prompts, unused));
    EXPECT_TRUE(FindMacroUse(store, prompts, fresh));
    EXPECT_TRUE(prompts.asked.empty());
    prompts.answers = {false, true};
    EXPECT_FALSE(FindMacroUse(store, prompts, used));
    EXPECT_TRUE(FindMacroUse(store, prompts, used));
    EXPECT_EQ(prompts.asked.size(), 2u);
    EXPECT_EQ(prompts.asked[0], "MACRO_DELETE_CONFIRM_OF_KEYS");
}
