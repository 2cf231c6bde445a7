// ParameterBlock.cpp - fixed lighting data.
#include "lighting/ParameterBlock.h"

namespace lighting {

const std::array<uint8_t, kDefaultParameterBytes> DefaultParameterBlock = {
    0x01, 0x04, 0x02, 0x00, 0xFF, 0xFF, 0xFF, 0xFF};  // then 27 zero bytes

const std::array<Colour, 8> PresetColors = {MakeColour(235, 99, 30), MakeColour(255, 0, 0),
                                            MakeColour(0, 126, 255), MakeColour(90, 255, 0),
                                            MakeColour(234, 255, 0), MakeColour(255, 192, 0),
                                            MakeColour(255, 0, 180), MakeColour(174, 0, 255)};

bool ModeWritesMultiColour(int code) {
    switch (code) {
        case 1:
        case 2:
        case 3:
        case 5:
        case 7:
        case 8:
        case 9:
        case 13:
        case 14:
        case 15:
            return true;
        default:
            return false;
    }
}

bool ModeHasParameters(int code) {
    return (code >= 1 && code <= 18) || code == 20;
}

}  // namespace lighting
