// Paths, the settings values, text formatting and skin rectangles.
#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "settings/IniFile.h"
#include "settings/SettingsPaths.h"
#include "settings/SettingsValues.h"
#include "settings/SkinRect.h"
#include "settings/TextFormat.h"
#include "support/TempFolder.h"

using testsupport::TempFolder;

namespace {

TEST(SettingsPaths, ProgramPathsKeepSpacesAndNeedNoQuoting) {
    auto p = settings::MakeProgramPaths("/opt/My Apps/Key tune/keytune");
    EXPECT_EQ(p.programFolder, "/opt/My Apps/Key tune/");
    EXPECT_EQ(p.programFileName, "keytune");
    EXPECT_EQ(p.skinFolder, "/opt/My Apps/Key tune/Skins/");
    EXPECT_EQ(p.helpFolder, "/opt/My Apps/Key tune/Help/");
    EXPECT_EQ(p.mainSkinFile, "/opt/My Apps/Key tune/Skins/Main.ini");
    EXPECT_EQ(p.compositeSkinFile, "/opt/My Apps/Key tune/Skins/Composite.ini");
    EXPECT_EQ(p.profileSkinFile, "/opt/My Apps/Key tune/Skins/Profile.ini");
    EXPECT_EQ(p.companionProgram, "/opt/My Apps/Key tune/KbDaemon.exe");
    EXPECT_EQ(settings::LightModeFileName(p.skinLightModePrefix, 3),
              "/opt/My Apps/Key tune/Skins/UserDengColor_3.userd");
}

TEST(SettingsPaths, UserPathsFollowTheXdgFolders) {
    auto u = settings::MakeUserPaths("/home/u/.local/share", "/home/u/.config/");
    EXPECT_EQ(u.userFolder, "/home/u/.local/share/Velkor TX20 Keyboard/");
    EXPECT_EQ(u.settingsFile, "/home/u/.local/share/Velkor TX20 Keyboard/tamro.ini");
    EXPECT_EQ(settings::LightModeFileName(u.lightModePrefix, 0),
              "/home/u/.local/share/Velkor TX20 Keyboard/UserDengColor_0.userd");
    EXPECT_EQ(u.registryFile, "/home/u/.config/Velkor TX20 Keyboard/registry.ini");
    EXPECT_EQ(u.appSettingsFile, "/home/u/.config/Keytune_Orvane/Keytune.ini");
}

TEST(SettingsPaths, RelativeXdgValuesAreIgnoredAndDataFolderIsCreated) {
    TempFolder folder;
    ::setenv("HOME", folder.path().c_str(), 1);
    ::setenv("XDG_DATA_HOME", "relative/data", 1);
    ::setenv("XDG_CONFIG_HOME", (folder.path() + "/cfg").c_str(), 1);
    EXPECT_EQ(settings::XdgDataHome(), folder.path() + "/.local/share");
    EXPECT_EQ(settings::XdgConfigHome(), folder.path() + "/cfg");
    settings::BuildUserPaths();
    EXPECT_TRUE(std::filesystem::is_directory(folder.path() + "/.local/share"));
    EXPECT_EQ(settings::GetUserPaths().registryFile,
              folder.path() + "/cfg/Velkor TX20 Keyboard/registry.ini");
}

TEST(SettingsValues, FlipIsZeroOrOne) {
    TempFolder folder;
    std::string file = folder.file("Keytune.ini");
    EXPECT_EQ(settings::ReadFlipFrom(file), 0);  // missing value
    struct {
        int written;
        int stored;
    } cases[] = {{1, 1}, {0, 0}, {5, 0}, {2, 0}, {-3, 0}};
    for (auto c : cases) {
        EXPECT_EQ(settings::WriteFlipTo(file, c.written), c.stored) << c.written;
        EXPECT_EQ(settings::ReadIniString(file, "PROFILES", "Flip", ""), std::to_string(c.stored));
        EXPECT_EQ(settings::ReadFlipFrom(file), c.stored);
    }
}

TEST(SettingsValues, FlipReadsAsADecimalConversion) {
    TempFolder folder;
    struct {
        const char* text;
        int value;
    } cases[] = {{"1", 1}, {" 1abc", 1}, {"abc", 0}, {"", 0}, {"-1", -1}, {"99999999999", INT_MAX}};
    for (auto c : cases) {
        std::string file = folder.write("f.ini", std::string("[PROFILES]\nFlip=") + c.text + "\n");
        EXPECT_EQ(settings::ReadFlipFrom(file), c.value) << c.text;
    }
}

TEST(SettingsValues, PanelSwitchLivesInKeycolorDengCheck) {
    TempFolder folder;
    std::string file = folder.file("user/tamro.ini");
    EXPECT_FALSE(settings::ReadPanelOnFrom(file));
    ASSERT_TRUE(settings::WritePanelOnTo(file, true));
    EXPECT_EQ(TempFolder::read(file), "[KEYCOLOR]\nDengCheck=1\n");
    EXPECT_TRUE(settings::ReadPanelOnFrom(file));
    for (const char* other : {"yes", "2", "01", ""}) {
        folder.write("user/tamro.ini", std::string("[KEYCOLOR]\nDengCheck=") + other + "\n");
        EXPECT_FALSE(settings::ReadPanelOnFrom(file)) << other;
    }
}

TEST(SettingsValues, RegistryDwordValues) {
    TempFolder folder;
    settings::RegistryKey key(folder.file("registry.ini"));
    uint32_t value = 7;
    EXPECT_EQ(key.ReadDword("dwLanguageId", value), settings::RegistryKey::Read::Missing);
    ASSERT_TRUE(key.WriteDword("dwLanguageId", 0x0409));
    EXPECT_EQ(TempFolder::read(key.file()),
              "[HKEY_CURRENT_USER\\Software\\Velkor TX20 Keyboard]\ndwLanguageId=dword:00000409\n");
    EXPECT_EQ(key.ReadDword("dwLanguageId", value), settings::RegistryKey::Read::Ok);
    EXPECT_EQ(value, 0x0409u);
    for (const char* bad : {"1033", "dword:409", "dword:0000040G", "hex:09,04"}) {
        settings::WriteIniString(key.file(), settings::RegistryKey::kKeyName, "dwLanguageId", bad);
        EXPECT_EQ(key.ReadDword("dwLanguageId", value), settings::RegistryKey::Read::NotDword)
            << bad;
    }
}

TEST(SettingsTextFormat, FormatsOnlyWhatItUnderstandsWithTheArgumentsGiven) {
    using settings::FormatText;
    EXPECT_EQ(FormatText("Key %d", {100}), "Key 100");
    EXPECT_EQ(FormatText("At most %d macros", {100}), "At most 100 macros");
    EXPECT_EQ(FormatText("The file %s is bad", {"/a b/c.kpf"}), "The file /a b/c.kpf is bad");
    EXPECT_EQ(FormatText("%04X|%-4d|%5s|%.2s|%+d|%x", {0x45, 7, "ab", "xyz", 3, 255}),
              "0045|7   |   ab|xy|+3|ff");
    EXPECT_EQ(FormatText("100%% sure", {}), "100% sure");
    // Texts are data: conversions without arguments, unknown conversions and
    // mismatched types never reach printf.
    EXPECT_EQ(FormatText("%s %s %n %p", {}), "%s %s %n %p");
    EXPECT_EQ(FormatText("%d then %d", {1}), "1 then %d");
    EXPECT_EQ(FormatText("%d", {"text"}), "text");
    EXPECT_EQ(FormatText("%s", {42}), "42");
    EXPECT_EQ(FormatText("%99999d", {1}), "%99999d");
    EXPECT_EQ(FormatText("trailing %", {1}), "trailing %");
}

TEST(SettingsTextFormat, ListsConversions) {
    EXPECT_EQ(settings::FormatConversions("Key %d"), "d");
    EXPECT_EQ(settings::FormatConversions("%s and %02d, 100%%"), "sd");
    EXPECT_EQ(settings::FormatConversions("50% off"), "?");
    EXPECT_EQ(settings::FormatConversions("plain"), "");
}

TEST(SettingsSkinRect, ReadsFourNumbersAsFarAsTheyGo) {
    struct {
        const char* text;
        int read;
        settings::SkinRect rect;
    } cases[] = {
        {"100,50,40,20", 4, {100, 50, 40, 20}},
        {"1,1,1,1,x", 4, {1, 1, 1, 1}},
        {"-5, 6,7,8", 4, {-5, 6, 7, 8}},
        {"10,20", 2, {10, 20, 0, 0}},
        {"10 ,20,30,40", 1, {10, 0, 0, 0}},
        {"x,1,2,3", 0, {0, 0, 0, 0}},
        {"", 0, {0, 0, 0, 0}},
    };
    for (auto c : cases) {
        settings::SkinRect rect;
        EXPECT_EQ(settings::ParseSkinRect(c.text, rect), c.read) << c.text;
        EXPECT_EQ(rect, c.rect) << c.text;
    }
}

TEST(SettingsSkinRect, MissingFileOrKeyReadsAsOneOneOneOne) {
    TempFolder folder;
    std::string skin = folder.write("Main.ini", "[BUTTONINFO]\nKEY_01E=100,50,40,20\nHALF=3,4\n");
    EXPECT_EQ(settings::ReadSkinRect(skin, "BUTTONINFO", "KEY_01E"),
              (settings::SkinRect{100, 50, 40, 20}));
    EXPECT_EQ(settings::ReadSkinRect(skin, "BUTTONINFO", "KEY_FFF"),
              (settings::SkinRect{1, 1, 1, 1}));
    EXPECT_EQ(settings::ReadSkinRect(skin, "BUTTONINFO", "HALF"), (settings::SkinRect{3, 4, 0, 0}));
    EXPECT_EQ(settings::ReadSkinRect(folder.file("none.ini"), "BUTTONINFO", "X"),
              (settings::SkinRect{1, 1, 1, 1}));
}

TEST(SettingsSkinRect, ScreenEntriesWithTheMaskDefaultingToTheBackground) {
    TempFolder folder;
    auto both =
        settings::ReadSkinScreen(folder.write("a.ini", "[SCREEN]\nMain=bg.jpg\nMask=m.bmp\n"));
    EXPECT_EQ(both.main, "bg.jpg");
    EXPECT_EQ(both.mask, "m.bmp");
    auto noMask = settings::ReadSkinScreen(folder.write("b.ini", "[SCREEN]\nMain=bg.jpg\nMask=\n"));
    EXPECT_EQ(noMask.mask, std::nullopt);  // present but empty: no string at all
    auto absentMask = settings::ReadSkinScreen(folder.write("c.ini", "[SCREEN]\nMain=bg.jpg\n"));
    EXPECT_EQ(absentMask.mask, "bg.jpg");
    auto none = settings::ReadSkinScreen(folder.file("none.ini"));
    EXPECT_EQ(none.main, std::nullopt);
    EXPECT_EQ(none.mask, std::nullopt);
}

}  // namespace
