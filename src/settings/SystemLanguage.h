// SystemLanguage.h - the system's default UI language as a Windows language
// identifier (LANGID), taken from the locale environment.
#pragma once

#include <cstdint>
#include <string_view>

namespace settings {

// LANGID of a POSIX locale name such as "en_US.UTF-8", "de_DE@euro" or "zh_TW".
// A language without a known region gives its primary language's usual
// identifier; "C", "POSIX", empty and unknown names give 0x0409.
uint16_t LanguageIdFromLocale(std::string_view locale);

// The LANGID of the first non-empty of LC_ALL, LC_MESSAGES and LANG.
uint16_t SystemDefaultLanguageId();

}  // namespace settings
