// Choosing the language and looking texts up.
#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "settings/IniFile.h"
#include "settings/LanguageTables.h"
#include "settings/SettingsPaths.h"
#include "settings/SettingsValues.h"
#include "settings/SystemLanguage.h"
#include "support/TempFolder.h"

using testsupport::TempFolder;

namespace {

using settings::RegistryKey;

struct FirstRunCase {
    const char* stored;  // registry value text, nullptr = absent
    uint16_t system;
    uint32_t result;
    int index;
};

TEST(SettingsLanguageTables, ChoosesAndStoresTheLanguage) {
    FirstRunCase cases[] = {
        {nullptr, 0x0C04, 0x0409, 0},  // substituted, supported
        {nullptr, 0x1004, 0x0409, 0},  // substituted to 0x0404, not supported
        {nullptr, 0x0809, 0x0409, 0},  // English (UK)
        {nullptr, 0x0411, 0x0409, 0},  // Japanese: not supported
        {nullptr, 0x0409, 0x0409, 0},
        {"dword:00000407", 0x0411, 0x0407, 0},  // a stored choice is not validated
        {"dword:00000000", 0x0C04, 0x0409, 0},  // 0 = not chosen yet
        {"1033", 0x0C04, 0x0409, 0},            // not a DWORD: rewritten
    };
    for (const auto& c : cases) {
        TempFolder folder;
        RegistryKey key(folder.file("registry.ini"));
        if (c.stored != nullptr) {
            settings::WriteIniString(key.file(), RegistryKey::kKeyName, "dwLanguageId", c.stored);
        }
        uint32_t id = settings::GetLanguageId(key, c.system);
        EXPECT_EQ(id, c.result) << std::hex << c.system;
        EXPECT_EQ(settings::LanguageIndexOf(id), c.index);
        uint32_t stored = 0;
        ASSERT_EQ(key.ReadDword("dwLanguageId", stored), RegistryKey::Read::Ok);
        EXPECT_EQ(stored, c.result);
    }
}

TEST(SettingsLanguageTables, LocaleNamesMapToLanguageIdentifiers) {
    struct {
        const char* locale;
        uint16_t id;
    } cases[] = {{"en_US.UTF-8", 0x0409}, {"en_GB", 0x0809},      {"zh_TW.UTF-8", 0x0404},
                 {"zh_HK", 0x0C04},       {"de_DE@euro", 0x0407}, {"de_LU.UTF-8", 0x0407},
                 {"C", 0x0409},           {"POSIX", 0x0409},      {"", 0x0409},
                 {"xx_YY", 0x0409},       {"fr", 0x040C}};
    for (auto c : cases) EXPECT_EQ(settings::LanguageIdFromLocale(c.locale), c.id) << c.locale;
}

TEST(SettingsLanguageTables, FileNameAndIndexClamping) {
    EXPECT_EQ(settings::LanguageFileName("/p/", 0x0409), "/p/Lang0409.ini");
    EXPECT_EQ(settings::LanguageFileName("/p/", 0x0c0a), "/p/Lang0C0A.ini");
    EXPECT_EQ(settings::LanguageFilePath("/p/", 7), "/p/Lang0409.ini");
    EXPECT_EQ(settings::LanguageFilePath("/p/", 3), "/p/Lang0000.ini");
    EXPECT_EQ(settings::LanguageMessageIndex(7), 0);
    EXPECT_EQ(settings::LanguageMessageIndex(2), 2);
}

class SettingsLoadTextTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ::setenv("XDG_CONFIG_HOME", (folder.path() + "/config").c_str(), 1);
        ::setenv("XDG_DATA_HOME", (folder.path() + "/data").c_str(), 1);
        ::setenv("LANG", "en_US.UTF-8", 1);
        settings::BuildUserPaths();
        settings::SetProgramFolder(folder.path() + "/program");
        langFile = folder.write("program/Lang0409.ini",
                                "[TEXT]\nHELLO=Hello\nEMPTY=\n[LIGHT]\nSpeed=Speed\n"
                                "[MODE]\n5=Breathing\n");
    }
    TempFolder folder;
    std::string langFile;
};

TEST_F(SettingsLoadTextTest, LooksUpEachSectionWithFallbacks) {
    EXPECT_EQ(settings::LoadTextString("HELLO"), "Hello");
    EXPECT_EQ(settings::LoadTextString("EMPTY"), "");
    EXPECT_EQ(settings::LoadTextString("MISSING"), "#Error");
    EXPECT_EQ(settings::LoadLightString("Speed"), "Speed");
    EXPECT_EQ(settings::LoadModeString(5), "Breathing");
    EXPECT_EQ(settings::LoadText("TEXT", "HELLO", 7), "Hello");   // index above 3 is 0
    EXPECT_EQ(settings::LoadText("TEXT", "HELLO", 3), "#Error");  // Lang0000.ini
    EXPECT_EQ(settings::ProgramTexts().Mode(5), "Breathing");
    // The first lookup stored the language choice.
    EXPECT_EQ(TempFolder::read(folder.file("config/Velkor TX20 Keyboard/registry.ini")),
              "[HKEY_CURRENT_USER\\Software\\Velkor TX20 Keyboard]\ndwLanguageId=dword:00000409\n");
}

TEST_F(SettingsLoadTextTest, ModeKeysAreDecimalWithoutPadding) {
    folder.write("program/Lang0409.ini", "[MODE]\n05=padded\n0x5=hex\n5=plain\n");
    EXPECT_EQ(settings::LoadModeString(5), "plain");
}

TEST_F(SettingsLoadTextTest, MissingFileGivesErrorTextAndEditsShowAtTheNextLookup) {
    std::filesystem::remove(langFile);
    EXPECT_EQ(settings::LoadTextString("HELLO"), "#Error");
    folder.write("program/Lang0409.ini", "[TEXT]\nHELLO=Hi\n");
    EXPECT_EQ(settings::LoadTextString("HELLO"), "Hi");
    folder.write("program/Lang0409.ini", "[TEXT]\nHELLO=Ho\n");
    EXPECT_EQ(settings::LoadTextString("HELLO"), "Ho");
}

}  // namespace
