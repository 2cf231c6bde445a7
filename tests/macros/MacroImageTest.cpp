// The macro action codec, the macro memory image and its sizing rule.
#include <gtest/gtest.h>

#include "ConfigTestSupport.h"
#include "MacroActionCodec.h"
#include "MacroImage.h"

using namespace macros;
using testing_config::makeMacro;
using testing_config::makeMacroOfSize;

namespace {

std::vector<uint8_t> bytesOf(const EncodedAction& e) {
    return {e.begin(), e.end()};
}

}  // namespace

TEST(MacroActionCodec, EncodesByKeyClass) {
    struct Case {
        MacroAction action;
        std::vector<uint8_t> bytes;
    } cases[] = {
        {{50, 0x01E, 0}, {0x05, 0xA0, 0x02, 0x04}},     // press A after 50 ms
        {{0, 0x01E, 1}, {0x00, 0x20, 0x02, 0x04}},      // release A
        {{40000, 0x01E, 1}, {0xA0, 0x2F, 0x02, 0x04}},  // 4000 units
        {{9, 0x01E, 1}, {0x00, 0x20, 0x02, 0x04}},      // below the 10 ms resolution
        {{0, 0x036, 0}, {0x00, 0xA0, 0x01, 0x20}},      // right Shift: modifier bit
        {{0, 0x136, 0}, {0x00, 0xA0, 0x02, 0xE5}},      // its alias: usage code
        {{30, 0x171, 0}, {0x03, 0x90, 0x01, 0x01}},     // left button: 0x9000 + 3 units
        {{0, 0x162, 0}, {0x00, 0x90, 0x05, 0xFF}},      // wheel down
        {{0, 0x15E, 0}, {0x00, 0xC0, 0x81, 0x00}},      // power: system control
        {{0, 0x054, 0}, {0x00, 0x80, 0x00, 0x00}},      // Sys Req has no usage: kind 0
        {{0, 0x130, 0}, {0x00, 0xA0, 0x02, 0xC0}},      // V+ as a keyboard usage code
        {{0, 0x01E, 7}, {0x00, 0xA0, 0x02, 0x04}},      // release values other than 1 press
    };
    for (const Case& c : cases)
        EXPECT_EQ(bytesOf(EncodeAction(c.action)), c.bytes)
            << "key " << std::hex << c.action.key << " delay " << std::dec << c.action.delayMs;
}

TEST(MacroActionCodec, DecodesEveryKind) {
    struct Case {
        std::vector<uint8_t> bytes;
        uint32_t delay;
        uint16_t key;
        uint16_t release;
    } cases[] = {
        {{0xA0, 0x2F, 0x02, 0x04}, 40000, 0x01E, 1},
        {{0xFF, 0xAF, 0x02, 0x04}, 40950, 0x01E, 0},  // largest representable delay
        {{0x00, 0xA0, 0x01, 0x05}, 0, 0x01D, 0},      // several bits: the first one (left Ctrl)
        {{0x00, 0xA0, 0x01, 0x00}, 0, 0, 0},          // no modifier bit
        {{0x00, 0x90, 0x05, 0xFF}, 0, 0x162, 0},
        {{0x00, 0x90, 0x05, 0x02}, 0, 0, 0},      // unknown mouse function
        {{0x00, 0xB0, 0xCD, 0x00}, 0, 0x122, 0},  // consumer usage: Play/Pause
        {{0x00, 0xC0, 0x82, 0x00}, 0, 0x15F, 0},  // system: Sleep
        {{0x00, 0xE0, 0xA2, 0x03}, 0, 0x202, 0},  // G key 3
        {{0x00, 0xE0, 0xA1, 0x03}, 0, 0, 0},
        {{0x00, 0xD0, 0x02, 0x04}, 0, 0, 0},  // kind 5 is no key
        {{0x00, 0xF0, 0x02, 0x04}, 0, 0, 0},  // kind 7 is no key
    };
    for (const Case& c : cases) {
        const MacroAction a = DecodeAction(c.bytes.data());
        EXPECT_EQ(a.delayMs, c.delay);
        EXPECT_EQ(a.key, c.key) << std::hex << int(c.bytes[1]) << " " << int(c.bytes[2]) << " "
                                << int(c.bytes[3]);
        EXPECT_EQ(a.release, c.release);
    }
}

