// KeyCatalogue.h - every key and pseudo-key the program can show, capture,
// assign or send to the keyboard, and the small lookups over those tables.
//
// A key is named everywhere by its key code: the PC/AT scan code set 1 make
// code, plus 0x100 for keys whose scan code carries the E0 prefix. Pause and
// Num Lock are swapped against their raw prefixes (Pause 0x045, Num Lock
// 0x145). Media keys, system keys and pseudo-keys (mouse buttons, wheel,
// office functions) live in the extended range up to 0x17E; the G keys are
// 0x200..0x211. Code 0 means "no key".
//
// All tables are constant; every operation is a pure function and may be
// called from any thread.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace settings {
class TextSource;
}

namespace keys {

using KeyCode = uint16_t;
using KeyIndex = uint16_t;

inline constexpr KeyCode kNoKey = 0;
inline constexpr KeyCode kFirstGKey = 0x200;  // G1, first layer
inline constexpr KeyCode kLastGKey = 0x211;   // G9, second layer
inline constexpr int kGKeyCount = 18;
inline constexpr int kKeyTableSize = 256;
inline constexpr KeyIndex kFirstGKeyIndex = 256;  // record index of G1, first layer

// Key code of G key n (1..18; 10..18 are G1..G9 on the second layer).
constexpr KeyCode GKeyCode(int n) {
    return static_cast<KeyCode>(0x1FF + n);
}

// One row of the key table. Rows without a key have usage 0, chooser -1 and
// an empty name key.
struct KeyRow {
    uint8_t vk = 0;            // Windows virtual-key code
    uint8_t altVk = 0;         // second meaning (keypad with Num Lock off), else == vk
    uint8_t usage = 0;         // byte used in key maps and macro memory
    int16_t chooser = -1;      // macro editor chooser position, 0x8001.. outside it
    const char* nameKey = "";  // language key of the display name, "" = none

