// LightingPictures.cpp - the lighting panel's pictures, each sized to the
// control that shows it and drawn on the colour of the surface under it so
// it sits on the panel seamlessly.
#include <QLinearGradient>
#include <QPainterPath>
#include <cmath>
#include <stdexcept>

#include "Canvas.h"
#include "Generators.h"
#include "Layout.h"

namespace skin {
namespace {

QSize sizeOf(const MainLayout& L, const char* key) {
    const Item* item = L.find(key);
    if (!item)
        throw std::runtime_error(std::string("no control ") + key);
    return item->iniRect().size();
}

QRectF whole(QSize s) {
    return QRectF(QPointF(0, 0), QSizeF(s));
}

// An on/off switch. `rainbow` fills the on track with the colour wheel (the
// multi-colour switches); otherwise the track takes the accent.
void drawSwitch(QPainter& p, QSize s, bool on, bool rainbow) {
    p.fillRect(whole(s), colour::group);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF track(4, 5, s.width() - 8, s.height() - 10);
    const double r = track.height() / 2;
    if (on && rainbow) {
        QLinearGradient g(track.topLeft(), track.topRight());
        const QColor stops[] = {QColor(255, 40, 40), QColor(255, 200, 0), QColor(60, 220, 90),
                                QColor(0, 170, 255), QColor(170, 60, 255)};
        for (int i = 0; i < 5; ++i) g.setColorAt(i / 4.0, stops[i]);
        p.setBrush(g);
    } else {
        p.setBrush(on ? colour::accent : colour::field);
    }
    p.setPen(QPen(on ? mix(colour::accent, Qt::black, 0.2) : colour::capOutline, 1));
    p.drawRoundedRect(track, r, r);
    const double knobR = r - 2.5;
    const QPointF knob(on ? track.right() - r : track.left() + r, track.center().y());
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 90));
    p.drawEllipse(knob + QPointF(0, 1), knobR, knobR);
    p.setBrush(on ? QColor(Qt::white) : colour::legendDim);
    p.drawEllipse(knob, knobR, knobR);
}

// A small button with a drawn symbol; `down` is the pressed (chosen) look.
void drawSymbolButton(QPainter& p, QSize s, bool down,
                      const std::function<void(QPainter&, QPointF)>& symbol) {
    p.fillRect(whole(s), colour::group);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF face = whole(s).adjusted(1, 1, -1, -1);
    p.setPen(QPen(down ? colour::accent : colour::capOutline, 1));
    p.setBrush(down ? colour::accentPressed : colour::capFace);
    p.drawRoundedRect(face.adjusted(0.5, 0.5, -0.5, -0.5), 6, 6);
    QPen pen(down ? QColor(Qt::white) : colour::legendDim, 1.5, Qt::SolidLine, Qt::RoundCap,
             Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    symbol(p, face.center());
}

void arrowHead(QPainter& p, QPointF tip, double dx, double dy) {
    // Two strokes back from the tip, perpendicular spread.
    p.drawLine(tip, tip + QPointF(-dx * 4 - dy * 3.5, -dy * 4 - dx * 3.5));
    p.drawLine(tip, tip + QPointF(-dx * 4 + dy * 3.5, -dy * 4 + dx * 3.5));
}

void arrow(QPainter& p, QPointF m, double dx, double dy) {
    const QPointF from = m - QPointF(dx * 7, dy * 7), to = m + QPointF(dx * 7, dy * 7);
    p.drawLine(from, to);
    arrowHead(p, to, dx, dy);
}

void drawSlider(QPainter& p, QSize s, int step, const QColor& tone, bool overRange) {
    p.fillRect(whole(s), colour::group);
    p.setRenderHint(QPainter::Antialiasing);
    const double left = 12, right = s.width() - 12, y = s.height() / 2.0;
    const double pos = left + (right - left) * step / 5.0;
    p.setPen(Qt::NoPen);
    p.setBrush(colour::field);
    p.drawRoundedRect(QRectF(left - 3, y - 3, right - left + 6, 6), 3, 3);
    QLinearGradient fill(left, 0, pos, 0);
    fill.setColorAt(0, mix(tone, colour::group, 0.45));
    fill.setColorAt(1, tone);
    p.setBrush(fill);
    p.drawRoundedRect(QRectF(left - 3, y - 3, pos - left + 6, 6), 3, 3);
    for (int i = 0; i <= 5; ++i) {
        const double x = left + (right - left) * i / 5.0;
        p.setBrush(i <= step ? mix(tone, Qt::white, 0.35) : colour::capTop);
        p.drawEllipse(QPointF(x, y), 1.6, 1.6);
    }
    // The knob, with a soft halo of its tone.
    p.setBrush(QColor(tone.red(), tone.green(), tone.blue(), 60));
    p.drawEllipse(QPointF(pos, y), 11, 11);
    p.setBrush(QColor(0, 0, 0, 110));
    p.drawEllipse(QPointF(pos, y + 1), 8, 8);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(pos, y), 7.5, 7.5);
    p.setBrush(overRange ? colour::warning : tone);
    p.drawEllipse(QPointF(pos, y), 3.2, 3.2);
}

