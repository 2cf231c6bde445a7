// KeyColorTable.h - the host's per-key colours: three profiles x 126 LED
// slots, and the LED slot of every button of the keyboard picture.
#pragma once

#include <array>
#include <cstdint>

#include "lighting/ButtonRef.h"
#include "lighting/Colour.h"

namespace lighting {

constexpr int kProfileCount = 3;
constexpr int kLedSlotCount = 126;
constexpr int kFnSlot = 105;
// Shared by every button without an LED of its own: right Win, the numeric
// keypad and G6..G9.
constexpr int kNoLedSlot = 118;

// LED slot of a button; -1 for an index outside its table.
int LedSlotOf(ButtonRef button);

class KeyColorTable {
  public:
    // Black for a profile or slot outside the table.
    Colour Get(int profile, int slot) const;
    // Ignores a profile or slot outside the table.
    void Set(int profile, int slot, Colour colour);

    // Red, green, blue of `count` slots from `firstSlot` on; slots past the
    // table's end go out black.
    void CopyRgb(int profile, int firstSlot, int count, uint8_t* out) const;

  private:
    std::array<std::array<Colour, kLedSlotCount>, kProfileCount> colours_{};
};

}  // namespace lighting
