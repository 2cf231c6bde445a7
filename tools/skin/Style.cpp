// Style.cpp - drawing primitives shared by every window's pictures.
#include "Style.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainterPath>
#include <QStringList>
#include <cmath>

namespace skin {

QColor mix(const QColor& a, const QColor& b, double t) {
    auto ch = [t](int x, int y) { return static_cast<int>(std::lround(x + (y - x) * t)); };
    return QColor(ch(a.red(), b.red()), ch(a.green(), b.green()), ch(a.blue(), b.blue()),
                  ch(a.alpha(), b.alpha()));
}

QFont font(double pixelSize, bool bold) {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(std::max(1, static_cast<int>(std::lround(pixelSize))));
    f.setBold(bold);
    f.setHintingPreference(QFont::PreferFullHinting);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

namespace {

QPainterPath rounded(const QRectF& r, double radius) {
    QPainterPath path;
    path.addRoundedRect(r, radius, radius);
    return path;
}

// Face, edge and legend colours of a cap or button in a given look.
struct Tones {
    QColor faceTop, faceBottom, outline, legend;
    double drop = 0;  // pressed content moves down by this
};

Tones capTones(Look look) {
    using namespace colour;
    switch (look) {
        case Look::Hover:
            return {mix(capTop, Qt::white, 0.06), mix(capFace, Qt::white, 0.06), accent, legend};
        case Look::Pressed:
            return {mix(accent, accentPressed, 0.3), accentPressed, accent, Qt::white, 1};
        case Look::Checked:
            return {capTop, capFace, mix(capOutline, accent, 0.45), accent};
        case Look::Disabled:
            return {mix(capTop, window, 0.55), mix(capFace, window, 0.55), capOutline,
                    mix(legend, window, 0.55)};
        case Look::Dimmed:
            return {mix(capTop, Qt::black, 0.2), mix(capFace, Qt::black, 0.2), capOutline,
                    mix(legend, Qt::black, 0.35)};
        case Look::Selected:
            return {mix(capTop, selection, 0.16), mix(capFace, selection, 0.12), selection, legend};
        case Look::Normal:
            break;
    }
    return {capTop, capFace, capOutline, legend};
}

void fillFace(QPainter& p, const QRectF& r, double radius, const Tones& t, bool topLight) {
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, t.faceTop);
    g.setColorAt(1, t.faceBottom);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawPath(rounded(r, radius));
    if (topLight) {
        // A thin light along the top edge gives the cap its depth.
        p.setPen(QPen(mix(t.faceTop, Qt::white, 0.14), 1));
        p.setBrush(Qt::NoBrush);
        p.drawLine(QPointF(r.left() + radius, r.top() + 1.5),
                   QPointF(r.right() - radius, r.top() + 1.5));
    }
}

void strokeEdge(QPainter& p, const QRectF& r, double radius, const QColor& c, double width) {
    p.setPen(QPen(c, width));
    p.setBrush(Qt::NoBrush);
    const double h = width / 2;
    p.drawPath(rounded(r.adjusted(h, h, -h, -h), radius));
}

// Lays out a legend: single words stay on one line at the largest size that
// fits; two-word legends wrap rather than shrink below 8 px.
void drawLegend(QPainter& p, const QRectF& r, const QString& text, const QColor& c) {
    if (text.isEmpty())
        return;
    // Single symbols large, short names (F10, Esc, Alt) bold, words regular.
    const bool symbol = text.size() == 1;
    const bool shortName = text.size() <= 3;
    double size = symbol ? 13 : shortName ? 10.5 : 9.5;
    const bool bold = shortName;
    QStringList lines{text};
    QFont f = font(size, bold);
    const double room = r.width() - 6;
    while (QFontMetricsF(f).horizontalAdvance(text) > room && size > 8) {
        size -= 0.5;
        f = font(size, bold);
    }
    if (QFontMetricsF(f).horizontalAdvance(text) > room && text.contains(' ')) {
        lines = text.split(' ');
        size = 8.5;
        f = font(size, false);
    }
    p.setFont(f);
    p.setPen(c);
    const QFontMetricsF fm(f);
    const double lineHeight = fm.height() * 0.92;
    double y = r.center().y() - lineHeight * lines.size() / 2;
    for (const QString& line : lines) {
        p.drawText(QRectF(r.left(), y, r.width(), lineHeight), Qt::AlignCenter, line);
        y += lineHeight;
    }
}

}  // namespace

void drawCap(QPainter& p, const QRectF& r, Look look, const QString& legend,
             const QString& secondary) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const Tones t = capTones(look);
    const double radius = 5;
    // Shadow below the cap, then the face.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 90));
    p.drawPath(rounded(r.translated(0, 1.5), radius));
    const QRectF face = r.translated(0, t.drop);
    fillFace(p, face, radius, t, look != Look::Pressed);
    strokeEdge(p, face, radius, t.outline, look == Look::Selected ? 2 : 1);
    QRectF legendRect = face.adjusted(2, 1, -2, -3);
    drawLegend(p, legendRect, legend, t.legend);
    if (!secondary.isEmpty()) {
        p.setFont(font(7.5, true));
        p.setPen(look == Look::Pressed ? QColor(Qt::white) : colour::legendDim);
        p.drawText(face.adjusted(4, 3, -4, -3), Qt::AlignLeft | Qt::AlignTop, secondary);
    }
    if (look == Look::Checked) {
        // The assigned mark: a dot in the top-right corner.
        p.setPen(Qt::NoPen);
        p.setBrush(colour::accent);
        p.drawEllipse(QPointF(face.right() - 6, face.top() + 6), 2.2, 2.2);
    }
    p.restore();
}

