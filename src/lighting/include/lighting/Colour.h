// Colour.h - colours as the lighting code holds them.
//
// A colour in memory is 0x00BBGGRR (red in the low byte). On the wire and in
// files the three components go out red, green, blue.
#pragma once

#include <cstdint>

namespace lighting {

using Colour = uint32_t;

constexpr Colour MakeColour(int red, int green, int blue) {
    return Colour(red & 0xFF) | Colour(green & 0xFF) << 8 | Colour(blue & 0xFF) << 16;
}
constexpr uint8_t Red(Colour c) {
    return uint8_t(c);
}
constexpr uint8_t Green(Colour c) {
    return uint8_t(c >> 8);
}
constexpr uint8_t Blue(Colour c) {
    return uint8_t(c >> 16);
}

// The colour at brightness level 0..255: each component scaled and rounded down.
constexpr Colour ScaleColour(Colour c, int level) {
    return MakeColour(Red(c) * level / 255, Green(c) * level / 255, Blue(c) * level / 255);
}

}  // namespace lighting