TEST(MacroImage, EmptyListIsTheSixteenByteHeader) {
    const MacroList none;
    const ImageSizes sizes = ComputeImageSizes(none);
    EXPECT_EQ(sizes.full, 16u);
    EXPECT_EQ(sizes.withoutNames, 16u);
    const std::vector<uint8_t> expected = {0xAA, 0x55, 0x10, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(BuildMacroImage(none, 16, true), expected);
    EXPECT_EQ(PrepareMacroImage(none, 128).plan, ImagePlan::WithNames);
    // Even an empty list needs its header: no capacity refuses every write.
    EXPECT_EQ(PrepareMacroImage(none, 0).plan, ImagePlan::TooLarge);
}

TEST(MacroImage, MacroAbIsThirtyFourBytes) {
    const MacroList list = {makeMacro(1, u"Ab", {{50, 0x01E, 0}, {0, 0x01E, 1}})};
    const ImageSizes sizes = ComputeImageSizes(list);
    EXPECT_EQ(sizes.full, 34u);
    EXPECT_EQ(sizes.withoutNames, 30u);
    const std::vector<uint8_t> expected = {0xAA, 0x55, 0x22, 0x00, 0x01, 0x00, 0x01, 0x00,
                                           0,    0,    0,    0,    0,    0,    0,    0,  // header
                                           0x12, 0x00,               // index: 18
                                           0x02, 0x00, 0x01, 0x02,   // 2 actions, once, name 2
                                           0x05, 0xA0, 0x02, 0x04,   // press A, 50 ms
                                           0x00, 0x20, 0x02, 0x04,   // release A
                                           0x41, 0x00, 0x62, 0x00};  // "Ab"
    EXPECT_EQ(BuildMacroImage(list, sizes.full, true), expected);

    const MacroList back = DecodeMacroImage(expected.data(), expected.size(), [] { return u"M"; });
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(back[0].nameText(), u"Ab");
    EXPECT_EQ(back[0].id, 1);
    EXPECT_EQ(back[0].cycles, 1);
    ASSERT_EQ(back[0].actionCount, 2);
    EXPECT_EQ(back[0].actions[0].delayMs, 50u);
    EXPECT_EQ(back[0].actions[0].release, 0);
    EXPECT_EQ(back[0].actions[1].release, 1);

    // A name of zero units is no name: the macro gets a generated one.
    std::vector<uint8_t> unnamed = expected;
    std::fill(unnamed.end() - 4, unnamed.end(), 0);
    EXPECT_EQ(DecodeMacroImage(unnamed.data(), unnamed.size(), [] { return u"M"; })[0].nameText(),
              u"M1");
}

TEST(MacroImage, SizingAgainstTheCapacity) {
    // Two units of capacity (256 bytes). Names of 50 units make the full
    // image 16 + 4 + 2 x (4 + 4 x 20 + 100) = 388, the short one 188.
    MacroList list = {makeMacroOfSize(1, std::u16string(50, u'x'), 20),
                      makeMacroOfSize(2, std::u16string(50, u'y'), 20)};
    const ImageSizes sizes = ComputeImageSizes(list);
    ASSERT_EQ(sizes.full, 388u);
    ASSERT_EQ(sizes.withoutNames, 188u);
    PreparedImage tight = PrepareMacroImage(list, 256);
    EXPECT_EQ(tight.plan, ImagePlan::WithoutNames);
    ASSERT_EQ(tight.bytes.size(), 188u);
    EXPECT_EQ(tight.bytes[6], 0);  // has-names flag
    EXPECT_EQ(PrepareMacroImage(list, 388).plan, ImagePlan::WithNames);
    EXPECT_EQ(PrepareMacroImage(list, 187).plan, ImagePlan::TooLarge);
    EXPECT_TRUE(PrepareMacroImage(list, 187).bytes.empty());

    // Without names the decoded macros are named after MACRO_NEW_PREFIX.
    const MacroList back =
        DecodeMacroImage(tight.bytes.data(), tight.bytes.size(), [] { return u"Macro "; });
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[1].nameText(), u"Macro 2");
    EXPECT_EQ(back[1].id, 2);
    EXPECT_EQ(back[1].actionCount, 20);
}

