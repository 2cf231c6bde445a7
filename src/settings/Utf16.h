// Utf16.h - conversions between UTF-8 (language files, the console, ini
// text) and UTF-16 (the texts that records and UTF-16 ini files carry).
#pragma once

#include <string>
#include <string_view>

namespace settings {

// Each byte of an ill-formed UTF-8 sequence (truncated, a bad continuation
// byte, an overlong form, an encoded surrogate, beyond U+10FFFF) becomes
// U+FFFD; nothing is dropped silently.
std::u16string Utf8ToUtf16(std::string_view text);

// A surrogate without its partner becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);

}  // namespace settings