    constexpr bool empty() const { return chooser == -1 && usage == 0 && nameKey[0] == '\0'; }
};

// Usage code values with a fixed meaning.
inline constexpr uint8_t kUsageNone = 0x00;
inline constexpr uint8_t kUsageNoneAlt = 0xFF;
inline constexpr uint8_t kUsagePower = 0x81;
inline constexpr uint8_t kUsageSleep = 0x82;
inline constexpr uint8_t kUsageWake = 0x83;
inline constexpr uint8_t kUsageConsumerFirst = 0xC0;  // + consumer usage table entry
inline constexpr uint8_t kUsageConsumerLast = 0xDF;
inline constexpr uint8_t kUsageMouseFirst = 0xF1;  // F1 left, F2 right, F3 middle,
inline constexpr uint8_t kUsageMouseLast = 0xF8;   // F4 wheel up, F5 wheel down

// Kinds returned by ClassifyKey and taken by KeyFromUsage.
inline constexpr uint16_t kKindNone = 0;
inline constexpr uint16_t kKindSystem = 1;
inline constexpr uint16_t kKindMouse = 2;
inline constexpr uint16_t kKindKeyboard = 7;
inline constexpr uint16_t kKindConsumer = 12;  // KeyFromUsage only

// Chooser codes of keys that are not offered in the macro editor's chooser.
inline constexpr int16_t kChooserOutsideFirst = static_cast<int16_t>(0x8001);
inline constexpr int16_t kChooserOutsideLast = static_cast<int16_t>(0x802D);
inline constexpr int16_t kChooserNone = -1;

// The 256-row key table, indexed by key index.
extern const std::array<KeyRow, kKeyTableSize> KeyTable;

// 32 consumer-page usages; entry i stands for usage code 0xC0 + i.
extern const std::array<uint16_t, 32> ConsumerUsageTable;

// For each VK 0..255 the key index it stands for (0 = none).
extern const std::array<KeyIndex, 256> VirtualKeyTable;

// A key button of the main window's keyboard picture.
struct KeyButton {
    int position;   // 0..103
    int controlId;  // window control id
    KeyCode key;
};
inline constexpr int kKeyButtonCount = 104;
extern const std::array<KeyButton, kKeyButtonCount> KeyButtonTable;

// Control ids of G1..G9. G button g (0..8) stands for record 256 + g on the
// first layer and 265 + g on the second.
inline constexpr int kGButtonCount = 9;
extern const std::array<int, kGButtonCount> GButtonTable;
inline constexpr int kFnButtonId = 1174;  // the Fn button has no key

// A media key the assignment dialog offers; the position in the list is the
// media number stored by a media assignment.
struct MediaKey {
    KeyCode key;
    const char* nameKey;
    uint16_t consumerUsage;  // the usage written to the keyboard
};
inline constexpr int kMediaKeyCount = 18;
extern const std::array<MediaKey, kMediaKeyCount> MediaKeyList;

// The mouse functions a key can be given, in the dialog's order.
struct MouseFunction {
    KeyCode key;
    const char* nameKey;
};
inline constexpr int kMouseFunctionCount = 5;
extern const std::array<MouseFunction, kMouseFunctionCount> MouseFunctionList;

// The keyboard's own functions 0..10; function n is shown with FUNC_KEY_DESC<n+1>.
struct KeyboardFunction {
    int number;
    const char* nameKey;
};
inline constexpr int kKeyboardFunctionCount = 11;
extern const std::array<KeyboardFunction, kKeyboardFunctionCount> KeyboardFunctionList;

// The 18 key codes of the media key list, and the keys for which Windows
// delivers only the release (Sys Req, KL, KR, Print Screen).
extern const std::array<KeyCode, kMediaKeyCount> MediaKeySet;
extern const std::array<KeyCode, 4> ReleaseOnlyKeySet;

// Key code <-> key index. Codes below 0x100 are their own index, 0x100..0x1FF
// map to (code - 0x80) mod 256, G keys to 256..273. Indexes 256..273 are not
// converted back (IndexToCode gives 0 for them and for anything larger).
KeyIndex CodeToIndex(KeyCode code);
KeyCode IndexToCode(KeyIndex index);

// The row of a key code; an empty row for codes outside the key table (G keys
// and codes that are no key).
const KeyRow& RowOf(KeyCode code);

struct KeyClass {
    uint16_t kind;   // kKindNone, kKindSystem, kKindMouse or kKindKeyboard
    uint16_t value;  // the usage code, 0 for kKindNone
    bool operator==(const KeyClass&) const = default;
};
KeyClass ClassifyKey(KeyCode code);

// The key with a usage: kind 7 keyboard usage code, 1 system usage (0x81..0x83),
// 12 consumer usage. The lowest-index row wins; 0 when no row has it.
KeyCode KeyFromUsage(uint16_t kind, uint16_t value);

// Display name in the current language, or the "UNKNOWN_KEY" text formatted
// with the key code when the key has no name.
std::string KeyName(KeyCode code, const settings::TextSource& texts);
std::string KeyName(KeyCode code);  // through the program's language file
// Buffer form: copies at most capacity - 1 characters (never splitting a
// UTF-8 sequence) and ends the text there. Returns the length written.
size_t KeyName(KeyCode code, char* buffer, size_t capacity);

// Key code of a key seen by a keyboard hook: vk is the virtual-key code,
// messageData the key-message word (bits 16..23 scan code, bit 24 extended).
KeyCode KeyFromMessage(uint8_t vk, uint32_t messageData);

bool IsMediaKey(KeyCode code);
bool IsReleaseOnlyKey(KeyCode code);

int16_t ChooserFromKey(KeyCode code);
KeyCode KeyFromChooser(int16_t chooser);  // lowest-index row; 0 when none
// Display name of the first row with that chooser code; empty when there is
// none or the row has no name key.
std::string ChooserName(int16_t chooser, const settings::TextSource& texts);
std::string ChooserName(int16_t chooser);

// Position (0..103) of the key button for a key, or -1 when the key has none.
int KeyButtonPosition(KeyCode code);
// Position in the media key list of a key, or -1.
int MediaNumberOf(KeyCode code);

}  // namespace keys
