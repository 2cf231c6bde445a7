// ParameterBlock.h - the 42 bytes of lighting parameters the keyboard keeps
// per profile (effect mode, brightness, speed, direction, colours, flags and
// the profile's report rate), the restore-defaults bytes and the preset
// colours.
#pragma once

#include <array>
#include <cstdint>

#include "lighting/Colour.h"

namespace lighting {

constexpr int kParameterBlockSize = 42;

// Byte offsets within a block.
namespace ParameterOffset {
constexpr int Mode = 0;
constexpr int Brightness = 1;     // 0..5
constexpr int Speed = 2;          // 0..5; the speed slider's position p is stored as 5 - p
constexpr int Direction = 3;      // 0xFF left / up / spread, 0x00 right / down / gather
constexpr int MultiColour = 4;    // 0 = single colour at +5..+7
constexpr int Colour = 5;         // red, green, blue
constexpr int BaseColour = 9;     // red, green, blue of keys without a colour of their own
constexpr int ReportRate = 15;    // 0..3
constexpr int ColourChoice = 17;  // 0 red, 1 yellow, 2 green, 3 blue (mode 17)
constexpr int MultiColour7 = 18;  // multi-colour of mode 7, read only
constexpr int Trigger = 19;       // 0 single key, 1 grid
constexpr int Colour2 = 25;
constexpr int MultiColour2 = 28;
constexpr int Colour3 = 30;
constexpr int MultiColour3 = 33;
}  // namespace ParameterOffset

constexpr uint8_t kDirectionLeft = 0xFF;
constexpr uint8_t kDirectionRight = 0x00;

struct ParameterBlock {
    std::array<uint8_t, kParameterBlockSize> bytes{};

    uint8_t at(int offset) const { return bytes[offset]; }
    lighting::Colour ColourAt(int offset) const {
        return MakeColour(bytes[offset], bytes[offset + 1], bytes[offset + 2]);
    }
};

// Written by restore-defaults over bytes 0..34 of a block: mode 1,
// brightness 4, speed 2, direction right, multi-colour on, colour white, the
// rest zero. Bytes 35..41 are left alone.
constexpr int kDefaultParameterBytes = 35;
extern const std::array<uint8_t, kDefaultParameterBytes> DefaultParameterBlock;

// The eight preset swatches Color1..Color8.
extern const std::array<Colour, 8> PresetColors;

// Modes whose selection also writes the multi-colour flag (+4).
bool ModeWritesMultiColour(int code);
// Modes the program gives behaviour to: 1..18 and 20. Selecting any other
// code writes nothing.
bool ModeHasParameters(int code);

}  // namespace lighting
