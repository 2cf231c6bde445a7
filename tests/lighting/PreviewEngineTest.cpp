// Tests of the lighting preview: the worked examples, the reset rules and, for
// every mode, properties that a wrong table or step rule would break.
#include <gtest/gtest.h>

#include <set>

#include "lighting/PreviewEngine.h"

namespace lighting {
namespace {

using namespace preview;

// Hands out 0, 7, 14, ... so that hues are predictable.
class CountingRandom : public PreviewRandom {
  public:
    int NextHue() override { return next_ = (next_ + 7) % 255; }

  private:
    int next_ = -7;
};

PreviewEngine MakeEngine() {
    return PreviewEngine(std::make_unique<CountingRandom>());
}

constexpr Colour kEffect = MakeColour(200, 120, 40);

PreviewInput Input(int mode, bool multi, uint8_t direction = 0xFF) {
    PreviewInput in;
    in.mode = uint8_t(mode);
    in.direction = direction;
    in.colour = kEffect;
    in.multiColour = multi;
    return in;
}

KeyTint Lit(Colour c) {
    return {true, c};
}

// The colours each kind of mode may show, collected once.
const std::set<Colour>& WheelColours() {
    static const std::set<Colour> colours = [] {
        std::set<Colour> s;
        for (int i = 0; i < 192; ++i) s.insert(Wheel(i));
        return s;
    }();
    return colours;
}
const std::set<Colour>& EffectLevelColours() {
    static const std::set<Colour> colours = [] {
        std::set<Colour> s;
        for (int level = 0; level <= 255; ++level) s.insert(ScaleColour(kEffect, level));
        return s;
    }();
    return colours;
}
const std::set<Colour>& HueLevelColours() {
    static const std::set<Colour> colours = [] {
        std::set<Colour> s;
        for (int i = 0; i < 192; ++i)
            for (int level = 0; level <= 255; ++level) s.insert(ScaleColour(Wheel(i), level));
        return s;
    }();
    return colours;
}

TEST(LightingPreviewTables, WheelCurvesAndGridMatchTheirDefinitions) {
    EXPECT_EQ(Wheel(0), MakeColour(255, 1, 0));
    EXPECT_EQ(Wheel(31), MakeColour(255, 255, 0));
    EXPECT_EQ(Wheel(32), MakeColour(248, 255, 0));
    EXPECT_EQ(Wheel(191), MakeColour(255, 0, 0));
    EXPECT_EQ(RandomHueColour(200), Wheel(8));
    EXPECT_EQ(RandomHueColour(255), Wheel(63));

    auto wave = WaveCurve();
    EXPECT_EQ(wave[0], 22);
    EXPECT_EQ(wave[47], 255);
    EXPECT_EQ(wave[48], 255);
    EXPECT_EQ(wave[95], 22);
    auto breath = BreathCurve();
    EXPECT_EQ(breath[15], 20);
    EXPECT_EQ(breath[16], 22);
    EXPECT_EQ(breath[63], 255);
    EXPECT_EQ(breath[64], 255);
    EXPECT_EQ(breath[127], 3);
    auto peak = PeakCurve();
    EXPECT_EQ(peak[16], 255);
    EXPECT_EQ(peak[79], 1);
    EXPECT_EQ(peak[80], 0);
    EXPECT_EQ(peak[128], 0);

    // Every one of the 109 keys has a cell; only the two wide keys have two.
    std::multiset<int> seen;
    for (int row = 0; row < kGridRows; ++row)
        for (int column = 0; column < kGridColumns; ++column)
            if (GridKey(column, row) != kEmptyCell)
                seen.insert(GridKey(column, row));
    EXPECT_EQ(seen.size(), 111u);
    for (int key = 0; key < kPreviewKeyCount; ++key)
        EXPECT_EQ(seen.count(key), key == RAlt || key == KP0 ? 2u : 1u) << key;
    EXPECT_EQ(GridKey(12, 1), Minus);
    EXPECT_EQ(GridKey(11, 2), P);
}

TEST(LightingPreviewTables, RingsCoverEveryKeyOnceAndButtonsAreDistinct) {
    std::multiset<int> ringKeys;
    for (int ring = 0; ring < kMode18Rings; ++ring)
        for (PreviewKey key : Mode18Ring(ring)) ringKeys.insert(key);
    EXPECT_EQ(ringKeys.size(), size_t(kPreviewKeyCount));
    for (int key = 0; key < kPreviewKeyCount; ++key) EXPECT_EQ(ringKeys.count(key), 1u) << key;

    std::set<std::pair<int, int>> buttons;
    for (int key = 0; key < kPreviewKeyCount; ++key) {
        PreviewKeyButton b = ButtonOfPreviewKey(key);
        buttons.insert({b.kind, b.index});
    }
    EXPECT_EQ(buttons.size(), size_t(kPreviewKeyCount));
    EXPECT_EQ(ButtonOfPreviewKey(A).index, 0);  // A is key button 0
    EXPECT_EQ(ButtonOfPreviewKey(G3).kind, PreviewKeyButton::GButton);
    EXPECT_EQ(ButtonOfPreviewKey(Fn).kind, PreviewKeyButton::FnButton);
}

TEST(LightingPreview, WorkedExamples) {
    {  // mode 1, multi-colour, leftwards: one tick from p = 0
        auto engine = MakeEngine();
        const auto& f = engine.PreviewTick(Input(1, true));
        EXPECT_EQ(f[G1], Lit(Wheel(9)));      // column 0
        EXPECT_EQ(f[Grave], Lit(Wheel(18)));  // column 1
        EXPECT_EQ(f[G5], Lit(Wheel(9)));
    }
    {  // mode 2, single colour, leftwards: p = 124 after 31 ticks
        auto engine = MakeEngine();
        for (int i = 0; i < 31; ++i) engine.PreviewTick(Input(2, false));
        EXPECT_EQ(engine.frame()[G1], Lit(ScaleColour(kEffect, PeakCurve()[1])));
        EXPECT_EQ(engine.frame()[Grave], Lit(ScaleColour(kEffect, PeakCurve()[6])));
    }
    {  // mode 11: the first key in key order starts at hue 33 and steps by 3
        auto engine = MakeEngine();
        EXPECT_EQ(engine.PreviewTick(Input(11, false))[Pause], Lit(Wheel(36)));
        EXPECT_EQ(engine.frame()[ScrLk], Lit(Wheel(69)));
    }
}

TEST(LightingPreview, Mode13PulseFromBelowReachesRowZeroAfterSixTicksThenRestarts) {
    auto engine = MakeEngine();
    const int bank = PreviewEngine::kBank13;
    for (int tick = 1; tick <= 6; ++tick) {
        engine.PreviewTick(Input(13, false));
        EXPECT_EQ(engine.levelInBank(bank, F6), 0) << tick;  // row 0, column 9
    }
    // Row 0 is lit on the seventh tick, when a new pulse starts there.
    engine.PreviewTick(Input(13, false));
    EXPECT_EQ(engine.levelInBank(bank, F6), 235);
    EXPECT_EQ(engine.frame()[F6], Lit(ScaleColour(kEffect, 235)));
    engine.PreviewTick(Input(13, false));
    EXPECT_EQ(engine.levelInBank(bank, D8), 235);  // row 1, column 9
    EXPECT_EQ(engine.levelInBank(bank, F5), 235);  // row 0, columns 8 and 10
    EXPECT_EQ(engine.levelInBank(bank, F7), 235);
    EXPECT_EQ(engine.levelInBank(bank, F6), 215);
}

TEST(LightingPreview, DecayBandsOfSparklesAndOfMode14) {
    auto sparkle = MakeEngine();
    int key = SparkleOrder()[1];
    std::vector<int> levels;
    for (int tick = 0; tick < 9; ++tick) {
        sparkle.PreviewTick(Input(10, false));
        levels.push_back(sparkle.levelInBank(PreviewEngine::kSharedBank, key));
    }
    EXPECT_EQ(levels, (std::vector<int>{235, 215, 195, 175, 155, 135, 115, 99, 83}));

    auto script = MakeEngine();
    levels.clear();
    for (int tick = 0; tick < 7; ++tick) {
        script.PreviewTick(Input(14, false));
        levels.push_back(script.levelInBank(PreviewEngine::kBank14, Esc));
    }
    EXPECT_EQ(levels, (std::vector<int>{225, 195, 165, 135, 105, 85, 65}));
}

TEST(LightingPreview, SparklesLightThreeKeysPerTickWithRandomHues) {
    auto engine = MakeEngine();
    const auto& f = engine.PreviewTick(Input(10, true));
    auto order = SparkleOrder();
    // Hues 0, 7, 14 from the injected generator.
    EXPECT_EQ(f[order[1]], Lit(ScaleColour(RandomHueColour(0), 235)));
    EXPECT_EQ(f[order[2]], Lit(ScaleColour(RandomHueColour(7), 235)));
    EXPECT_EQ(f[order[3]], Lit(ScaleColour(RandomHueColour(14), 235)));
    int lit = 0;
    for (const KeyTint& t : f) lit += t.colour != 0;
    EXPECT_EQ(lit, 3);
}

TEST(LightingPreview, RainDropsStartTenThirteenAndSixteenColumnsOn) {
    auto engine = MakeEngine();
    engine.PreviewTick(Input(15, false));
    for (int key : {F7, F10, PrtSc}) EXPECT_EQ(engine.levelInBank(0, key), 235) << key;
    EXPECT_EQ(engine.levelInBank(0, F6), 0);
    // The next drops start 10 columns after the last (16): 3, 6, 9.
    engine.PreviewTick(Input(15, false));
    for (int key : {F1, F4, F6}) EXPECT_EQ(engine.levelInBank(0, key), 235) << key;
    EXPECT_EQ(engine.levelInBank(0, D9), 235);  // F7's drop moved to row 1 (the A/B planes)
}

TEST(LightingPreview, Mode14WalksItsPathThenItsPairs) {
    auto engine = MakeEngine();
    engine.PreviewTick(Input(14, true));
    // g = 1 at the tick, then +11 per key: Esc 12, KPEnter 23.
    EXPECT_EQ(engine.frame()[Esc], Lit(ScaleColour(RandomHueColour(12), 225)));
    EXPECT_EQ(engine.frame()[KPEnter], Lit(ScaleColour(RandomHueColour(23), 225)));
    for (int tick = 1; tick < 20; ++tick) engine.PreviewTick(Input(14, true));
    EXPECT_EQ(engine.levelInBank(PreviewEngine::kBank14, Slash), 225);  // path step 19
    engine.PreviewTick(Input(14, true));                                // pair 0: 9 and /
    EXPECT_EQ(engine.levelInBank(PreviewEngine::kBank14, D9), 225);
    EXPECT_EQ(engine.levelInBank(PreviewEngine::kBank14, Slash), 225);
    // Eventually the ripple from P reaches the left Ctrl.
    bool reachedCtrl = false;
    for (int tick = 0; tick < 200 && !reachedCtrl; ++tick) {
        engine.PreviewTick(Input(14, true));
        reachedCtrl = engine.levelInBank(PreviewEngine::kBank14, LCtrl) > 0;
    }
    EXPECT_TRUE(reachedCtrl);
}

TEST(LightingPreview, ResetRestoresTheDocumentedState) {
    auto engine = MakeEngine();
    for (int i = 0; i < 25; ++i) engine.PreviewTick(Input(16, false));
    for (int i = 0; i < 25; ++i) engine.PreviewTick(Input(10, false));
    engine.PreviewReset();
    // The ripple restarts from the top of column 1: after two ticks only the
    // cells one step from it are lit.
    engine.PreviewTick(Input(16, false));
    engine.PreviewTick(Input(16, false));
    for (int key = 0; key < kPreviewKeyCount; ++key) {
        int expected = key == Esc || key == Grave ? 235 : 0;
        EXPECT_EQ(engine.levelInBank(PreviewEngine::kBank16, key), expected) << key;
        EXPECT_EQ(engine.levelInBank(PreviewEngine::kSharedBank, key), 0) << key;
    }
    // Phase counters survive a reset: mode 4 continues where it was.
    PreviewEngine cycle = MakeEngine();
    cycle.PreviewTick(Input(4, false));
    cycle.PreviewReset();
    EXPECT_EQ(cycle.PreviewTick(Input(4, false))[A], Lit(Wheel(4)));
    // The rainbow is spread again after a reset instead of turning uniform.
    PreviewEngine rainbow = MakeEngine();
    rainbow.PreviewTick(Input(11, false));
    rainbow.PreviewReset();
    rainbow.PreviewTick(Input(7, false));
    rainbow.PreviewTick(Input(11, false));
    EXPECT_EQ(rainbow.frame()[Pause], Lit(Wheel(36)));
    EXPECT_EQ(rainbow.frame()[ScrLk], Lit(Wheel(69)));
}

TEST(LightingPreview, StaticRowAndRingModes) {
    auto engine = MakeEngine();
    const auto& six = engine.PreviewTick(Input(6, true));
    EXPECT_EQ(six[KPMinus], Lit(Wheel(0)));  // column 22 restarts at 0
    EXPECT_EQ(six[KPStar], Lit(Wheel(189)));
    EXPECT_EQ(engine.PreviewTick(Input(6, false))[A], Lit(kEffect));

    const auto& rows = engine.PreviewTick(Input(12, true, 0x00));  // down: p = 189
    EXPECT_EQ(rows[Esc], Lit(Wheel(189)));
    EXPECT_EQ(rows[G1], Lit(Wheel((189 + 32) % 192)));
    EXPECT_EQ(rows[Space], Lit(Wheel((189 + 160) % 192)));

    const auto& rings = engine.PreviewTick(Input(18, true, 0xFF));  // p = 2
    EXPECT_EQ(rings[O], Lit(Wheel(23)));
    EXPECT_EQ(rings[D9], Lit(Wheel(44)));
    EXPECT_EQ(rings[G5], Lit(Wheel((2 + 21 * 12) % 192)));

    std::array<Colour, kPreviewKeyCount> own{};
    for (int i = 0; i < kPreviewKeyCount; ++i) own[i] = MakeColour(i, 0, 255 - i);
    PreviewInput perKey = Input(20, false);
    perKey.keyColours = &own;
    const auto& twenty = engine.PreviewTick(perKey);
    for (int i = 0; i < kPreviewKeyCount; ++i) EXPECT_EQ(twenty[i], Lit(own[i]));
}

// Every mode over many ticks, both directions and both colour settings, with
// mode changes in between: each key shows only what its mode may show.
TEST(LightingPreview, EveryModeYieldsOnlyItsKindOfColour) {
    enum Kind { Cleared, WheelOnly, EffectLevels, HueLevels };
    struct Case {
        int mode;
        bool multi;
        Kind kind;
        bool allLit;
    };
    const Case cases[] = {
        {1, true, WheelOnly, true},      {1, false, EffectLevels, true},
        {2, true, WheelOnly, true},      {2, false, EffectLevels, true},
        {3, true, WheelOnly, true},      {3, false, EffectLevels, true},
        {4, true, WheelOnly, true},      {4, false, WheelOnly, true},
        {5, true, HueLevels, true},      {5, false, EffectLevels, true},
        {6, true, WheelOnly, true},      {6, false, EffectLevels, true},
        {7, true, Cleared, false},       {8, false, Cleared, false},
        {9, true, Cleared, false},       {10, true, HueLevels, true},
        {10, false, EffectLevels, true}, {11, false, WheelOnly, true},
        {12, true, WheelOnly, true},     {13, true, HueLevels, true},
        {13, false, EffectLevels, true}, {14, true, HueLevels, true},
        {14, false, EffectLevels, true}, {15, true, HueLevels, true},
        {15, false, EffectLevels, true}, {16, true, HueLevels, true},
        {16, false, EffectLevels, true}, {17, true, Cleared, false},
        {18, true, WheelOnly, true},     {0, true, Cleared, false},
        {19, true, Cleared, false},      {20, false, Cleared, false},
        {21, true, Cleared, false},      {255, false, Cleared, false},
    };
    auto engine = MakeEngine();
    for (uint8_t direction : {uint8_t(0xFF), uint8_t(0x00), uint8_t(0x01)}) {
        for (const Case& c : cases) {
            engine.PreviewReset();
            PreviewInput in = Input(c.mode, c.multi, direction);
            for (int tick = 0; tick < 300; ++tick) {
                const PreviewFrame& f = engine.PreviewTick(in);
                for (int key = 0; key < kPreviewKeyCount; ++key) {
                    const KeyTint& t = f[key];
                    ASSERT_EQ(t.lit, c.allLit) << "mode " << c.mode << " key " << key;
                    if (!t.lit)
                        continue;
                    SCOPED_TRACE(testing::Message() << "mode " << c.mode << " multi " << c.multi
                                                    << " tick " << tick << " key " << key);
                    switch (c.kind) {
                        case WheelOnly:
                            ASSERT_TRUE(WheelColours().count(t.colour));
                            break;
                        case EffectLevels:
                            ASSERT_TRUE(EffectLevelColours().count(t.colour));
                            break;
                        case HueLevels:
                            ASSERT_TRUE(HueLevelColours().count(t.colour));
                            break;
                        case Cleared:
                            break;
                    }
                }
            }
        }
    }
}

}  // namespace
}  // namespace lighting
