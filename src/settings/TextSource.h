// TextSource.h - where visible texts come from.
//
// Model code asks a TextSource for texts by section and key, so tests can hand
// it a language file of their choosing. The program's own source resolves the
// language afresh on every lookup (LanguageTextSource in LanguageTables.h).
#pragma once

#include <string>
#include <string_view>

namespace settings {

// The text of any key that the language file lacks.
inline constexpr std::string_view kMissingText = "#Error";

// The three sections of a language file.
inline constexpr std::string_view kTextSection = "TEXT";
inline constexpr std::string_view kLightSection = "LIGHT";
inline constexpr std::string_view kModeSection = "MODE";

class TextSource {
  public:
    virtual ~TextSource() = default;

    // The text of key in section, "#Error" when the key is missing, "" when
    // the key is present with an empty value.
    virtual std::string Lookup(std::string_view section, std::string_view key) const = 0;

    std::string Text(std::string_view key) const { return Lookup(kTextSection, key); }
    std::string Light(std::string_view key) const { return Lookup(kLightSection, key); }
    // Mode names are keyed by the mode code in decimal, without leading zeros.
    std::string Mode(int code) const { return Lookup(kModeSection, std::to_string(code)); }
};

}  // namespace settings
