// Style.h - the skin's palette, type and drawing primitives. Every picture of
// every window is drawn with these, so the windows share one look.
#pragma once

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QRectF>
#include <QString>

namespace skin {

namespace colour {
inline const QColor window{0x12, 0x14, 0x18};
inline const QColor windowEdge{0x2c, 0x31, 0x3a};
inline const QColor titleBar{0x16, 0x19, 0x1e};
inline const QColor body{0x1b, 0x1e, 0x24};
inline const QColor bodyHighlight{0x2a, 0x2e, 0x36};
inline const QColor capFace{0x26, 0x2a, 0x31};
inline const QColor capTop{0x30, 0x35, 0x3e};
inline const QColor capOutline{0x0d, 0x0f, 0x12};
inline const QColor legend{0xe6, 0xe8, 0xee};
inline const QColor legendDim{0x9a, 0xa0, 0xab};
inline const QColor accent{0x00, 0xb4, 0xff};
inline const QColor accentPressed{0x0a, 0x86, 0xc2};
inline const QColor accentSoft{0x00, 0xb4, 0xff, 0x38};
inline const QColor selection{0xff, 0xb0, 0x20};
inline const QColor speedTone{0x7c, 0x5c, 0xff};
inline const QColor text{0xd6, 0xd9, 0xe0};
inline const QColor heading{0xff, 0xff, 0xff};
inline const QColor hint{0x8a, 0x90, 0x9b};
inline const QColor panel{0x1b, 0x1e, 0x24};
inline const QColor group{0x22, 0x26, 0x2d};
inline const QColor groupEdge{0x2c, 0x31, 0x3a};
inline const QColor field{0x14, 0x16, 0x1a};
inline const QColor warning{0xff, 0x6b, 0x4a};
}  // namespace colour

// How one control looks in one picture.
enum class Look { Normal, Hover, Pressed, Checked, Disabled, Dimmed, Selected };

QFont font(double pixelSize, bool bold = false);

// A key cap: face with a top light, legend centred (wrapped onto two lines
// when it is a long word pair). `secondary` is a small corner legend.
void drawCap(QPainter& p, const QRectF& r, Look look, const QString& legend,
             const QString& secondary = {});

// A rounded command button without words (the window writes its caption).
// `primary` buttons carry the accent in their normal look.
void drawPill(QPainter& p, const QRectF& r, Look look, bool primary = false, double radius = 6);

// A small square icon button (close, minimise, help, menu and the like).
enum class Glyph {
    None,
    Close,
    Minimise,
    Help,
    Menu,
    Globe,
    LetterF,
    Bird,
    Plus,
    Minus,
    Trash,
    Folder,
    Eraser,
    Keyboard,
    Caret,
    Grip,
    Record
};
void drawIconButton(QPainter& p, const QRectF& r, Look look, Glyph glyph, bool round = false);
void drawGlyph(QPainter& p, const QRectF& r, Glyph glyph, const QColor& c, double stroke = 1.6);

// Surfaces.
void drawWindowFrame(QPainter& p, const QRectF& r, double radius);
void drawGroup(QPainter& p, const QRectF& r, double radius = 8);
void drawField(QPainter& p, const QRectF& r, double radius = 5);

QColor mix(const QColor& a, const QColor& b, double t);

}  // namespace skin
