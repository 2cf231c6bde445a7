// The key catalogue's conversions, lookups and table rules.
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "keys/KeyCatalogue.h"
#include "settings/LanguageTables.h"
#include "settings/SettingsPaths.h"
#include "support/TempFolder.h"

using testsupport::TempFolder;

namespace {

using namespace keys;

TEST(KeysCatalogue, CodeAndIndexConversions) {
    struct {
        KeyCode code;
        KeyIndex index;
    } cases[] = {{0x001, 1},    {0x045, 69},  {0x07F, 127}, {0x100, 128}, {0x145, 197},
                 {0x11D, 0x9D}, {0x17F, 255}, {0x200, 256}, {0x211, 273}, {0x000, 0}};
    for (auto c : cases) {
        EXPECT_EQ(CodeToIndex(c.code), c.index) << std::hex << c.code;
        if (c.index < 256) {
            EXPECT_EQ(IndexToCode(c.index), c.code) << std::hex << c.code;
        }
    }
    EXPECT_EQ(IndexToCode(256), kNoKey);  // G keys are not converted back
    EXPECT_EQ(GKeyCode(1), 0x200);
    EXPECT_EQ(GKeyCode(18), 0x211);
    // Out-of-table codes have an empty row rather than reading past the table.
    EXPECT_TRUE(RowOf(0x211).empty());
    EXPECT_TRUE(RowOf(0xFFFF).empty());
    EXPECT_EQ(ChooserFromKey(0x211), kChooserNone);
}

TEST(KeysCatalogue, ClassifyKey) {
    struct {
        KeyCode code;
        KeyClass expected;
    } cases[] = {{0x171, {2, 0xF1}}, {0x162, {2, 0xF5}}, {0x15E, {1, 0x81}}, {0x163, {1, 0x83}},
                 {0x130, {7, 0xC0}}, {0x054, {0, 0}},    {0x01E, {7, 0x04}}, {0x145, {7, 0x53}},
                 {0x000, {0, 0}},    {0x200, {0, 0}},    {0x16E, {0, 0}}};
    for (auto c : cases) EXPECT_EQ(ClassifyKey(c.code), c.expected) << std::hex << c.code;
}

TEST(KeysCatalogue, KeyFromUsageTakesTheLowestRow) {
    struct {
        uint16_t kind, value;
        KeyCode key;
    } cases[] =
        {
            {7, 0x48, 0x045},  // Pause, not Break
            {7, 0xE5, 0x036},  // right Shift, not 0x136
            {7, 0x04, 0x01E},   {7, 0xF1, 0x171},   {7, 0xC0, 0x130},
            {12, 0x0CD, 0x122},  // Play/Pause through the consumer table
            {12, 0x0E9, 0x130}, {12, 0x18A, 0x16C}, {12, 0x999, 0},
            {12, 0x000, 0},  // the table's empty entries stand for no usage
            {1, 0x81, 0x15E},   {1, 0x84, 0},       {1, 0x04, 0},
            {7, 0, 0},          {3, 0x04, 0},       {7, 0x99, 0},
        };
    for (auto c : cases) {
        EXPECT_EQ(KeyFromUsage(c.kind, c.value), c.key) << c.kind << " " << std::hex << c.value;
    }
}

TEST(KeysCatalogue, KeyFromMessage) {
    auto data = [](uint32_t scan, bool extended) {
        return (scan << 16) | (extended ? 1u << 24 : 0u) | 1u;
    };
    struct {
        uint8_t vk;
        uint32_t data;
        KeyCode key;
    } cases[] = {
        {0x26, data(0x48, true), 0x148},   // Up
        {0x26, data(0x48, false), 0x048},  // keypad 8, Num Lock off
        {0x68, data(0x48, false), 0x048},  // keypad 8, Num Lock on
        {0xA1, data(0x36, true), 0x036},   // right Shift reported as extended
        {0x10, data(0x36, false), 0x036},  // right Shift through VK_SHIFT
        {0x10, data(0x2A, false), 0x02A},
        {0x11, data(0x1D, true), 0x11D},  // right Ctrl through VK_CONTROL
        {0x12, data(0x38, true), 0x138},
        {0x41, data(0, false), 0x01E},     // no scan code: the VK table
        {0x41, data(0x30, false), 0x01E},  // scan code of another key: the VK table
        {0xFF, data(0x70, false), 0x070},  // VK without meaning: the scan code
        {0x2C, data(0x37, true), 0x137},   // Print Screen
        {0x2C, data(0x54, false), 0x054},  // Sys Req
        {0x2C, data(0, false), 0x137},     // VK 0x2C alone is Print Screen
        {0x13, data(0x45, false), 0x045},  // Pause
        {0x90, data(0x45, true), 0x145},   // Num Lock
        {0x0D, data(0x1C, true), 0x11C},   // keypad Enter
        {0x8B, data(0, false), 0x152},     // fixed exception of the VK table
        {0x01, data(0, false), 0},         // mouse VK: nothing
    };
    for (auto c : cases) {
        EXPECT_EQ(KeyFromMessage(c.vk, c.data), c.key) << std::hex << int{c.vk} << " " << c.data;
    }
}

TEST(KeysCatalogue, VirtualKeyTableExceptions) {
    EXPECT_EQ(VirtualKeyTable[0x10], 0x2A);
    EXPECT_EQ(VirtualKeyTable[0x11], 0x1D);
    EXPECT_EQ(VirtualKeyTable[0x12], 0x38);
    EXPECT_EQ(VirtualKeyTable[0x2C], 0xB7);
    EXPECT_EQ(VirtualKeyTable[0x9C], 0xD4);
    EXPECT_EQ(VirtualKeyTable[0x9D], 0xD5);
    for (int vk : {0x00, 0x01, 0x02, 0x04, 0x88, 0x89, 0x8A, 0x97, 0x9B, 0x9E, 0x9F, 0xFF, 0x07}) {
        EXPECT_EQ(VirtualKeyTable[vk], 0) << std::hex << vk;
    }
    EXPECT_EQ(VirtualKeyTable[0x0D], 0x1C);  // Enter before keypad Enter
    EXPECT_EQ(VirtualKeyTable[0xA1], 0x36);  // right Shift before 0x136
    EXPECT_EQ(VirtualKeyTable[0x23], 0xCF);  // End; keypad 1's second VK does not count
}

TEST(KeysCatalogue, TablesHoldTheirFixedShapes) {
    std::set<int> ids;
    std::set<KeyCode> buttonKeys;
    for (int i = 0; i < kKeyButtonCount; ++i) {
        const KeyButton& b = KeyButtonTable[i];
        EXPECT_EQ(b.position, i);
        ids.insert(b.controlId);
        buttonKeys.insert(b.key);
        EXPECT_NE(RowOf(b.key).nameKey[0], '\0') << std::hex << b.key;
        EXPECT_GE(RowOf(b.key).chooser, 0) << std::hex << b.key;
    }
    EXPECT_EQ(ids.size(), 104u);
    EXPECT_EQ(buttonKeys.size(), 104u);
    EXPECT_EQ(KeyButtonTable[0].controlId, 1058);
    EXPECT_EQ(KeyButtonTable[97].key, 0x145);
    EXPECT_EQ(KeyButtonTable[103].controlId, 1111);
    EXPECT_EQ(KeyButtonPosition(0x11D), 80);
    EXPECT_EQ(KeyButtonPosition(0x130), -1);
    EXPECT_EQ(GButtonTable[5], 1140);

    EXPECT_TRUE(KeyTable[0].empty());
    EXPECT_EQ(RowOf(0x04F).altVk, 0x23);
    EXPECT_EQ(RowOf(0x01E).altVk, 0x41);
    EXPECT_EQ(ConsumerUsageTable[17], 0x0B5);
    EXPECT_EQ(ConsumerUsageTable[18], 0);

    // Each media key's consumer usage is the one its usage code names.
    for (int n = 0; n < kMediaKeyCount; ++n) {
        const MediaKey& m = MediaKeyList[n];
        uint8_t usage = RowOf(m.key).usage;
        ASSERT_GE(usage, kUsageConsumerFirst);
        EXPECT_EQ(ConsumerUsageTable[usage - kUsageConsumerFirst], m.consumerUsage) << n;
        EXPECT_STREQ(RowOf(m.key).nameKey, m.nameKey);
        EXPECT_TRUE(IsMediaKey(m.key));
        EXPECT_EQ(MediaNumberOf(m.key), n);
    }
    EXPECT_EQ(MediaKeyList[0].key, 0x16D);
    EXPECT_EQ(MediaKeyList[17].key, 0x16C);
    EXPECT_FALSE(IsMediaKey(0x174));
    EXPECT_EQ(MouseFunctionList[3].key, 0x161);
    EXPECT_STREQ(KeyboardFunctionList[10].nameKey, "FUNC_KEY_DESC11");
    for (KeyCode k : {0x054, 0x071, 0x072, 0x137}) EXPECT_TRUE(IsReleaseOnlyKey(k));
    EXPECT_FALSE(IsReleaseOnlyKey(0x037));
}

TEST(KeysCatalogue, ChooserCodes) {
    EXPECT_EQ(ChooserFromKey(0x039), 40);
    EXPECT_EQ(KeyFromChooser(40), 0x039);
    EXPECT_EQ(KeyFromChooser(103), 0x036);  // lowest row of the two right Shifts
    EXPECT_EQ(KeyFromChooser(static_cast<int16_t>(0x802D)), 0x064);
    EXPECT_EQ(KeyFromChooser(111), kNoKey);
    EXPECT_EQ(ChooserFromKey(0x15E), static_cast<int16_t>(0x8001));
}

class KeysNamesTest : public ::testing::Test {
  protected:
    TempFolder folder;
};

TEST_F(KeysNamesTest, NamesComeFromTheLanguageFile) {
    settings::LanguageFileTextSource texts(
        folder.write("Lang0409.ini",
                     "[TEXT]\nIDS_KEYBOARD_SPACE=Space\nIDS_KEYBOARD_A=\nUNKNOWN_KEY=Key %d\n"
                     "IDS_KEYBOARD_B=" +
                         std::string(300, 'b') + "\n"));
    EXPECT_EQ(KeyName(0x039, texts), "Space");
    EXPECT_EQ(KeyName(0x064, texts), "Key 100");  // F13 has no name key
    EXPECT_EQ(KeyName(0x01E, texts), "Key 30");   // an empty name counts as none
    EXPECT_EQ(KeyName(0x200, texts), "Key 512");
    EXPECT_EQ(KeyName(0x030, texts).size(), 259u);
    EXPECT_EQ(ChooserName(40, texts), "Space");
    EXPECT_EQ(ChooserName(111, texts), "");
    EXPECT_EQ(ChooserName(static_cast<int16_t>(0x802D), texts), "");  // F13: no name key

    // A language file that puts other conversions into UNKNOWN_KEY cannot
    // make the formatter read arguments that are not there.
    settings::LanguageFileTextSource hostile(
        folder.write("bad.ini", "[TEXT]\nUNKNOWN_KEY=%s%s%n %d\n"));
    EXPECT_EQ(KeyName(0x064, hostile), "100%s%n %d");
}

TEST_F(KeysNamesTest, BufferFormCutsAtCapacity) {
    settings::SetProgramFolder(folder.path());
    ::setenv("XDG_CONFIG_HOME", folder.file("config").c_str(), 1);
    ::setenv("XDG_DATA_HOME", folder.file("data").c_str(), 1);
    settings::BuildUserPaths();
    folder.write("Lang0409.ini",
                 "[TEXT]\nIDS_KEYBOARD_PRINT=Print Screen\nIDS_KEYBOARD_E=\xC3\xA9\xC3\xA9\n");
    char buffer[260];
    EXPECT_EQ(KeyName(0x137, buffer, sizeof buffer), 12u);
    EXPECT_STREQ(buffer, "Print Screen");
    EXPECT_EQ(KeyName(0x137, buffer, 6), 5u);
    EXPECT_STREQ(buffer, "Print");
    EXPECT_EQ(KeyName(0x012, buffer, 4), 2u);  // never half a character
    EXPECT_STREQ(buffer, "\xC3\xA9");
    EXPECT_EQ(KeyName(0x137, buffer, 1), 0u);
    EXPECT_STREQ(buffer, "");
}

}  // namespace
