// Placement.h - placing controls at the rectangles a skin ini file gives.
//
// Rectangles are read through settings::ReadSkinRect: a missing file or key
// reads as 1,1,1,1, and a value with fewer numbers sets only those it gives.
#pragma once

#include <array>
#include <string>
#include <string_view>

class QWidget;

namespace widgets {

class CPngButton;
class SkinSheet;

// The section of control rectangles and the section of arrow picture offsets.
inline constexpr std::string_view kButtonInfoSection = "BUTTONINFO";
inline constexpr std::string_view kButtonInfo2Section = "BUTTONINFO2";

// Moves and sizes the button to its rectangle, gives it the five sheets with
// the offset (x, y), and disables and hides it when x = 1 and y = 1 (what an
// absent key reads as), whatever its size.
void PlaceSkinButton(CPngButton* button, const std::string& iniFile, std::string_view section,
                     std::string_view key, const std::array<const SkinSheet*, 5>& sheets);

// Moves and sizes a plain control (label, list, edit field, slider, picture).
void PlaceControl(QWidget* control, const std::string& iniFile, std::string_view section,
                  std::string_view key);

// Moves a control to the rectangle's position, keeping its size, and repaints.
void MoveControlKeepSize(QWidget* control, const std::string& iniFile, std::string_view section,
                         std::string_view key);

// An arrow button: position and size from key in BUTTONINFO; the top-left
// corner of its picture in the arrow sheet from offsetKey in BUTTONINFO2.
// All five slots use the arrow sheet.
void PlaceArrowButton(CPngButton* button, const std::string& iniFile, std::string_view key,
                      std::string_view offsetKey, const SkinSheet& arrowSheet);

}  // namespace widgets
