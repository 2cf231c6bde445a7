// KeyEventTranslator.h - a key event of the desktop session turned into the
// pair a Windows keyboard hook delivers: virtual-key code and key-message
// data. KeyFromMessage, the macro recorder and key capture work on that pair.
//
// Input is the event's native scan code: on X11 and on Wayland that is the
// Linux evdev key code + 8. The evdev code is mapped to a set-1 key code of
// the catalogue (evdev 1..88 are the set-1 codes themselves; the E0 keys and
// media keys come from a table), and the virtual key is the catalogue's VK of
// that key (its second VK for keypad keys while Num Lock is off).
//
// Plain C++: the window's event filter feeds it; it needs no window code.
#pragma once

#include <cstdint>
#include <optional>

#include "keys/KeyCatalogue.h"

namespace keys {

// X11 and Wayland report evdev codes shifted by 8.
inline constexpr uint32_t kNativeScanCodeOffset = 8;

enum class KeyTransition { Press, Release, AutoRepeat };

struct KeyEvent {
    uint32_t nativeScanCode = 0;
    KeyTransition transition = KeyTransition::Press;
    bool numLockOn = true;  // keypad digits are digits, else navigation keys
    bool altDown = false;   // sets the context bit (29) of the message data
};

struct KeyMessage {
    KeyCode key = kNoKey;    // the catalogue key the event stands for
    uint8_t vk = 0;          // as the thread hook sees it: VK_SHIFT/CONTROL/MENU for modifiers
    uint8_t lowLevelVk = 0;  // as the low-level hook sees it: left/right modifier VKs
    uint32_t data = 0;       // bits 0..15 repeat 1, 16..23 scan code, 24 extended,
                             // 29 Alt down, 30 previous state, 31 transition
    // A press (or repeat) of a key for which Windows hooks see only the
    // release (Print Screen, Sys Req, KL, KR; IsReleaseOnlyKey). The desktop
    // delivers it; code that follows the Windows rules (the recorder adds the
    // press itself when the release arrives) should swallow it unrecorded.
    bool pressOfReleaseOnlyKey = false;
};

// Key-message data bits.
inline constexpr uint32_t kMessageExtended = 1u << 24;
inline constexpr uint32_t kMessageAltDown = 1u << 29;
inline constexpr uint32_t kMessagePreviousDown = 1u << 30;
inline constexpr uint32_t kMessageReleased = 1u << 31;

// The catalogue key of an evdev key code, 0 when the catalogue has none.
KeyCode KeyCodeFromEvdev(uint32_t evdevCode);

// The key-message data of a key code and transition.
uint32_t KeyMessageData(KeyCode key, KeyTransition transition, bool altDown = false);

// Nothing for scan codes without a catalogue key.
std::optional<KeyMessage> TranslateKeyEvent(const KeyEvent& event);

}  // namespace keys
