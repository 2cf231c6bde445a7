// The lighting model against the virtual keyboard: what ReadLighting loads and
// the exact bytes and order of every lighting write.
#include <gtest/gtest.h>

#include <functional>
#include <set>

#include "LightingTestSupport.h"

namespace lighting::test {
namespace {

TEST(LightingModeTable, EmptySlotsAreSkippedWhereverTheyStand) {
    std::array<uint8_t, kModeListSize> list{};
    list[1] = 3;
    list[4] = 20;
    list[5] = 1;
    list[31] = 7;
    ModeTable table;
    table.Fill(list);
    EXPECT_EQ(table.size(), 4);
    EXPECT_EQ(table.ModeAt(0), 3);
    EXPECT_EQ(table.ModeAt(1), 20);
    EXPECT_EQ(table.ModeAt(3), 7);
    EXPECT_EQ(table.ModeAt(4), 0);
    EXPECT_EQ(table.ModeIndex(1), 2);
    EXPECT_EQ(table.ModeIndex(2), -1);
    EXPECT_TRUE(table.Offers(kPerKeyMode));
}

TEST(LightingKeyColorTable, LedSlotsOfButtons) {
    struct Case {
        ButtonRef button;
        int slot;
    };
    const Case cases[] = {
        {{ButtonRef::KeyButton, 0}, 61},     // A
        {{ButtonRef::KeyButton, 37}, 0},     // Esc
        {{ButtonRef::KeyButton, 63}, 12},    // F12
        {{ButtonRef::KeyButton, 40}, 103},   // Space
        {{ButtonRef::KeyButton, 75}, 116},   // Right
        {{ButtonRef::KeyButton, 86}, 118},   // right Win has no LED
        {{ButtonRef::KeyButton, 103}, 118},  // keypad +
        {{ButtonRef::KeyButton, 104}, -1},  {{ButtonRef::GButton, 0}, 37},
        {{ButtonRef::GButton, 4}, 117},     {{ButtonRef::GButton, 8}, 118},
        {{ButtonRef::FnButton, 0}, 105},
    };
    for (const Case& c : cases) EXPECT_EQ(LedSlotOf(c.button), c.slot) << int(c.button.index);

    // Every key with an LED has a slot of its own.
    std::set<int> slots;
    int shared = 0;
    for (int i = 0; i < kKeyButtonCount; ++i) {
        int slot = LedSlotOf({ButtonRef::KeyButton, uint8_t(i)});
        if (slot == kNoLedSlot)
            ++shared;
        else
            EXPECT_TRUE(slots.insert(slot).second) << "slot " << slot << " twice";
    }
    EXPECT_EQ(shared, 18);
}

TEST_F(LightingOnVkbd, ReadLightingLoadsTheCurrentProfilesBlock) {
    device::setCurrentProfileIndex(1);
    poke(42, {12, 3, 1, 0xFF, 0, 10, 20, 30, 0, 1, 2, 3, 0, 0, 0, 7, 0, 9, 1, 1});
    poke(42 + 25, {4, 5, 6, 2, 0, 7, 8, 9, 0});
    ASSERT_EQ(lighting.ReadLighting(), 0);
    const LightingState& s = lighting.state();
    EXPECT_EQ(s.mode, 12);
    EXPECT_EQ(s.brightness, 3);
    EXPECT_EQ(s.speed, 1);
    EXPECT_EQ(s.direction, 0xFF);
    EXPECT_FALSE(s.multiColourHX);
    EXPECT_EQ(s.colours[HXColourButton], MakeColour(10, 20, 30));
    EXPECT_EQ(s.colours[FYColourButton], MakeColour(10, 20, 30));
    EXPECT_EQ(s.reportRate, 3);    // 7 shows as 3
    EXPECT_EQ(s.colourChoice, 0);  // 9 shows as red
    EXPECT_EQ(s.trigger, Trigger::Grid);
    EXPECT_EQ(s.colour2, MakeColour(4, 5, 6));
    EXPECT_TRUE(s.multiColour2);
    EXPECT_EQ(s.colour3, MakeColour(7, 8, 9));
    EXPECT_FALSE(s.multiColour3);
    EXPECT_EQ(lighting.modes().ModeAt(0), 1);
    EXPECT_TRUE(lighting.modes().Offers(20));

    // Nothing is written back; the three blocks are read inside one pair.
    std::vector<Sent> expected = {
        {device::CMD_READ_DEVICE_INFO, 0, {}}, Begin(),
        {device::CMD_READ_PARAMETERS, 0, {}},  {device::CMD_READ_PARAMETERS, 42, {}},
        {device::CMD_READ_PARAMETERS, 84, {}}, End()};
    EXPECT_EQ(sent(), expected);
    EXPECT_EQ(lighting.state().blocks[0].bytes[0], firmware.parameterMemory()[0]);
}

TEST_F(LightingOnVkbd, FailedInformationReadLeavesTheStateAndEmptiesTheModeList) {
    bool panelSetting = true;
    lighting.readPanelOn = [&] { return panelSetting; };
    ASSERT_EQ(lighting.ReadLighting(), 0);
    EXPECT_TRUE(lighting.state().panelOn);
    panelSetting = false;
    uint8_t mode = lighting.state().mode;
    firmware.dropResponses(100);
    EXPECT_EQ(lighting.ReadLighting(), -1);
    EXPECT_EQ(lighting.state().mode, mode);
    EXPECT_EQ(lighting.modes().size(), 0);
    EXPECT_TRUE(lighting.state().panelOn);  // not read when the keyboard cannot be read
}

TEST_F(LightingOnVkbd, Mode7TakesItsOwnMultiColourByteForTheFYSwitch) {
    poke(0, {7, 1, 1, 0, 0});
    poke(18, {1});
    ASSERT_EQ(lighting.ReadLighting(), 0);
    EXPECT_TRUE(lighting.state().multiColourFY);
    EXPECT_FALSE(lighting.state().multiColourHX);
    poke(18, {2});  // not 0 or 1: the switch keeps its state
    ASSERT_EQ(lighting.ReadLighting(), 0);
    EXPECT_TRUE(lighting.state().multiColourFY);
}

// Each panel change, on a keyboard whose current profile reads mode 3,
// brightness 2, speed 3, multi-colour on: exactly these frames.
TEST_F(LightingOnVkbd, EveryWriteSendsItsBytesInOrderInOnePair) {
    struct Case {
        const char* name;
        int profile;
        std::function<void(Lighting&)> change;
        std::vector<Sent> frames;
    };
    const Case cases[] = {
        {"mode 3 with multi-colour on",
         0,
         [](Lighting& l) { l.SelectMode(3); },
         {Begin(), Param(0, {3}), Param(4, {1}), End()}},
        {"mode 4 writes the code only",
         0,
         [](Lighting& l) { l.SelectMode(4); },
         {Begin(), Param(0, {4}), End()}},
        {"mode 20", 1, [](Lighting& l) { l.SelectMode(20); }, {Begin(), Param(42, {20}), End()}},
        {"mode 19 writes nothing", 0, [](Lighting& l) { l.SelectMode(19); }, {}},
        {"brightness on profile 2",
         2,
         [](Lighting& l) { l.MoveBrightnessSlider(5); },
         {Begin(), Param(85, {5}), End()}},
        {"brightness unchanged", 0, [](Lighting& l) { l.MoveBrightnessSlider(2); }, {}},
        {"speed slider left end",
         0,
         [](Lighting& l) { l.MoveSpeedSlider(0); },
         {Begin(), Param(2, {5}), End()}},
        {"speed slider right end",
         0,
         [](Lighting& l) { l.MoveSpeedSlider(5); },
         {Begin(), Param(2, {0}), End()}},
        {"speed slider at 3 compares speeds",
         0,
         [](Lighting& l) { l.MoveSpeedSlider(3); },
         {Begin(), Param(2, {2}), End()}},
        {"speed slider where it is", 0, [](Lighting& l) { l.MoveSpeedSlider(2); }, {}},
        {"direction left",
         1,
         [](Lighting& l) { l.SetDirection(kDirectionLeft); },
         {Begin(), Param(45, {0xFF}), End()}},
        {"direction right",
         0,
         [](Lighting& l) { l.SetDirection(kDirectionRight); },
         {Begin(), Param(3, {0}), End()}},
        {"FY colour",
         0,
         [](Lighting& l) { l.PickColourFY(MakeColour(1, 2, 3)); },
         {Begin(), Param(4, {0}), Param(5, {1, 2, 3}), End()}},
        {"HX colour",
         2,
         [](Lighting& l) { l.PickColourHX(MakeColour(9, 8, 7)); },
         {Begin(), Param(88, {0}), Param(89, {9, 8, 7}), End()}},
        {"HX switch",
         0,
         [](Lighting& l) { l.ToggleMultiColourHX(); },
         {Begin(), Param(4, {0}), End()}},
        {"FY switch",
         0,
         [](Lighting& l) { l.ToggleMultiColourFY(); },
         {Begin(), Param(4, {0}), End()}},
        {"preset 3",
         0,
         [](Lighting& l) { l.ClickPreset(3); },
         {Begin(), Param(4, {0}), Param(5, {0, 126, 255}), End()}},
        {"colour choice",
         0,
         [](Lighting& l) { l.ClickColourChoice(2); },
         {Begin(), Param(17, {2}), End()}},
        {"base colour",
         1,
         [](Lighting& l) { l.WriteBaseColour(MakeColour(40, 50, 60)); },
         {Begin(), Param(51, {40, 50, 60}), End()}},
        {"report rate on profile 2",
         2,
         [](Lighting& l) { l.ClickReportRate(2); },
         {Begin(), Param(99, {2}), End()}},
        {"key colour of A on profile 2",
         2,
         [](Lighting& l) { l.SendKeyColor(61, MakeColour(1, 2, 3)); },
         {Begin(), Colours(1207, {1, 2, 3}), End()}},
        {"key colour outside the table",
         0,
         [](Lighting& l) { l.SendKeyColor(171, MakeColour(1, 2, 3)); },
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        device::setCurrentProfileIndex(c.profile);
        poke(42 * c.profile, {3, 2, 3, 0, 1});
        ASSERT_EQ(lighting.ReadLighting(), 0);
        sent();
        c.change(lighting);
        EXPECT_EQ(sent(), c.frames);
    }
}

TEST_F(LightingOnVkbd, RestoreDefaultsWritesThirtyFiveBytesAndKeepsTheRest) {
    device::setCurrentProfileIndex(1);
    std::vector<uint8_t> block(42);
    for (int i = 0; i < 42; ++i) block[i] = uint8_t(100 + i);
    poke(42, block);
    lighting.RestoreDefaultParameters();
    std::vector<uint8_t> defaults(DefaultParameterBlock.begin(), DefaultParameterBlock.end());
    EXPECT_EQ(sent(), (std::vector<Sent>{Begin(), Param(42, defaults), End()}));
    EXPECT_EQ(parameterBytes(42, 35), defaults);
    EXPECT_EQ(parameterBytes(42 + 35, 7), std::vector<uint8_t>(block.begin() + 35, block.end()));
    EXPECT_EQ(defaults[4], 0xFF);
    EXPECT_EQ(defaults[8], 0);
}

TEST_F(LightingOnVkbd, SendKeyColorsSendsEightChunksOfEighteenSlots) {
    device::setCurrentProfileIndex(2);
    for (int slot = 0; slot < kLedSlotCount; ++slot)
        lighting.keyColours().Set(2, slot, MakeColour(slot, 1, 2));
    lighting.keyColours().Set(0, 5, MakeColour(99, 99, 99));  // another profile: not sent
    lighting.SendKeyColors();
    auto frames = sent();
    ASSERT_EQ(frames.size(), 10u);
    EXPECT_EQ(frames.front(), Begin());
    EXPECT_EQ(frames.back(), End());
    for (int chunk = 0; chunk < 8; ++chunk) {
        const Sent& s = frames[1 + chunk];
        EXPECT_EQ(s.command, device::CMD_WRITE_KEY_COLOURS);
        EXPECT_EQ(s.offset, 1024 + 54 * chunk);
        ASSERT_EQ(s.bytes.size(), 54u);
        for (int i = 0; i < 18; ++i) {
            int slot = 18 * chunk + i;
            std::vector<uint8_t> rgb(s.bytes.begin() + 3 * i, s.bytes.begin() + 3 * i + 3);
            auto expected = slot < kLedSlotCount ? std::vector<uint8_t>{uint8_t(slot), 1, 2}
                                                 : std::vector<uint8_t>{0, 0, 0};
            EXPECT_EQ(rgb, expected) << "slot " << slot;
        }
    }
    const auto& memory = firmware.keyColours();
    EXPECT_EQ(memory[1024 + 3 * 61], 61);
    EXPECT_EQ(memory[3 * 5], 0);
}

TEST_F(LightingOnVkbd, HostStateFollowsTheWrites) {
    poke(0, {5, 2, 3, 0, 1, 10, 20, 30});
    ASSERT_EQ(lighting.ReadLighting(), 0);
    lighting.ClickPreset(2);
    EXPECT_TRUE(lighting.state().multiColourHX);  // presets leave the switches
    EXPECT_EQ(lighting.state().colours[HXColourButton], MakeColour(10, 20, 30));
    lighting.PickColourHX(MakeColour(1, 2, 3));
    EXPECT_FALSE(lighting.state().multiColourHX);
    EXPECT_EQ(lighting.PreviewState().colour, MakeColour(1, 2, 3));
    lighting.ToggleMultiColourFY();
    EXPECT_TRUE(lighting.state().multiColourHX);
    EXPECT_TRUE(lighting.state().multiColourFY);
    lighting.MoveSpeedSlider(0);
    EXPECT_EQ(lighting.state().speed, 5);
    // The keyboard holds what the host shows.
    ASSERT_EQ(lighting.ReadLighting(), 0);
    EXPECT_EQ(lighting.state().speed, 5);
    EXPECT_TRUE(lighting.state().multiColourHX);
    EXPECT_EQ(lighting.state().colours[HXColourButton], MakeColour(1, 2, 3));
}

}  // namespace
}  // namespace lighting::test
