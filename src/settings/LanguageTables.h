// LanguageTables.h - choosing the UI language and looking texts up in the
// language file "Lang" + four hex digits + ".ini" of the program folder.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "settings/TextSource.h"

namespace settings {

class RegistryKey;

// Supported languages by language index; only 0..2 are ever derived from an
// identifier.
inline constexpr std::array<uint16_t, 4> kSupportedLanguages = {0x0409, 0x0409, 0x0409, 0};
inline constexpr uint16_t kFallbackLanguage = 0x0409;

// The value name under the program's registry key.
inline constexpr std::string_view kLanguageValueName = "dwLanguageId";

// The language-changed notification: message 20545 with the tag 'LANG' and
// the language index (above 3 sent as 0).
inline constexpr uint32_t kLanguageMessage = 0x5041;
inline constexpr uint32_t kLanguageTag = 0x4C414E47;
constexpr int LanguageMessageIndex(int index) {
    return (index < 0 || index > 3) ? 0 : index;
}

// The system language replaced through the substitution table (first match).
uint16_t SubstituteSystemLanguage(uint16_t systemLanguage);

// The stored language choice; when none is stored (0), the system language
// after substitution if it is supported, else 0x0409, written back to the key.
// A stored value that is absent or not a DWORD is rewritten as 0 first.
uint32_t GetLanguageId(const RegistryKey& key, uint16_t systemLanguage);
uint32_t GetLanguageId();  // the user's key and the locale of the environment

// Position 0..2 of a language identifier among the supported entries, else 0.
int LanguageIndexOf(uint32_t languageId);
int GetLanguageIndex();

// "%s%sLang%04X.ini": program folder (ending in '/') and the identifier.
std::string LanguageFileName(std::string_view programFolder, uint16_t languageId);
// The language file of an index (above 3 treated as 0) in a program folder.
std::string LanguageFilePath(std::string_view programFolder, int index);

// The text of key in section of the language file of index: "#Error" when the
// file or key is missing, "" when the value is empty, cut to 259 characters.
// The file is parsed again whenever it changes on disk.
std::string LoadText(std::string_view section, std::string_view key, int index);
// The same in an explicit language file.
std::string LoadTextFrom(const std::string& languageFile, std::string_view section,
                         std::string_view key);

// The three fixed-section forms, each resolving the language afresh.
std::string LoadTextString(std::string_view key);   // section TEXT
std::string LoadLightString(std::string_view key);  // section LIGHT
std::string LoadModeString(int modeCode);           // section MODE, key "%d"

// The program's own texts: every lookup resolves the language afresh, so an
// edited language file or a changed choice shows at the next relabelling.
class LanguageTextSource : public TextSource {
  public:
    std::string Lookup(std::string_view section, std::string_view key) const override;
};

// Texts of one given language file.
class LanguageFileTextSource : public TextSource {
  public:
    explicit LanguageFileTextSource(std::string file) : file_(std::move(file)) {}
    std::string Lookup(std::string_view section, std::string_view key) const override;
    const std::string& file() const { return file_; }

  private:
    std::string file_;
};

// The process-wide source the program uses (a LanguageTextSource).
const TextSource& ProgramTexts();

}  // namespace settings
