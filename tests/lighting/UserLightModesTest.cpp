// Per-key colours and user light-mode files against the virtual keyboard and
// real files in a private temporary folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "LightingTestSupport.h"
#include "lighting/UserLightModes.h"
#include "settings/IniFile.h"
#include "support/TempFolder.h"

namespace lighting::test {
namespace {

namespace fs = std::filesystem;

// Records what the panel would be asked to show.
class RecordingView : public UserModeView {
  public:
    void ShowButtonColour(ButtonRef button, Colour colour) override {
        shown.push_back({button, colour});
    }
    void ShowUserModeNames(const std::array<std::string, kUserModeCount>& list) override {
        names = list;
        ++listFills;
    }
    void ReplaceUserModeName(int index, const std::string& name) override { names[index] = name; }
    void ShowUserModeControls(int index, Colour base, Colour paint, int t) override {
        selected = index;
        tool = t;
    }
    std::vector<std::pair<ButtonRef, Colour>> shown;
    std::array<std::string, kUserModeCount> names{};
    int listFills = 0;
    int selected = -1;
    int tool = -1;
};

constexpr ButtonRef kA{ButtonRef::KeyButton, 0};   // slot 61
constexpr ButtonRef kS{ButtonRef::KeyButton, 18};  // slot 62
constexpr ButtonRef kFn{ButtonRef::FnButton, 0};
constexpr Colour kRed = MakeColour(255, 0, 0);

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class LightingUserModes : public LightingOnVkbd {
  protected:
    explicit LightingUserModes(vkbd::FirmwareConfig config = {})
        : LightingOnVkbd(std::move(config)),
          modes(lighting, (folder / "UserDengColor_").string(),
                (folder / "UserDengColor_3.userd").string(), &view) {
        EXPECT_FALSE(folder.path().empty());
    }

    fs::path fileOf(int profile) const {
        return folder / ("UserDengColor_" + std::to_string(profile) + ".userd");
    }
    std::string entry(int profile, const std::string& section, const std::string& key) const {
        return settings::ReadIniString(fileOf(profile).string(), section, key, "(none)");
    }
    std::vector<Sent> colourWrites() {
        std::vector<Sent> out;
        for (const Sent& s : sent())
            if (s.command == device::CMD_WRITE_KEY_COLOURS)
                out.push_back(s);
        return out;
    }

    testsupport::TempFolder folder;
    RecordingView view;
    UserLightModes modes;
};

TEST_F(LightingUserModes, FreshProfileSendsRedFollowingTheBaseForEveryMappedSlot) {
    device::setCurrentProfileIndex(1);
    ASSERT_EQ(lighting.ReadLighting(), 0);
    sent();
    modes.ApplyUserMode();
    auto frames = colourWrites();
    ASSERT_EQ(frames.size(), 8u);
    std::set<int> mapped;
    for (int i = 0; i < kKeyButtonCount; ++i)
        mapped.insert(LedSlotOf({ButtonRef::KeyButton, uint8_t(i)}));
    for (int g = 0; g < kGButtonCount; ++g)
        mapped.insert(LedSlotOf({ButtonRef::GButton, uint8_t(g)}));
    mapped.insert(kFnSlot);
    for (int slot = 0; slot < 144; ++slot) {
        const Sent& chunk = frames[slot / 18];
        EXPECT_EQ(chunk.offset, 512 + 54 * (slot / 18));
        std::vector<uint8_t> rgb(chunk.bytes.begin() + 3 * (slot % 18),
                                 chunk.bytes.begin() + 3 * (slot % 18) + 3);
        auto expected =
            mapped.count(slot) ? std::vector<uint8_t>{255, 0, 0} : std::vector<uint8_t>{0, 0, 0};
        EXPECT_EQ(rgb, expected) << "slot " << slot;
    }
    EXPECT_TRUE(modes.FollowsBase(1, kA));
    EXPECT_TRUE(modes.FollowsBase(1, kFn));
    EXPECT_TRUE(modes.FollowsBase(1, {ButtonRef::GButton, 8}));
    EXPECT_FALSE(modes.FollowsBase(0, kA));
    EXPECT_EQ(modes.currentMode(), 0);
    EXPECT_EQ(lighting.state().baseColour, 0u);
    EXPECT_FALSE(fs::exists(fileOf(1)));  // reading creates nothing
}

TEST_F(LightingUserModes, ArrivalSendsTheLayoutInsideTheReadAndThenRecomputesFlags) {
    // Base colour red in profile 0's block: every fresh red key follows it.
    poke(9, {255, 0, 0});
    poke(42 + 9, {1, 1, 1});
    ASSERT_EQ(modes.ReadOnArrival(), 0);
    std::vector<int> commands;
    for (const Sent& s : sent()) commands.push_back(s.command);
    std::vector<int> expected = {3, 1, 1, 17, 17, 17, 17, 17, 17, 17, 17, 2, 5, 5, 5, 2};
    EXPECT_EQ(commands, expected);
    EXPECT_EQ(view.listFills, 1);
    EXPECT_EQ(view.names[9], "0");
    EXPECT_TRUE(modes.FollowsBase(0, kA));
    EXPECT_FALSE(modes.FollowsBase(1, kA));  // black table, base 1,1,1
    EXPECT_TRUE(modes.FollowsBase(2, kA));   // black table, black base
}

TEST_F(LightingUserModes, BaseColourRecolorsOnlyTheKeysThatFollowIt) {
    ASSERT_EQ(modes.ReadOnArrival(), 0);
    lighting.SelectMode(kPerKeyMode);
    modes.SetTool(1);
    ASSERT_TRUE(modes.PaintKey(kA));
    modes.SetTool(0);
    modes.SetPaintColour(MakeColour(0, 255, 0));
    ASSERT_TRUE(modes.PaintKey(kS));
    EXPECT_EQ(entry(0, "Mode0", "62"), "0,255,0,0");
    sent();
    view.shown.clear();

    const Colour blue = MakeColour(0, 0, 255);
    modes.SetBaseColour(blue);
    EXPECT_EQ(lighting.keyColours().Get(0, 61), blue);
    EXPECT_EQ(lighting.keyColours().Get(0, 62), MakeColour(0, 255, 0));
    EXPECT_EQ(entry(0, "Mode0", "61"), "0,0,255,1");
    EXPECT_EQ(entry(0, "Mode0", "62"), "0,255,0,0");
    EXPECT_EQ(entry(0, "Mode0", "jcolor"), "0,0,255");
    EXPECT_EQ(entry(0, "Mode0", "color"), "0,255,0");
    EXPECT_EQ(entry(0, "Mode0", "tool"), "0");
    // On arrival the flags were recomputed against the block's black base,
    // so the fresh red keys no longer follow it.
    EXPECT_EQ(lighting.keyColours().Get(0, 0), kRed);
    // The whole layout goes out, then the base colour bytes of the block.
    auto frames = sent();
    ASSERT_EQ(frames.size(), 10u + 3u);
    EXPECT_EQ(frames[10], Begin());
    EXPECT_EQ(frames[11], Param(9, {0, 0, 255}));
    EXPECT_EQ(firmware.keyColours()[3 * 61 + 2], 255);
    EXPECT_EQ(firmware.keyColours()[3 * 62 + 1], 255);

    // The same colour again changes nothing but the block bytes.
    view.shown.clear();
    modes.SetBaseColour(blue);
    EXPECT_EQ(sent(), (std::vector<Sent>{Begin(), Param(9, {0, 0, 255}), End()}));
    EXPECT_TRUE(view.shown.empty());
}

TEST_F(LightingUserModes, PaintingSendsOneKeyAndRecordsItsEntry) {
    device::setCurrentProfileIndex(2);
    ASSERT_EQ(modes.ReadOnProfileSwitch(), 0);
    lighting.SelectMode(kPerKeyMode);
    modes.SetPaintColour(MakeColour(1, 2, 3));
    sent();
    ASSERT_TRUE(modes.PaintKey(kA));
    EXPECT_EQ(sent(), (std::vector<Sent>{Begin(), Colours(1207, {1, 2, 3}), End()}));
    EXPECT_EQ(entry(2, "Mode0", "61"), "1,2,3,0");
    EXPECT_FALSE(modes.FollowsBase(2, kA));
    ASSERT_FALSE(view.shown.empty());
    EXPECT_EQ(view.shown.back().second, MakeColour(1, 2, 3));
}

TEST_F(LightingUserModes, PreviewOfPerKeyModeShowsEachKeysSlotColour) {
    ASSERT_EQ(modes.ReadOnArrival(), 0);
    lighting.SelectMode(kPerKeyMode);
    modes.SetPaintColour(MakeColour(7, 8, 9));
    modes.PaintKey(kA);
    auto colours = modes.PreviewKeyColours();
    PreviewInput in = lighting.PreviewState();
    in.keyColours = &colours;
    PreviewEngine engine;
    const PreviewFrame& frame = engine.PreviewTick(in);
    EXPECT_EQ(frame[preview::A], (KeyTint{true, MakeColour(7, 8, 9)}));
    EXPECT_EQ(frame[preview::S], (KeyTint{true, kRed}));
    EXPECT_EQ(frame[preview::KP5], (KeyTint{true, kRed}));  // slot 118
}

TEST_F(LightingUserModes, ClicksOutsidePerKeyModeOrOnG6ToG9PaintNothing) {
    ASSERT_EQ(modes.ReadOnArrival(), 0);
    sent();
    lighting.SelectMode(4);
    sent();
    EXPECT_TRUE(modes.PaintKey(kA));  // consumed by the panel, but nothing happens
    lighting.SelectMode(kPerKeyMode);
    sent();
    EXPECT_FALSE(modes.PaintKey({ButtonRef::GButton, 6}));  // always key assignment
    modes.SetTool(7);
    EXPECT_TRUE(modes.PaintKey(kA));
    EXPECT_TRUE(colourWrites().empty());
    EXPECT_EQ(entry(0, "Mode0", "61"), "(none)");
}

TEST_F(LightingUserModes, SelectingAndRenamingTouchOnlyTheirKeys) {
    ASSERT_EQ(modes.ReadOnArrival(), 0);
    modes.SelectUserMode(3);
    EXPECT_EQ(entry(0, "PRESENTMODE", "mode"), "3");
    EXPECT_EQ(view.selected, 3);
    const std::string before = ReadFile(fileOf(0));
    modes.RenameUserMode("Night, blue");
    const std::string after = ReadFile(fileOf(0));
    EXPECT_EQ(entry(0, "MODENAME", "3"), "Night, blue");
    EXPECT_EQ(view.names[3], "Night, blue");
    // Only the new section with its one key was added.
    ASSERT_EQ(after.substr(0, before.size()), before);
    EXPECT_EQ(after.substr(before.size()), "\n[MODENAME]\n3=Night, blue\n");
    modes.RenameUserMode("Day");
    EXPECT_EQ(ReadFile(fileOf(0)), before + "\n[MODENAME]\n3=Day\n");
}

TEST_F(LightingUserModes, StoredLayoutIsLoadedWithMalformedValuesReadAsFarAsTheyGo) {
    std::ofstream(fileOf(0)) << "[PRESENTMODE]\nmode=2\n[MODENAME]\n2=Work\n"
                                "[Mode2]\ntool=1\njcolor=10,20,30\ncolor=1,2\n"
                                "61=5,6,7,0\n62=12,x,9,1\n105= 8 ,1,1,1\n";
    ASSERT_EQ(modes.ReadOnArrival(), 0);
    EXPECT_EQ(modes.currentMode(), 2);
    EXPECT_EQ(modes.tool(), 1);
    EXPECT_EQ(view.names[2], "Work");
    EXPECT_EQ(lighting.state().baseColour, MakeColour(10, 20, 30));
    EXPECT_EQ(lighting.state().paintColour, MakeColour(1, 2, 0));
    EXPECT_EQ(lighting.keyColours().Get(0, 61), MakeColour(5, 6, 7));
    EXPECT_EQ(lighting.keyColours().Get(0, 62), MakeColour(12, 0, 0));
    EXPECT_EQ(lighting.keyColours().Get(0, 105), MakeColour(8, 0, 0));
    EXPECT_EQ(lighting.keyColours().Get(0, 63), kRed);
    EXPECT_EQ(firmware.keyColours()[3 * 61], 5);
}

TEST_F(LightingUserModes, ResetCopiesTheTemplateOrLeavesAnEmptyFile) {
    ASSERT_EQ(modes.ReadOnArrival(), 0);
    modes.RenameUserMode("Mine");
    // Missing template: the file becomes empty and every default applies.
    modes.ResetUserModes();
    EXPECT_TRUE(fs::exists(fileOf(0)));
    EXPECT_EQ(fs::file_size(fileOf(0)), 0u);
    EXPECT_EQ(view.names[0], "0");

    const std::string layout = "[PRESENTMODE]\r\nmode=1\r\n[Mode1]\r\n61=0,0,9,0\r\n";
    std::ofstream(folder / "UserDengColor_3.userd", std::ios::binary) << layout;
    sent();
    modes.ResetUserModes();
    EXPECT_EQ(ReadFile(fileOf(0)), layout);
    EXPECT_EQ(modes.currentMode(), 1);
    EXPECT_EQ(view.selected, 1);
    EXPECT_EQ(lighting.keyColours().Get(0, 61), MakeColour(0, 0, 9));
    EXPECT_EQ(colourWrites().size(), 8u);
}

TEST(LightingUserModeFile, DecimalsAreScannedLikePercentD) {
    struct Case {
        const char* text;
        std::array<int, 4> values;
    };
    const Case cases[] = {
        {"255,0,0,1", {255, 0, 0, 1}},
        {" 1, 2,3", {1, 2, 3, 0}},
        {"1 ,2", {1, 0, 0, 0}},
        {"-4,+5,x,7", {-4, 5, 0, 0}},
        {"", {0, 0, 0, 0}},
        {"9abc,1", {9, 0, 0, 0}},
        {"99999999999,3", {2147483647, 3, 0, 0}},
    };
    for (const Case& c : cases) {
        std::array<int, 4> got{};
        ScanDecimals(c.text, got.data(), 4);
        EXPECT_EQ(got, c.values) << c.text;
    }
}

class LightingUserModesWithoutPerKeyMode : public LightingUserModes {
  protected:
    LightingUserModesWithoutPerKeyMode()
        : LightingUserModes(vkbd::FirmwareConfig{0x0102, 64, {1, 2, 3}}) {}
};

TEST_F(LightingUserModesWithoutPerKeyMode, NoFileIsReadAndNoColoursAreSent) {
    std::ofstream(fileOf(0)) << "[MODENAME]\n0=Kept\n";
    ASSERT_EQ(modes.ReadOnArrival(), 0);
    EXPECT_TRUE(colourWrites().empty());
    EXPECT_EQ(view.listFills, 0);
    EXPECT_EQ(lighting.keyColours().Get(0, 61), 0u);
    modes.SelectUserMode(2);
    modes.RenameUserMode("x");
    modes.ResetUserModes();
    EXPECT_EQ(ReadFile(fileOf(0)), "[MODENAME]\n0=Kept\n");
    EXPECT_TRUE(colourWrites().empty());
}

// The template the program ships: ten named layouts, each with its colours.
TEST(LightingTemplateFile, ShippedTemplateHoldsTenNamedLayouts) {
    UserLightModeFile shipped(std::string(KEYTUNE_SOURCE_DIR) +
                              "/data/Skins/UserDengColor_3.userd");
    EXPECT_EQ(shipped.PresentMode(), 0);
    for (int mode = 0; mode < kUserModeCount; ++mode) {
        SCOPED_TRACE(mode);
        EXPECT_NE(shipped.ModeName(mode), "0");  // "0" is what an absent name reads as
        EXPECT_EQ(shipped.Tool(mode), 0);
    }
    // Gaming: W painted red on its own, Esc following the dark blue base.
    EXPECT_EQ(shipped.BaseColour(0), MakeColour(0, 40, 160));
    KeyEntry w = shipped.Key(0, 42), esc = shipped.Key(0, 0);
    EXPECT_EQ(w.colour, MakeColour(255, 0, 0));
    EXPECT_FALSE(w.followsBase);
    EXPECT_TRUE(esc.followsBase);
}

}  // namespace
}  // namespace lighting::test