void drawPill(QPainter& p, const QRectF& r, Look look, bool primary, double radius) {
    using namespace colour;
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    Tones t;
    const QColor baseTop = primary ? mix(accent, Qt::white, 0.05) : mix(capTop, Qt::white, 0.02);
    const QColor baseBottom = primary ? accentPressed : capFace;
    switch (look) {
        case Look::Hover:
            t = {mix(baseTop, Qt::white, 0.1),
                 mix(baseBottom, Qt::white, 0.08),
                 primary ? mix(accent, Qt::white, 0.4) : accent,
                 {}};
            break;
        case Look::Pressed:
            t = {accentPressed, mix(accentPressed, Qt::black, 0.15), accent, {}, 1};
            break;
        case Look::Checked:
            t = {mix(accent, capFace, 0.55), mix(accentPressed, capFace, 0.55), accent, {}};
            break;
        case Look::Disabled:
            t = {mix(capTop, window, 0.55),
                 mix(capFace, window, 0.55),
                 mix(capOutline, window, 0.3),
                 {}};
            break;
        default:
            t = {baseTop, baseBottom, primary ? accentPressed : capOutline, {}};
            break;
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 80));
    p.drawPath(rounded(r.translated(0, 1.5), radius));
    const QRectF face = r.translated(0, t.drop);
    fillFace(p, face, radius, t, look != Look::Pressed);
    strokeEdge(p, face, radius, t.outline, 1);
    if (look == Look::Checked) {
        // Checked toggles carry an accent bar along their bottom edge.
        p.setPen(Qt::NoPen);
        p.setBrush(accent);
        const double w = std::min(28.0, face.width() - 16);
        p.drawRoundedRect(QRectF(face.center().x() - w / 2, face.bottom() - 4, w, 2), 1, 1);
    }
    p.restore();
}

