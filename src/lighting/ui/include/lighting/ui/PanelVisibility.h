// PanelVisibility.h - which groups of the lighting panel's controls a mode
// shows, and which set of direction pictures and placements it uses.
#pragma once

namespace lighting::ui {

// The groups of controls that come and go with the selected mode while the
// panel is shown. The panel switch and its title are always shown; the
// report-rate buttons belong to the profile and stay shown too.
struct PanelGroups {
    bool modeList = false;
    bool brightness = false;
    bool speed = false;
    bool direction = false;
    bool colourChoice = false;  // the four colour-choice pictures
    bool colourFY = false;      // colour button and multi-colour switch of group FY
    bool colourHX = false;      // the same of group HX
    bool perKey = false;        // paint and base colour, tools, user-mode list
    bool presets = false;       // the eight swatches and the RGB read-out
    bool operator==(const PanelGroups&) const = default;
};

// What the panel shows for a mode code; a code the program gives no
// behaviour to shows nothing at all.
PanelGroups VisibleGroups(int modeCode);

// The three sets of direction pictures and their placements.
enum class DirectionSet {
    LeftRight,     // modes 1, 2, 3 (placed at the "2" rectangles) and the rest
    UpDown,        // mode 12 (the "3" rectangles)
    SpreadGather,  // mode 18
};
DirectionSet DirectionSetOf(int modeCode);

// The suffix of the direction controls' skin keys for a mode: "2" for codes
// 1..3, "3" for code 12, "" for every other code.
const char* DirectionPlacementSuffix(int modeCode);

}  // namespace lighting::ui
