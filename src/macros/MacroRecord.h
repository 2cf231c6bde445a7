// MacroRecord.h - a macro as the program keeps it and as profile files store it.
//
// A macro is a named list of key presses and releases, each followed by a
// pause. In memory the record is a plain struct; on disk it is the fixed
// 16512-byte little-endian layout written by encodeMacroRecord.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace macros {

constexpr size_t MAX_MACROS = 100;
constexpr size_t MAX_MACRO_ACTIONS = 2000;
constexpr uint32_t MAX_ACTION_DELAY_MS = 40000;
constexpr size_t kMacroNameUnits = 250;  // including the terminator
constexpr size_t kMacroActionSize = 8;
constexpr size_t kMacroRecordSize = 16512;

struct MacroAction {
    uint32_t delayMs = 0;  // pause after this action, before the next one
    uint16_t key = 0;      // key code of the key or mouse function
    uint16_t release = 0;  // 1 = release, anything else = press
};

struct MacroRecord {
    std::array<char16_t, kMacroNameUnits> name{};  // NUL-terminated
    uint8_t cycles = 1;                            // repeat count 1..255
    uint8_t reserved1 = 0;
    uint16_t isNew = 0;  // created in the editor and not yet committed
    uint16_t playMode = 0;
    uint16_t id = 0;  // 1..100, unique within a list
    uint16_t actionCount = 0;
    uint16_t reserved2 = 0;
    std::array<MacroAction, MAX_MACRO_ACTIONS> actions{};

    // UTF-16 units before the terminator (at most 249).
    size_t nameLength() const;
    std::u16string nameText() const { return std::u16string(name.data(), nameLength()); }
    // Stores the text, cut to 249 units, with its terminator.
    void setName(std::u16string_view text);
};

// The macro list of a store: the order the editor shows and the keyboard plays.
using MacroList = std::vector<MacroRecord>;

// Field offsets of the file layout.
namespace macro_layout {
constexpr size_t kName = 0;
constexpr size_t kCycles = 500;
constexpr size_t kReserved1 = 501;
constexpr size_t kIsNew = 502;
constexpr size_t kPlayMode = 504;
constexpr size_t kId = 506;
constexpr size_t kActionCount = 508;
constexpr size_t kReserved2 = 510;
constexpr size_t kActions = 512;
}  // namespace macro_layout
static_assert(macro_layout::kActions + MAX_MACRO_ACTIONS * kMacroActionSize == kMacroRecordSize);
static_assert(kMacroNameUnits * 2 == macro_layout::kCycles);

// Writes exactly kMacroRecordSize bytes.
void encodeMacroRecord(const MacroRecord& record, uint8_t* out);
// Reads exactly kMacroRecordSize bytes. The name is always terminated in the
// result, even when the stored one is not.
MacroRecord decodeMacroRecord(const uint8_t* in);

}  // namespace macros
