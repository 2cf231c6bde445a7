// Key assignments to key-map entries and back, against the built-in default map.
#include <gtest/gtest.h>

#include "ConfigTestSupport.h"
#include "KeyMapCodec.h"

using namespace keys;
using testing_config::makeMacro;

namespace {

constexpr size_t kSpacePosition = 37;  // built-in map: 02 02 2C
constexpr uint16_t kSpaceIndex = 0x039;

std::vector<uint8_t> entryAt(const KeyMap& map, size_t position) {
    return {map[position * 3], map[position * 3 + 1], map[position * 3 + 2]};
}

}  // namespace

TEST(KeyMapCodec, DecodeEntryNamesTheKeyAtAPosition) {
    struct Case {
        std::vector<uint8_t> entry;
        uint16_t key;
    } cases[] = {
        {{1, 1, 1}, 0x171},     {{1, 1, 2}, 0x172},    {{1, 1, 4}, 0x173},    {{1, 5, 1}, 0x161},
        {{1, 5, 0xFF}, 0x162},  {{1, 1, 3}, 0},        {{1, 2, 1}, 0},        {{2, 2, 0x2C}, 0x039},
        {{2, 2, 0x48}, 0x045},  {{2, 1, 0x40}, 0x138}, {{2, 1, 0x06}, 0x02A}, {{2, 1, 0}, 0},
        {{3, 0xCD, 0}, 0x122},  {{4, 0x81, 0}, 0x15E}, {{4, 0x84, 0}, 0},     {{6, 0xA2, 1}, 0x200},
        {{6, 0xA2, 18}, 0x211}, {{6, 0xA1, 1}, 0},     {{5, 1, 2}, 0},        {{0, 0, 0}, 0},
        {{0xFF, 2, 4}, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DecodeEntry(c.entry.data()), c.key)
            << std::hex << int(c.entry[0]) << " " << int(c.entry[1]) << " " << int(c.entry[2]);
}

TEST(KeyMapCodec, EachAssignmentTypeWritesItsEntry) {
    const macros::MacroList list = {makeMacro(4, u"a", {}), makeMacro(7, u"b", {}),
                                    makeMacro(9, u"c", {})};
    struct Case {
        const char* what;
        KeyAssignment record;
        std::vector<uint8_t> entry;
    } cases[] = {
        {"left Shift", {kAssignKey, 0, 0x02A}, {2, 1, 0x02}},
        {"right Alt", {kAssignKey, 0, 0x138}, {2, 1, 0x40}},
        {"right Win", {kAssignKey, 0, 0x15C}, {2, 1, 0x80}},
        {"middle button", {kAssignKey, 0, 0x173}, {1, 1, 0x04}},
        {"wheel up", {kAssignKey, 0, 0x161}, {1, 5, 0x01}},
        {"wheel down", {kAssignKey, 0, 0x162}, {1, 5, 0xFF}},
        {"V+ as a key", {kAssignKey, 0, 0x130}, {2, 2, 0xC0}},
        {"Sys Req", {kAssignKey, 0, 0x054}, {2, 2, 0x00}},
        {"key B", {kAssignKey, 0, 0x030}, {2, 2, 0x05}},
        {"media 6", {kAssignMedia, 0, 6}, {3, 0xE9, 0x00}},
        {"media 15", {kAssignMedia, 0, 15}, {3, 0x94, 0x01}},
        {"function 3", {kAssignFunction, 0, 3}, {5, 5, 3}},
        {"stop macro", {kAssignStopMacro, 0, 0}, {5, 2, 0}},
        {"disabled", {kAssignDisabled, 0, 0}, {0, 0, 0}},
        {"text block", {kAssignTextBlock, 0, 0}, {0, 0, 0}},
        {"default", {kAssignDefault, 0, 0}, {2, 2, 0x2C}},
        {"launch program", {kAssignLaunch, 0, 0}, {2, 2, 0x2C}},
        {"third macro", {kAssignMacro, 1, 9}, {5, 1, 2}},
        {"macro id in the low 16 bits", {kAssignMacro, 1, 0x70007}, {5, 1, 1}},
        {"macro id nobody has", {kAssignMacro, 1, 55}, {5, 1, 0}},
        {"media number outside the list", {kAssignMedia, 0, 18}, {2, 2, 0x2C}},
        {"negative media number", {kAssignMedia, 0, -1}, {2, 2, 0x2C}},
        {"unknown type", {9, 0, 3}, {2, 2, 0x2C}},
    };
    for (const Case& c : cases) {
        AssignmentBlock block;
        for (int p = 0; p < 3; ++p) block.area(p)[kSpaceIndex] = c.record;
        const KeyMap map = buildKeyMapFrom(builtInDefaultKeyMap(), block, 1, list);
        EXPECT_EQ(entryAt(map, kSpacePosition), c.entry) << c.what;
    }
}

TEST(KeyMapCodec, PositionsWithoutAKeyPassThrough) {
    AssignmentBlock block;
    for (KeyAssignment& r : block.records) r = {kAssignDisabled, 0, 0};
    const KeyMap map = buildKeyMapFrom(builtInDefaultKeyMap(), block, 0, {});
    for (size_t position : {0, 5, 53, 100})
        EXPECT_EQ(entryAt(map, position), entryAt(builtInDefaultKeyMap(), position)) << position;
    EXPECT_EQ(entryAt(map, 12), (std::vector<uint8_t>{0, 0, 0}));  // left Shift's position
}

TEST(KeyMapCodec, GKeysTakeTheirRecordsFromTheProfileArea) {
    KeyMap defaults = builtInDefaultKeyMap();
    defaults[70 * 3] = 0x06, defaults[70 * 3 + 1] = 0xA2, defaults[70 * 3 + 2] = 3;  // G3
    AssignmentBlock block;
    block.area(1)[255 + 3] = {kAssignStopMacro, 0, 0};
    EXPECT_EQ(entryAt(buildKeyMapFrom(defaults, block, 1, {}), 70),
              (std::vector<uint8_t>{5, 2, 0}));
    EXPECT_EQ(entryAt(buildKeyMapFrom(defaults, block, 0, {}), 70),
              (std::vector<uint8_t>{6, 0xA2, 3}));
    // No map is built for a profile outside 0..2: the defaults come back.
    EXPECT_EQ(buildKeyMapFrom(defaults, block, 3, {}), defaults);
}

TEST(KeyMapCodec, DecodingAKeyMapFromTheKeyboard) {
    struct Case {
        std::vector<uint8_t> entry;
        uint16_t type;
        int32_t data;
    } cases[] = {
        {{2, 2, 0x2C}, kAssignDefault, 0},  // equal to the default
        {{5, 1, 2}, kAssignMacro, 3},       // macros read back: id = position + 1
        {{5, 2, 0}, kAssignStopMacro, 0},
        {{5, 5, 3}, kAssignFunction, 3},
        {{5, 7, 0}, kAssignDisabled, 0},
        {{3, 0xE9, 0}, kAssignMedia, 6},
        {{3, 0x34, 0x12}, kAssignDisabled, 0},
        {{2, 2, 0}, kAssignDisabled, 0},
        {{2, 2, 0x04}, kAssignKey, 0x01E},
        {{2, 1, 0x40}, kAssignKey, 0x138},
        {{2, 7, 0x40}, kAssignDisabled, 0},
        {{1, 1, 4}, kAssignKey, 0x173},
        {{1, 5, 0xFF}, kAssignKey, 0x162},
        {{1, 1, 8}, kAssignDisabled, 0},  // unknown mouse entry
        {{0, 0, 0}, kAssignDisabled, 0},
        {{7, 1, 1}, kAssignDisabled, 0},
    };
    for (const Case& c : cases) {
        KeyMap map = builtInDefaultKeyMap();
        std::copy(c.entry.begin(), c.entry.end(), map.begin() + kSpacePosition * 3);
        std::array<KeyAssignment, kRecordsPerArea> area;
        area.fill({9, 9, 9, 9, 9});  // every record is overwritten
        DecodeKeyMap(map.data(), builtInDefaultKeyMap(), area.data());
        EXPECT_EQ(area[kSpaceIndex].type, c.type)
            << std::hex << int(c.entry[0]) << " " << int(c.entry[1]) << " " << int(c.entry[2]);
        EXPECT_EQ(area[kSpaceIndex].data, c.data);
        EXPECT_EQ(area[0x01E].type, kAssignDefault);
        EXPECT_EQ(area[256].aux, 0x0301);
        EXPECT_EQ(area[264].aux, 0x0309);
        EXPECT_EQ(area[265].aux, 0x1301);
        EXPECT_EQ(area[273].aux, 0x1309);
        EXPECT_EQ(area[274].aux, 0);
    }
}

TEST(KeyMapCodec, EncodeThenDecodeKeepsEveryKeyboardType) {
    // What the keyboard can hold comes back as it was written.
    AssignmentBlock block;
    KeyAssignment* area = block.area(0);
    area[0x039] = {kAssignKey, 0, 0x02A};
    area[0x01E] = {kAssignKey, 0, 0x173};
    area[0x030] = {kAssignMedia, 0, 17};
    area[0x02F] = {kAssignFunction, 0, 10};
    area[0x020] = {kAssignStopMacro, 0, 0};
    area[0x01F] = {kAssignDisabled, 0, 0};
    area[0x010] = {kAssignMacro, 0, 2};
    const macros::MacroList list = {makeMacro(1, u"a", {}), makeMacro(2, u"b", {})};
    const KeyMap map = buildKeyMapFrom(builtInDefaultKeyMap(), block, 0, list);
    std::array<KeyAssignment, kRecordsPerArea> back;
    DecodeKeyMap(map.data(), builtInDefaultKeyMap(), back.data());
    for (uint16_t k : {0x039, 0x01E, 0x030, 0x02F, 0x020, 0x01F, 0x010, 0x012}) {
        EXPECT_EQ(back[k].type, area[k].type) << std::hex << k;
        EXPECT_EQ(back[k].data, area[k].data) << std::hex << k;
    }
}

TEST(AssignmentRecord, SixteenLittleEndianBytes) {
    const KeyAssignment r{kAssignMacro, 0x0102, -2, 1, 0x0A0B0C0D};
    uint8_t bytes[kKeyAssignmentSize];
    encodeKeyAssignment(r, bytes);
    const std::vector<uint8_t> expected = {4, 0, 2, 1, 0xFE, 0xFF, 0xFF, 0xFF,
                                           1, 0, 0, 0, 0x0D, 0x0C, 0x0B, 0x0A};
    EXPECT_EQ(std::vector<uint8_t>(bytes, bytes + 16), expected);
    EXPECT_EQ(decodeKeyAssignment(bytes), r);
    EXPECT_EQ(gKeyIdentifier(255), 0);
    EXPECT_EQ(gKeyIdentifier(260), 0x0305);
    EXPECT_EQ(gKeyIdentifier(266), 0x1302);
}