void drawSwatch(QPainter& p, QSize s, const QColor& c, bool chosen) {
    p.fillRect(whole(s), colour::group);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF face = whole(s).adjusted(3, 3, -3, -3);
    QLinearGradient g(face.topLeft(), face.bottomLeft());
    g.setColorAt(0, mix(c, Qt::white, 0.12));
    g.setColorAt(1, mix(c, Qt::black, 0.08));
    p.setBrush(g);
    p.setPen(QPen(QColor(255, 255, 255, 70), 1));
    p.drawRoundedRect(face.adjusted(0.5, 0.5, -0.5, -0.5), 5, 5);
    if (chosen) {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(Qt::white, 2));
        p.drawRoundedRect(whole(s).adjusted(1, 1, -1, -1), 6, 6);
        // A check mark in a contrasting tone.
        const bool light = c.lightnessF() > 0.6;
        p.setPen(QPen(light ? QColor(20, 20, 20) : QColor(Qt::white), 2, Qt::SolidLine,
                      Qt::RoundCap, Qt::RoundJoin));
        const QPointF m = face.center();
        p.drawLine(m + QPointF(-5, 0), m + QPointF(-1.5, 3.5));
        p.drawLine(m + QPointF(-1.5, 3.5), m + QPointF(5.5, -4));
    }
}

