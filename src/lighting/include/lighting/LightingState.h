// LightingState.h - the host's mirror of the current profile's lighting.
//
// Loaded by ReadLighting from the keyboard; between reads it changes only
// right after the write that changes the keyboard.
#pragma once

#include <array>
#include <cstdint>

#include "lighting/Colour.h"
#include "lighting/KeyColorTable.h"
#include "lighting/ParameterBlock.h"

namespace lighting {

enum class Trigger : uint8_t { SingleKey = 0, Grid = 1 };

// The colour buttons that each show the effect colour.
enum ColourButton { FYColourButton = 0, HXColourButton = 1, JTColourButton = 2 };

struct LightingState {
    std::array<ParameterBlock, kProfileCount> blocks{};  // as last read
    uint8_t mode = 0;
    uint8_t brightness = 0;
    uint8_t speed = 0;
    uint8_t direction = 0;
    bool multiColourHX = false;       // mirrors +4
    bool multiColourFY = false;       // mirrors +18 in mode 7; toggling it toggles HX too
    std::array<Colour, 3> colours{};  // effect colour, once per colour button
    Colour baseColour = 0;
    Colour paintColour = 0;
    uint8_t reportRate = 0;
    uint8_t colourChoice = 0;
    Trigger trigger = Trigger::SingleKey;
    Colour colour2 = 0;
    bool multiColour2 = false;
    Colour colour3 = 0;
    bool multiColour3 = false;
    bool panelOn = false;  // the user's choice to show the lighting panel
};

}  // namespace lighting