TEST(MacroImage, DecodingNeverReadsOutsideTheImage) {
    const MacroList list = {makeMacro(1, u"Ab", {{50, 0x01E, 0}, {0, 0x01E, 1}}),
                            makeMacro(2, u"Cd", {{0, 0x030, 0}})};
    const std::vector<uint8_t> good = BuildMacroImage(list, ComputeImageSizes(list).full, true);

    struct Case {
        const char* what;
        std::vector<uint8_t> image;
        size_t macros;
    };
    std::vector<Case> cases;
    cases.push_back({"no magic", {0x55, 0xAA, 16, 0, 1, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0}, 0});
    cases.push_back({"header only, counts two", {good.begin(), good.begin() + 16}, 0});
    auto cut = good;
    cut.resize(good.size() - 1);  // the second name's last byte is missing
    cases.push_back({"truncated name", cut, 1});
    auto offset = good;
    offset[18] = 0xF0, offset[19] = 0xFF;  // second index entry far outside
    cases.push_back({"index outside", offset, 1});
    auto count = good;
    count[4] = 0xFF, count[5] = 0xFF;  // 65535 macros announced
    cases.push_back({"huge macro count", count, 2});
    auto actions = good;
    actions[20] = 0xFF, actions[21] = 0xFF;  // first macro claims 65535 actions
    cases.push_back({"huge action count", actions, 0});
    cases.push_back({"empty", {}, 0});

    for (const Case& c : cases) {
        // A copy of exactly the image's size lets the sanitizers see any overread.
        std::vector<uint8_t> exact(c.image);
        EXPECT_EQ(DecodeMacroImage(exact.data(), exact.size(), {}).size(), c.macros) << c.what;
    }
    EXPECT_EQ(DecodeMacroImage(good.data(), good.size(), {}, 1).size(), 1u) << "destination size";
}

TEST(MacroImage, PositionsAndIds) {
    const MacroList list = {makeMacro(5, u"a", {}), makeMacro(2, u"b", {}), makeMacro(9, u"c", {})};
    EXPECT_EQ(FindMacroPosition(list, 9), 2u);
    EXPECT_EQ(FindMacroPosition(list, 5), 0u);
    EXPECT_EQ(FindMacroPosition(list, 7), 0u);
    EXPECT_EQ(FindMacroPosition({}, 1), 0u);

    EXPECT_EQ(AllocateMacroId({1, 2, 4}), 3);
    EXPECT_EQ(AllocateMacroId({}), 1);
    std::vector<uint16_t> all;
    for (uint16_t i = 1; i <= 100; ++i) all.push_back(i);
    EXPECT_EQ(AllocateMacroId(all), 0);
}

TEST(MacroRecordLayout, EncodesFieldsAtTheirOffsets) {
    MacroRecord m = makeMacro(7, u"Zé", {{1234, 0x01E, 1}}, 3);
    m.playMode = 0x0102;
    m.isNew = 1;
    std::vector<uint8_t> bytes(kMacroRecordSize, 0xEE);
    encodeMacroRecord(m, bytes.data());
    EXPECT_EQ(bytes[0], 0x5A);
    EXPECT_EQ(bytes[2], 0xE9);
    EXPECT_EQ(bytes[4], 0x00);  // terminator
    EXPECT_EQ(bytes[500], 3);
    EXPECT_EQ(bytes[502], 1);
    EXPECT_EQ(bytes[504], 0x02);
    EXPECT_EQ(bytes[506], 7);
    EXPECT_EQ(bytes[508], 1);
    const std::vector<uint8_t> action(bytes.begin() + 512, bytes.begin() + 520);
    EXPECT_EQ(action, (std::vector<uint8_t>{0xD2, 0x04, 0, 0, 0x1E, 0, 1, 0}));

    const MacroRecord back = decodeMacroRecord(bytes.data());
    EXPECT_EQ(back.nameText(), u"Zé");
    EXPECT_EQ(back.playMode, 0x0102);
    EXPECT_EQ(back.actions[0].delayMs, 1234u);

    // An unterminated name on disk is cut, never read past its field.
    std::fill(bytes.begin(), bytes.begin() + 500, 0x41);
    EXPECT_EQ(decodeMacroRecord(bytes.data()).nameLength(), 249u);
}
