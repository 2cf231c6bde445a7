// ButtonRef.h - one button of the main window's keyboard picture: a key button
// (by its position 0..103 in the key button table), a G button (0..8 for
// G1..G9) or the Fn button.
#pragma once

#include <cstdint>

namespace lighting {

struct ButtonRef {
    enum Kind : uint8_t { KeyButton, GButton, FnButton } kind;
    uint8_t index;  // key button position, G button number, 0 for Fn
    bool operator==(const ButtonRef&) const = default;
};

constexpr int kKeyButtonCount = 104;
constexpr int kGButtonCount = 9;

}  // namespace lighting
