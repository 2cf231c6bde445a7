// WindowMessages.h - the numbers and tags of the main window's private
// messages. Another instance, the connection and the window itself reach the
// window through them; a message whose tag does not match is ignored.
#pragma once

#include <cstdint>

namespace app::msg {

constexpr uint32_t kOpenOrVersion = 0x5350;
constexpr uint32_t kProfile = 0x5452;
constexpr uint32_t kRemoved = 0x4753;
constexpr uint32_t kGKeys = 0x5045;
constexpr uint32_t kKill = 0x4D4B;
constexpr uint32_t kInit = 0x4D4E;
constexpr uint32_t kLanguage = 0x5041;
constexpr uint32_t kApplyMessage = 0x001E;

constexpr uint32_t kOpenTag = 0x4F50454E;      // "OPEN"
constexpr uint32_t kVersionTag = 0x564552;     // "VER"
constexpr uint32_t kProfileTag = 0x50524F46;   // "PROF"
constexpr uint32_t kDelTag = 0x004C4544;       // "DEL"
constexpr uint32_t kKillTag = 0x4C4C494B;      // "KILL"
constexpr uint32_t kInitTag = 0x494E4954;      // "INIT"
constexpr uint32_t kLanguageTag = 0x4C414E47;  // "LANG"

}  // namespace app::msg
