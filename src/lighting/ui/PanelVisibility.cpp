// PanelVisibility.cpp - the mode-to-controls table of the lighting panel.
#include "lighting/ui/PanelVisibility.h"

#include <initializer_list>

#include "lighting/ParameterBlock.h"

namespace lighting::ui {
namespace {

bool OneOf(int code, std::initializer_list<int> codes) {
    for (int c : codes)
        if (c == code)
            return true;
    return false;
}

}  // namespace

PanelGroups VisibleGroups(int code) {
    PanelGroups g;
    if (!ModeHasParameters(code))
        return g;
    g.modeList = true;
    g.brightness = true;
    g.speed = OneOf(code, {1, 2, 3, 4, 5, 7, 8, 9, 10, 11, 12, 13, 14, 15});
    g.direction = OneOf(code, {1, 2, 3, 12, 18});
    g.colourChoice = code == 17;
    g.colourFY = OneOf(code, {6, 16});
    g.colourHX = OneOf(code, {1, 2, 3, 5, 7, 8, 9, 10, 13, 14, 15});
    g.perKey = code == 20;
    // A preset sets the effect colour, so the swatches come with the modes
    // that have one.
    g.presets = g.colourFY || g.colourHX;
    return g;
}

DirectionSet DirectionSetOf(int code) {
    if (code == 12)
        return DirectionSet::UpDown;
    if (code == 18)
        return DirectionSet::SpreadGather;
    return DirectionSet::LeftRight;
}

const char* DirectionPlacementSuffix(int code) {
    if (code >= 1 && code <= 3)
        return "2";
    if (code == 12)
        return "3";
    return "";
}

}  // namespace lighting::ui
