// SkinStyle.h - the dark look of the standard controls that sit on skinned
// windows (lists, headers, combo boxes, edit fields, menus, message boxes,
// tooltips, scroll bars, check boxes), with visible keyboard focus.
#pragma once

#include <QColor>
#include <QString>

class QApplication;

namespace widgets {

// The skin's palette.
namespace skin {
inline const QColor kWindow{0x12, 0x14, 0x18};
inline const QColor kPanel{0x1b, 0x1e, 0x24};
inline const QColor kGroup{0x26, 0x2a, 0x31};
inline const QColor kEdge{0x30, 0x35, 0x3e};
inline const QColor kOutline{0x0d, 0x0f, 0x12};
inline const QColor kText{0xd6, 0xd9, 0xe0};
inline const QColor kLegend{0xe6, 0xe8, 0xee};
inline const QColor kHeading{0xff, 0xff, 0xff};
inline const QColor kHint{0x8a, 0x90, 0x9b};
inline const QColor kAccent{0x00, 0xb4, 0xff};
inline const QColor kAccentPressed{0x0a, 0x86, 0xc2};
inline const QColor kWarning{0xff, 0x6b, 0x4a};
}  // namespace skin

// The style sheet ApplySkinStyle installs.
QString SkinStyleSheet();

// Installs Fusion (with the skin's arrows), the dark palette and the style sheet.
void ApplySkinStyle(QApplication& app);

}  // namespace widgets