void drawBusyFrame(QPainter& p, QSize s, int frame) {
    p.fillRect(whole(s), colour::window);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF ring = whole(s).adjusted(5, 5, -5, -5);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(colour::capTop, 2.5));
    p.drawEllipse(ring);
    // An accent arc that turns 36 degrees a frame, with a fainter tail behind it.
    const double start = 90 - frame * 36.0;
    p.setPen(QPen(mix(colour::accent, colour::window, 0.6), 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(ring, int((start + 60) * 16), -60 * 16);
    p.setPen(QPen(colour::accent, 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(ring, int(start * 16), -100 * 16);
}

void drawBrush(QPainter& p, QPointF m) {
    // A brush: handle and bristles, diagonal.
    p.drawLine(m + QPointF(5, -7), m + QPointF(-1, -1));
    QPainterPath tip;
    tip.moveTo(m + QPointF(-1, -1));
    tip.lineTo(m + QPointF(1.5, 1.5));
    tip.quadTo(m + QPointF(-2, 7), m + QPointF(-7, 7));
    tip.quadTo(m + QPointF(-7, 2), m + QPointF(-1, -1));
    p.drawPath(tip);
}

void drawBaseTool(QPainter& p, QPointF m) {
    // A drop: paint with the base colour.
    QPainterPath drop;
    drop.moveTo(m + QPointF(0, -8));
    drop.cubicTo(m + QPointF(6, -1), m + QPointF(6, 7), m + QPointF(0, 7));
    drop.cubicTo(m + QPointF(-6, 7), m + QPointF(-6, -1), m + QPointF(0, -8));
    p.drawPath(drop);
}

}  // namespace

void generateLighting(Canvas& c, const MainLayout& L) {
    const QSize panelSwitch = sizeOf(L, "CONTROL_DengStaPic");
    c.picture("dengup.bmp", panelSwitch,
              [&](QPainter& p) { drawSwitch(p, panelSwitch, false, false); });
    c.picture("dengdown.bmp", panelSwitch,
              [&](QPainter& p) { drawSwitch(p, panelSwitch, true, false); });
    const QSize multi = sizeOf(L, "CONTROL_HXsjsStaPic");
    c.picture("sjsup.bmp", multi, [&](QPainter& p) { drawSwitch(p, multi, false, true); });
    c.picture("sjsdown.bmp", multi, [&](QPainter& p) { drawSwitch(p, multi, true, true); });

    const QSize dir = sizeOf(L, "CONTROL_BLFXLStaPic");
    const struct {
        const char* up;
        const char* down;
        std::function<void(QPainter&, QPointF)> symbol;
    } directions[] = {
        {"leftup.bmp", "leftdown.bmp", [](QPainter& p, QPointF m) { arrow(p, m, -1, 0); }},
        {"rightup.bmp", "rightdown.bmp", [](QPainter& p, QPointF m) { arrow(p, m, 1, 0); }},
        {"upup.bmp", "updown.bmp", [](QPainter& p, QPointF m) { arrow(p, m, 0, -1); }},
        {"downup.bmp", "downdown.bmp", [](QPainter& p, QPointF m) { arrow(p, m, 0, 1); }},
        {"kuosan.bmp", "kuosandown.bmp",  // spread: out from the centre
         [](QPainter& p, QPointF m) {
             p.drawLine(m + QPointF(-3, 0), m + QPointF(-11, 0));
             arrowHead(p, m + QPointF(-11, 0), -1, 0);
             p.drawLine(m + QPointF(3, 0), m + QPointF(11, 0));
             arrowHead(p, m + QPointF(11, 0), 1, 0);
         }},
        {"julong.bmp", "julongdown.bmp",  // gather: in towards the centre
         [](QPainter& p, QPointF m) {
             p.drawLine(m + QPointF(-12, 0), m + QPointF(-3, 0));
             arrowHead(p, m + QPointF(-3, 0), 1, 0);
             p.drawLine(m + QPointF(12, 0), m + QPointF(3, 0));
             arrowHead(p, m + QPointF(3, 0), -1, 0);
         }},
    };
    for (const auto& d : directions) {
        c.picture(d.up, dir, [&](QPainter& p) { drawSymbolButton(p, dir, false, d.symbol); });
        c.picture(d.down, dir, [&](QPainter& p) { drawSymbolButton(p, dir, true, d.symbol); });
    }

    const QSize choice = sizeOf(L, "CONTROL_HONGPIC");
    const struct {
        const char* name;
        QColor colour;
    } choices[] = {{"hong", QColor(255, 0, 0)},
                   {"huang", QColor(255, 220, 0)},
                   {"lv", QColor(0, 220, 0)},
                   {"lan", QColor(0, 90, 255)}};
    for (const auto& ch : choices) {
        c.picture(QString(ch.name) + ".bmp", choice,
                  [&](QPainter& p) { drawSwatch(p, choice, ch.colour, false); });
        c.picture(QString(ch.name) + "ok.bmp", choice,
                  [&](QPainter& p) { drawSwatch(p, choice, ch.colour, true); });
    }

    const QSize tool = sizeOf(L, "CONTROL_USERgjStaPic1");
    c.picture("user1up.bmp", tool,
              [&](QPainter& p) { drawSymbolButton(p, tool, false, drawBrush); });
    c.picture("user1down.bmp", tool,
              [&](QPainter& p) { drawSymbolButton(p, tool, true, drawBrush); });
    c.picture("user2up.bmp", tool,
              [&](QPainter& p) { drawSymbolButton(p, tool, false, drawBaseTool); });
    c.picture("user2down.bmp", tool,
              [&](QPainter& p) { drawSymbolButton(p, tool, true, drawBaseTool); });

    const QSize busy = sizeOf(L, "CONTROL_JDTStatic");
    for (int i = 1; i <= 10; ++i)
        c.picture(QStringLiteral("jdt%1.bmp").arg(i), busy,
                  [&](QPainter& p) { drawBusyFrame(p, busy, i - 1); });

    // Sliders: 0-5 brightness, 6-11 speed positions 0-5, 12-25 values above
    // five that a keyboard may report (shown at the end of the track).
    const QSize slider = sizeOf(L, "CONTROL_LightSlider");
    for (int n = 0; n <= 25; ++n) {
        const bool speed = n >= 6 && n <= 11;
        const int step = n <= 5 ? n : speed ? n - 6 : 5;
        c.picture(QStringLiteral("%1.bmp").arg(n), slider, [&](QPainter& p) {
            drawSlider(p, slider, step, speed ? colour::speedTone : colour::accent, n > 11);
        });
    }

    // The eight preset colours.
    const QColor presets[] = {{235, 99, 30}, {255, 0, 0},   {0, 126, 255}, {90, 255, 0},
                              {234, 255, 0}, {255, 192, 0}, {255, 0, 180}, {174, 0, 255}};
    const QSize swatch = sizeOf(L, "CONTROL_Color1");
    for (int i = 0; i < 8; ++i)
        c.picture(QStringLiteral("Color%1.bmp").arg(i + 1), swatch,
                  [&](QPainter& p) { drawSwatch(p, swatch, presets[i], false); });
}

}  // namespace skin
