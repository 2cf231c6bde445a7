// Icons.cpp - the application icon (PNG sizes and an SVG drawn from the same
// shapes) and the three tray pictures: 128 no keyboard, 141 keyboard
// attached, 142 the keyboard's highlight state.
#include <QDir>
#include <QFile>
#include <QPainterPath>
#include <cstdio>

#include "Canvas.h"
#include "Generators.h"
#include "Style.h"

namespace skin {
namespace {

// The application icon on a 256 grid: a dark tile, a key cap outlined in the
// accent, and a tuning wave across the cap.
void drawAppIcon(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x2c, 0x31, 0x3a), 6));
    p.setBrush(QColor(0x16, 0x19, 0x1e));
    p.drawRoundedRect(QRectF(11, 11, 234, 234), 52, 52);
    p.setPen(QPen(colour::accent, 12));
    p.setBrush(QColor(0x26, 0x2a, 0x31));
    p.drawRoundedRect(QRectF(48, 52, 160, 152), 30, 30);
    QPainterPath wave;
    wave.moveTo(76, 128);
    wave.cubicTo(96, 70, 118, 70, 128, 128);
    wave.cubicTo(138, 186, 160, 186, 180, 128);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(colour::accent, 16, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(wave);
}

const char* kAppIconSvg =
    "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" viewBox=\"0 0 256 "
    "256\">\n"
    "  <rect x=\"11\" y=\"11\" width=\"234\" height=\"234\" rx=\"52\" fill=\"#16191e\" "
    "stroke=\"#2c313a\" "
    "stroke-width=\"6\"/>\n"
    "  <rect x=\"48\" y=\"52\" width=\"160\" height=\"152\" rx=\"30\" fill=\"#262a31\" "
    "stroke=\"#00b4ff\" "
    "stroke-width=\"12\"/>\n"
    "  <path d=\"M76 128 C96 70 118 70 128 128 C138 186 160 186 180 128\" fill=\"none\" "
    "stroke=\"#00b4ff\" "
    "stroke-width=\"16\" stroke-linecap=\"round\"/>\n"
    "</svg>\n";

enum class Tray { NoKeyboard, Attached, Highlight };

// Tray pictures on a 32 grid with bold shapes: a keyboard with a dark body
// and a light rim, so it reads on light and dark panels alike at 16 and 22 px.
void drawTray(QPainter& p, Tray state) {
    p.setRenderHint(QPainter::Antialiasing);
    const QColor rim =
        state == Tray::NoKeyboard ? QColor(0x9a, 0xa0, 0xab) : QColor(0xe6, 0xe8, 0xee);
    const QColor bodyFill = state == Tray::Highlight ? colour::accent : QColor(0x1b, 0x1e, 0x24);
    const QColor keysFill = state == Tray::NoKeyboard  ? QColor(0x6a, 0x70, 0x7b)
                            : state == Tray::Highlight ? QColor(Qt::white)
                                                       : colour::accent;
    const QRectF body(1.5, 7.5, 29, 18);
    p.setPen(QPen(QColor(0, 0, 0, 150), 3.2));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(body, 4.5, 4.5);  // dark halo for light panels
    p.setPen(QPen(rim, 1.8));
    p.setBrush(bodyFill);
    p.drawRoundedRect(body, 4.5, 4.5);
    p.setPen(Qt::NoPen);
    p.setBrush(keysFill);
    for (int col = 0; col < 5; ++col)
        p.drawRoundedRect(QRectF(5 + col * 4.8, 11.5, 3.2, 3.2), 0.8, 0.8);
    p.drawRoundedRect(QRectF(9.5, 18.5, 13, 3.2), 1, 1);
    if (state == Tray::NoKeyboard) {
        // Not attached: a slash across.
        p.setPen(QPen(QColor(0, 0, 0, 160), 5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(5, 29), QPointF(27, 3));
        p.setPen(QPen(colour::warning, 2.6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(5, 29), QPointF(27, 3));
    }
    if (state == Tray::Highlight) {
        // A spark above the keyboard.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xff, 0xb0, 0x20));
        QPainterPath star;
        star.moveTo(26, 0.5);
        star.lineTo(27.4, 4.1);
        star.lineTo(31, 5.5);
        star.lineTo(27.4, 6.9);
        star.lineTo(26, 10.5);
        star.lineTo(24.6, 6.9);
        star.lineTo(21, 5.5);
        star.lineTo(24.6, 4.1);
        star.closeSubpath();
        p.drawPath(star);
    }
}

}  // namespace

void generateIcons(Canvas& canvas, const QString& iconRoot) {
    canvas.picture("keytune.png", QSize(256, 256), drawAppIcon);
    for (int n : {16, 22, 24, 32, 48, 64, 128, 256})
        canvas.single(QStringLiteral("%1/hicolor/%2x%2/apps/keytune.png").arg(iconRoot).arg(n),
                      QSize(n, n), n / 256.0, drawAppIcon);
    const QString svgPath = iconRoot + "/hicolor/scalable/apps/keytune.svg";
    QDir().mkpath(iconRoot + "/hicolor/scalable/apps");
    QFile svg(svgPath);
    if (!svg.open(QIODevice::WriteOnly | QIODevice::Truncate) || svg.write(kAppIconSvg) < 0)
        std::fprintf(stderr, "keytune-skin-gen: cannot write %s\n", qPrintable(svgPath));

    canvas.picture("tray128.png", QSize(32, 32),
                   [](QPainter& p) { drawTray(p, Tray::NoKeyboard); });
    canvas.picture("tray141.png", QSize(32, 32), [](QPainter& p) { drawTray(p, Tray::Attached); });
    canvas.picture("tray142.png", QSize(32, 32), [](QPainter& p) { drawTray(p, Tray::Highlight); });
}

}  // namespace skin
