// MacroActionCodec.h - one macro action as the keyboard's macro memory holds it.
//
// Encoded action, 4 bytes: u16 control word (bits 0..11 delay in 10 ms units,
// bits 12..14 action kind, bit 15 set for a press), then two code bytes whose
// meaning depends on the kind (the same triple a key-map entry carries).
#pragma once

#include <array>
#include <cstdint>

#include "MacroRecord.h"

namespace macros {

constexpr size_t kEncodedActionSize = 4;
using EncodedAction = std::array<uint8_t, kEncodedActionSize>;

EncodedAction EncodeAction(const MacroAction& action);
MacroAction DecodeAction(const uint8_t* bytes);

// The key code a (kind, b1, b2) triple stands for; shared with key-map
// decoding, where kind is the entry's first byte.
uint16_t keyFromTriple(uint8_t kind, uint8_t b1, uint8_t b2);

// The modifier bit (0x01 left Ctrl .. 0x80 right Win) of a modifier key, or 0.
uint8_t modifierBit(uint16_t keyCode);
// The key of the lowest set bit of a modifier bit set, or 0.
uint16_t keyOfModifierBits(uint8_t bits);

}  // namespace macros
