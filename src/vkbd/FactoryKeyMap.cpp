// FactoryKeyMap.cpp - which key sits at which matrix position.
//
// The matrix is read column by column, eight positions per column. The first
// eight columns carry the left half of the main block in the order the host
// program's built-in map expects (that map names the keys at those positions,
// so they must match it byte for byte); the later columns carry the right half,
// the navigation block, the numeric keypad and the G keys of both layers.
//
// Entry formats: 02 02 u = key with keyboard usage u; 02 01 b = modifier bit b;
// 06 A2 n = G key n (1..18); 05 00 00 = a position without a key; 05 02 02 = Fn,
// which the keyboard handles itself and which stands for no host key.
#include "FactoryKeyMap.h"

#include <array>

namespace vkbd {
namespace {

struct Entry {
    uint8_t b0, b1, b2;
};

constexpr Entry key(uint8_t usage) {
    return {0x02, 0x02, usage};
}
constexpr Entry modifier(uint8_t bit) {
    return {0x02, 0x01, bit};
}
constexpr Entry gKey(uint8_t n) {
    return {0x06, 0xA2, n};
}
constexpr Entry kNoKey{0x05, 0x00, 0x00};
constexpr Entry kFn{0x05, 0x02, 0x02};

constexpr uint8_t kLeftCtrl = 0x01, kLeftShift = 0x02, kLeftAlt = 0x04, kLeftWin = 0x08;
constexpr uint8_t kRightCtrl = 0x10, kRightShift = 0x20, kRightAlt = 0x40, kRightWin = 0x80;

constexpr std::array<Entry, 126> kFactoryMap = {{
    // column 0: G keys 1-5 around three positions without a key
    gKey(1),
    gKey(2),
    gKey(3),
    kNoKey,
    kNoKey,
    kNoKey,
    gKey(4),
    gKey(5),
    // column 1: Esc, grave, Tab, Caps Lock, left Shift, left Ctrl
    key(0x29),
    key(0x35),
    key(0x2B),
    key(0x39),
    modifier(kLeftShift),
    modifier(kLeftCtrl),
    gKey(6),
    gKey(7),
    // column 2: F1, 1, Q, A, Z, left Win
    key(0x3A),
    key(0x1E),
    key(0x14),
    key(0x04),
    key(0x1D),
    modifier(kLeftWin),
    gKey(8),
    gKey(9),
    // column 3: F2, 2, W, S, X, left Alt
    key(0x3B),
    key(0x1F),
    key(0x1A),
    key(0x16),
    key(0x1B),
    modifier(kLeftAlt),
    gKey(10),
    gKey(11),
    // column 4: F3, 3, E, D, C, Space, Print Screen
    key(0x3C),
    key(0x20),
    key(0x08),
    key(0x07),
    key(0x06),
    key(0x2C),
    key(0x46),
    gKey(12),
    // column 5: F4, 4, R, F, V, right Alt, Scroll Lock
    key(0x3D),
    key(0x21),
    key(0x15),
    key(0x09),
    key(0x19),
    modifier(kRightAlt),
    key(0x47),
    gKey(13),
    // column 6: F5, 5, T, G, B, Fn, =
    key(0x3E),
    key(0x22),
    key(0x17),
    key(0x0A),
    key(0x05),
    kFn,
    key(0x2E),
    gKey(14),
    // column 7: F6, 6, Y, H, N, App, Pause
    key(0x3F),
    key(0x23),
    key(0x1C),
    key(0x0B),
    key(0x11),
    key(0x65),
    key(0x48),
    gKey(15),
    // column 8: F7, 7, U, J, M, right Win, Insert, Delete
    key(0x40),
    key(0x24),
    key(0x18),
    key(0x0D),
    key(0x10),
    modifier(kRightWin),
    key(0x49),
    key(0x4C),
    // column 9: F8, 8, I, K, comma, right Ctrl, Home, End
    key(0x41),
    key(0x25),
    key(0x0C),
    key(0x0E),
    key(0x36),
    modifier(kRightCtrl),
    key(0x4A),
    key(0x4D),
    // column 10: F9, 9, O, L, period, Left, Page Up, Page Down
    key(0x42),
    key(0x26),
    key(0x12),
    key(0x0F),
    key(0x37),
    key(0x50),
    key(0x4B),
    key(0x4E),
    // column 11: F10, 0, P, semicolon, slash, Down, Up, Right
    key(0x43),
    key(0x27),
    key(0x13),
    key(0x33),
    key(0x38),
    key(0x51),
    key(0x52),
    key(0x4F),
    // column 12: F11, minus, [, apostrophe, right Shift, Enter, Backspace, backslash
    key(0x44),
    key(0x2D),
    key(0x2F),
    key(0x34),
    modifier(kRightShift),
    key(0x28),
    key(0x2A),
    key(0x31),
    // column 13: F12, ], Num Lock, keypad 7, 4, 1, 0, /
    key(0x45),
    key(0x30),
    key(0x53),
    key(0x5F),
    key(0x5C),
    key(0x59),
    key(0x62),
    key(0x54),
    // column 14: keypad *, 8, 5, 2, period, minus, 9, 6
    key(0x55),
    key(0x60),
    key(0x5D),
    key(0x5A),
    key(0x63),
    key(0x56),
    key(0x61),
    key(0x5E),
    // column 15 (six positions): keypad 3, +, Enter, G keys 16-18
    key(0x5B),
    key(0x57),
    key(0x58),
    gKey(16),
    gKey(17),
    gKey(18),
}};

}  // namespace

std::vector<uint8_t> buildFactoryKeyMap() {
    std::vector<uint8_t> map;
    map.reserve(kFactoryMap.size() * 3);
    for (const Entry& e : kFactoryMap) {
        map.push_back(e.b0);
        map.push_back(e.b1);
        map.push_back(e.b2);
    }
    return map;
}

}  // namespace vkbd