void drawGlyph(QPainter& p, const QRectF& r, Glyph glyph, const QColor& c, double stroke) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QPen pen(c, stroke, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    const QPointF m = r.center();
    const double s = std::min(r.width(), r.height());
    const double h = s * 0.22;  // half size of most glyphs
    switch (glyph) {
        case Glyph::None:
            break;
        case Glyph::Close:
            p.drawLine(m + QPointF(-h, -h), m + QPointF(h, h));
            p.drawLine(m + QPointF(-h, h), m + QPointF(h, -h));
            break;
        case Glyph::Minimise:
            p.drawLine(m + QPointF(-h, h * 0.6), m + QPointF(h, h * 0.6));
            break;
        case Glyph::Help: {
            QFont f = font(s * 0.5, true);
            p.setFont(f);
            p.drawText(r, Qt::AlignCenter, QStringLiteral("?"));
            break;
        }
        case Glyph::Menu:
            for (int i = -1; i <= 1; ++i)
                p.drawLine(m + QPointF(-h, i * h * 0.75), m + QPointF(h, i * h * 0.75));
            break;
        case Glyph::Globe:
            p.drawEllipse(m, h * 1.15, h * 1.15);
            p.drawEllipse(m, h * 0.5, h * 1.15);
            p.drawLine(m + QPointF(-h * 1.15, 0), m + QPointF(h * 1.15, 0));
            break;
        case Glyph::LetterF: {
            p.setFont(font(s * 0.55, true));
            p.drawText(r.translated(0, 0.5), Qt::AlignCenter, QStringLiteral("f"));
            break;
        }
        case Glyph::Bird: {
            // A simple "speech" bubble stands for the short-message page.
            QPainterPath path;
            path.addRoundedRect(QRectF(m.x() - h * 1.2, m.y() - h * 0.95, h * 2.4, h * 1.6),
                                h * 0.5, h * 0.5);
            p.drawPath(path);
            p.drawLine(m + QPointF(-h * 0.5, h * 0.65), m + QPointF(-h * 0.8, h * 1.2));
            p.drawLine(m + QPointF(-h * 0.8, h * 1.2), m + QPointF(0, h * 0.65));
            break;
        }
        case Glyph::Plus:
            p.drawLine(m + QPointF(-h, 0), m + QPointF(h, 0));
            p.drawLine(m + QPointF(0, -h), m + QPointF(0, h));
            break;
        case Glyph::Minus:
            p.drawLine(m + QPointF(-h, 0), m + QPointF(h, 0));
            break;
        case Glyph::Trash:
            p.drawLine(m + QPointF(-h, -h * 0.7), m + QPointF(h, -h * 0.7));
            p.drawLine(m + QPointF(-h * 0.35, -h), m + QPointF(h * 0.35, -h));
            p.drawRoundedRect(QRectF(m.x() - h * 0.75, m.y() - h * 0.55, h * 1.5, h * 1.6), 1.5,
                              1.5);
            break;
        case Glyph::Folder: {
            QPainterPath path;
            path.moveTo(m + QPointF(-h * 1.1, h * 0.8));
            path.lineTo(m + QPointF(-h * 1.1, -h * 0.8));
            path.lineTo(m + QPointF(-h * 0.3, -h * 0.8));
            path.lineTo(m + QPointF(0, -h * 0.45));
            path.lineTo(m + QPointF(h * 1.1, -h * 0.45));
            path.lineTo(m + QPointF(h * 1.1, h * 0.8));
            path.closeSubpath();
            p.drawPath(path);
            break;
        }
        case Glyph::Eraser: {
            // Counter-clockwise arrow: back to the factory function.
            p.drawArc(QRectF(m.x() - h, m.y() - h, 2 * h, 2 * h), 100 * 16, 270 * 16);
            const QPointF tip = m + QPointF(-h * 0.17, -h);
            p.drawLine(tip, tip + QPointF(h * 0.55, -h * 0.45));
            p.drawLine(tip, tip + QPointF(h * 0.55, h * 0.45));
            break;
        }
        case Glyph::Keyboard: {
            const QRectF k(m.x() - h * 1.4, m.y() - h * 0.85, h * 2.8, h * 1.7);
            p.drawRoundedRect(k, 2, 2);
            p.setPen(Qt::NoPen);
            p.setBrush(c);
            const double d = h * 0.36;
            for (int row = 0; row < 2; ++row)
                for (int col = 0; col < 4; ++col)
                    p.drawRect(QRectF(k.left() + h * 0.35 + col * h * 0.6,
                                      k.top() + h * 0.3 + row * h * 0.45, d, d * 0.8));
            p.drawRect(QRectF(k.left() + h * 0.75, k.bottom() - h * 0.45, h * 1.3, d * 0.6));
            break;
        }
        case Glyph::Caret:
            p.drawLine(m + QPointF(-h * 0.6, -h * 0.3), m + QPointF(0, h * 0.3));
            p.drawLine(m + QPointF(0, h * 0.3), m + QPointF(h * 0.6, -h * 0.3));
            break;
        case Glyph::Grip:
            for (int i = -1; i <= 1; ++i)
                p.drawLine(m + QPointF(-h * 1.4, i * 3.0), m + QPointF(h * 1.4, i * 3.0));
            break;
        case Glyph::Record:
            p.setPen(Qt::NoPen);
            p.setBrush(c);
            p.drawEllipse(m, h * 0.7, h * 0.7);
            break;
    }
    p.restore();
}

void drawIconButton(QPainter& p, const QRectF& r, Look look, Glyph glyph, bool round) {
    using namespace colour;
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const double radius = round ? std::min(r.width(), r.height()) / 2 : 6;
    QColor glyphColour = legendDim;
    if (look == Look::Hover) {
        const bool danger = glyph == Glyph::Close;
        p.setPen(Qt::NoPen);
        p.setBrush(danger ? mix(warning, window, 0.2) : mix(capFace, Qt::white, 0.08));
        p.drawPath(rounded(r, radius));
        strokeEdge(p, r, radius, danger ? warning : accent, 1);
        glyphColour = danger ? QColor(Qt::white) : accent;
    } else if (look == Look::Pressed) {
        p.setPen(Qt::NoPen);
        p.setBrush(glyph == Glyph::Close ? mix(warning, Qt::black, 0.2) : accentPressed);
        p.drawPath(rounded(r, radius));
        glyphColour = Qt::white;
    } else if (look == Look::Disabled) {
        glyphColour = mix(legendDim, window, 0.6);
    } else if (round) {
        p.setPen(QPen(groupEdge, 1));
        p.setBrush(group);
        p.drawPath(rounded(r.adjusted(0.5, 0.5, -0.5, -0.5), radius));
    }
    drawGlyph(p, look == Look::Pressed ? r.translated(0, 1) : r, glyph, glyphColour, 1.6);
    p.restore();
}

void drawWindowFrame(QPainter& p, const QRectF& r, double radius) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(r, colour::window);
    strokeEdge(p, r, radius, colour::windowEdge, 1);
    p.restore();
}

void drawGroup(QPainter& p, const QRectF& r, double radius) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    // Flat, so the lighting pictures placed on a group sit on it seamlessly.
    p.setPen(Qt::NoPen);
    p.setBrush(colour::group);
    p.drawPath(rounded(r, radius));
    strokeEdge(p, r, radius, colour::groupEdge, 1);
    p.restore();
}

void drawField(QPainter& p, const QRectF& r, double radius) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(colour::capOutline, 1));
    p.setBrush(colour::field);
    p.drawPath(rounded(r.adjusted(0.5, 0.5, -0.5, -0.5), radius));
    p.restore();
}

}  // namespace skin
