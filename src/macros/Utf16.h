// Utf16.h - conversions between the UTF-16 texts that records carry and the
// UTF-8 texts of the language files and the console.
#pragma once

#include <string>
#include <string_view>

namespace macros {

// Invalid sequences become U+FFFD; nothing is dropped silently.
std::u16string utf8ToUtf16(std::string_view text);
std::string utf16ToUtf8(std::u16string_view text);

}  // namespace macros
