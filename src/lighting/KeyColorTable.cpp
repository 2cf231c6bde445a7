// KeyColorTable.cpp - per-key colour storage and the button-to-LED layout.
#include "lighting/KeyColorTable.h"

namespace lighting {
namespace {

// LED slot of each key button, by its position in the key button table:
// A..Z, 1..0, Enter, Esc, Backspace, Tab, Space, - = [ ] \ ; ' ` , . /,
// F1..F12, Print Screen, Pause, the navigation block, arrows, Scroll Lock,
// Caps Lock, App, the modifiers, and the keypad (which has no LEDs).
constexpr uint8_t kKeyButtonSlots[kKeyButtonCount] = {
    61,  86,  84,  63,  43,  64,  65,  66,  48,  67,  68,  69,  88,  87,  49,  50,   // A..P
    41,  44,  62,  45,  47,  85,  42,  83,  46,  82,                                 // Q..Z
    21,  22,  23,  24,  25,  26,  27,  28,  29,  30,                                 // 1..0
    73,  0,   33,  40,  103, 31,  32,  51,  52,  53,  70,  71,  20,  89,  90,  91,   // Enter../
    1,   2,   3,   4,   5,   6,   7,   8,   9,   10,  11,  12,                       // F1..F12
    14,  16,  34,  54,  35,  55,  36,  56,                                           // PrtSc..PgDn
    95,  115, 114, 116, 15,  60,  106,                                               // Up..App
    100, 108, 80,  93,  102, 104, 101, 118,                                          // Ctrl..RWin
    118, 118, 118, 118, 118, 118, 118, 118, 118, 118, 118, 118, 118, 118, 118, 118,  // keypad
    118};
constexpr uint8_t kGButtonSlots[kGButtonCount] = {37, 57, 77, 97, 117, 118, 118, 118, 118};

bool InTable(int profile, int slot) {
    return profile >= 0 && profile < kProfileCount && slot >= 0 && slot < kLedSlotCount;
}

}  // namespace

int LedSlotOf(ButtonRef button) {
    switch (button.kind) {
        case ButtonRef::KeyButton:
            return button.index < kKeyButtonCount ? kKeyButtonSlots[button.index] : -1;
        case ButtonRef::GButton:
            return button.index < kGButtonCount ? kGButtonSlots[button.index] : -1;
        case ButtonRef::FnButton:
            return kFnSlot;
    }
    return -1;
}

Colour KeyColorTable::Get(int profile, int slot) const {
    return InTable(profile, slot) ? colours_[profile][slot] : 0;
}

void KeyColorTable::Set(int profile, int slot, Colour colour) {
    if (InTable(profile, slot))
        colours_[profile][slot] = colour;
}

void KeyColorTable::CopyRgb(int profile, int firstSlot, int count, uint8_t* out) const {
    for (int i = 0; i < count; ++i) {
        Colour c = Get(profile, firstSlot + i);
        out[3 * i] = Red(c);
        out[3 * i + 1] = Green(c);
        out[3 * i + 2] = Blue(c);
    }
}

}  // namespace lighting
