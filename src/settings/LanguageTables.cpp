// LanguageTables.cpp - language choice and text lookup.
#include "settings/LanguageTables.h"

#include <cstdio>

#include "settings/IniFile.h"
#include "settings/SettingsPaths.h"
#include "settings/SettingsValues.h"
#include "settings/SystemLanguage.h"

namespace settings {
namespace {

struct Substitution {
    uint16_t from;
    uint16_t to;
};

constexpr Substitution kSubstitutions[] = {
    {0x0C04, 0x0409}, {0x1004, 0x0404}, {0x0809, 0x0409}, {0x0C09, 0x0409},
    {0x1009, 0x0409}, {0x1409, 0x0409}, {0x1809, 0x0409}, {0x1C09, 0x0409},
    {0x2009, 0x0409}, {0x2409, 0x0409}, {0x2809, 0x0409}, {0x2C09, 0x0409},
};

}  // namespace

uint16_t SubstituteSystemLanguage(uint16_t systemLanguage) {
    for (const Substitution& s : kSubstitutions) {
        if (s.from == systemLanguage)
            return s.to;
    }
    return systemLanguage;
}

uint32_t GetLanguageId(const RegistryKey& key, uint16_t systemLanguage) {
    uint32_t stored = 0;
    // An absent or malformed value counts as 0 ("not chosen yet"); it is
    // overwritten below with the language found.
    if (key.ReadDword(kLanguageValueName, stored) != RegistryKey::Read::Ok)
        stored = 0;
    // A stored choice is taken as it is, supported or not.
    if (stored != 0)
        return stored;

    uint16_t language = SubstituteSystemLanguage(systemLanguage);
    bool supported = false;
    for (int i = 0; i < 3; ++i) supported = supported || kSupportedLanguages[i] == language;
    if (!supported)
        language = kFallbackLanguage;
    key.WriteDword(kLanguageValueName, language);
    return language;
}

uint32_t GetLanguageId() {
    return GetLanguageId(RegistryKey::Open(), SystemDefaultLanguageId());
}

int LanguageIndexOf(uint32_t languageId) {
    for (int i = 0; i < 3; ++i) {
        if (kSupportedLanguages[i] == languageId)
            return i;
    }
    return 0;
}

int GetLanguageIndex() {
    return LanguageIndexOf(GetLanguageId());
}

std::string LanguageFileName(std::string_view programFolder, uint16_t languageId) {
    char name[16];
    std::snprintf(name, sizeof name, "Lang%04X.ini", languageId);
    return std::string(programFolder) + name;
}

std::string LanguageFilePath(std::string_view programFolder, int index) {
    if (index < 0 || index > 3)
        index = 0;
    return LanguageFileName(programFolder, kSupportedLanguages[index]);
}

std::string LoadTextFrom(const std::string& languageFile, std::string_view section,
                         std::string_view key) {
    return ReadIniString(languageFile, section, key, kMissingText);
}

std::string LoadText(std::string_view section, std::string_view key, int index) {
    return LoadTextFrom(LanguageFilePath(SharedProgramPaths()->programFolder, index), section, key);
}

std::string LoadTextString(std::string_view key) {
    return LoadText(kTextSection, key, GetLanguageIndex());
}

std::string LoadLightString(std::string_view key) {
    return LoadText(kLightSection, key, GetLanguageIndex());
}

std::string LoadModeString(int modeCode) {
    return LoadText(kModeSection, std::to_string(modeCode), GetLanguageIndex());
}

std::string LanguageTextSource::Lookup(std::string_view section, std::string_view key) const {
    return LoadText(section, key, GetLanguageIndex());
}

std::string LanguageFileTextSource::Lookup(std::string_view section, std::string_view key) const {
    return LoadTextFrom(file_, section, key);
}

const TextSource& ProgramTexts() {
    static const LanguageTextSource source;
    return source;
}

}  // namespace settings
