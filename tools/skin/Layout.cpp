// Layout.cpp - which look each kind of control has in each sheet, and how a
// cut control is drawn.
#include "Layout.h"

#include <QPainterPath>

namespace skin {

Look lookFor(Role role, Sheet sheet) {
    switch (role) {
        case Role::Key:
            switch (sheet) {
                case Sheet::Normal:
                    return Look::Normal;
                case Sheet::Over:
                    return Look::Hover;
                case Sheet::Down:
                    return Look::Pressed;
                case Sheet::Disable:
                    return Look::Checked;  // the assigned mark
                case Sheet::Color0:
                    return Look::Dimmed;
                case Sheet::Color1:
                    return Look::Selected;
            }
            break;
        case Role::Toggle:
        case Role::Push:
        case Role::Apply:
            switch (sheet) {
                case Sheet::Over:
                    return Look::Hover;
                case Sheet::Down:
                    return Look::Pressed;
                case Sheet::Disable:
                    return role == Role::Toggle  ? Look::Checked
                           : role == Role::Apply ? Look::Disabled
                                                 : Look::Normal;
                default:
                    return Look::Normal;
            }
        case Role::Lock:
            return sheet == Sheet::Over ? Look::Checked : Look::Normal;
        case Role::Flip0:
            return sheet == Sheet::Disable ? Look::Checked : Look::Normal;
        case Role::Link:
            return sheet == Sheet::Over                                ? Look::Hover
                   : (sheet == Sheet::Down || sheet == Sheet::Disable) ? Look::Pressed
                                                                       : Look::Normal;
        case Role::Version:
        case Role::Picture:
        case Role::Plain:
            break;
    }
    return Look::Normal;
}

const Item* WindowLayout::find(const QString& key) const {
    for (const Item& i : items)
        if (i.key == key)
            return &i;
    return nullptr;
}

Item& WindowLayout::add(Item item) {
    items.push_back(std::move(item));
    return items.back();
}

namespace {

void drawLock(QPainter& p, const QRectF& r, const QString& legend, bool lit) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    drawField(p, r, r.height() / 2);
    const QColor on = colour::accent;
    const QColor off = mix(colour::legendDim, colour::field, 0.35);
    // The light, then its symbol.
    const QPointF dot(r.left() + 8, r.center().y());
    if (lit) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(on.red(), on.green(), on.blue(), 70));
        p.drawEllipse(dot, 5, 5);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(lit ? on : mix(colour::capTop, colour::field, 0.2));
    p.drawEllipse(dot, 2.6, 2.6);
    const QRectF textRect = r.adjusted(13, 0, -3, 0);
    if (legend == QLatin1String("AB")) {
        // Layer indicator: the active layer's letter is lit.
        p.setFont(font(10, true));
        const QRectF a = textRect.adjusted(0, 0, -textRect.width() / 2, 0);
        const QRectF b = textRect.adjusted(textRect.width() / 2, 0, 0, 0);
        p.setPen(lit ? off : colour::legend);
        p.drawText(a, Qt::AlignCenter, QStringLiteral("A"));
        p.setPen(lit ? on : off);
        p.drawText(b, Qt::AlignCenter, QStringLiteral("B"));
    } else {
        p.setFont(font(10, true));
        p.setPen(lit ? on : off);
        p.drawText(textRect, Qt::AlignCenter, legend);
    }
    p.restore();
}

void drawLayoutIndicator(QPainter& p, const QRectF& r, bool compact) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF upper(r.left() + 6, r.top() + 3, r.width() - 12, 7);
    const QRectF lower(r.left() + 6, r.top() + 11, r.width() - 12, 6);
    p.setPen(QPen(colour::legendDim, 1.2));
    p.setBrush(mix(colour::capFace, colour::window, 0.3));
    p.drawRoundedRect(upper, 2, 2);
    if (compact) {
        QPen dashed(mix(colour::legendDim, colour::window, 0.5), 1, Qt::DotLine);
        p.setPen(dashed);
        p.setBrush(Qt::NoBrush);
    } else {
        p.setPen(QPen(colour::accent, 1.2));
        p.setBrush(mix(colour::accent, colour::window, 0.7));
    }
    p.drawRoundedRect(lower, 2, 2);
    p.restore();
}

void drawBrand(QPainter& p, const QRectF& r, Look look) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QColor markColour = look == Look::Pressed ? colour::accentPressed
                              : look == Look::Hover ? mix(colour::accent, Qt::white, 0.25)
                                                    : colour::accent;
    // The mark: a key cap seen from above with a tuning wave across it.
    const QRectF mark(r.left() + 2, r.top() + 3, r.height() - 6, r.height() - 6);
    p.setPen(QPen(markColour, 1.6));
    p.setBrush(mix(colour::capFace, colour::window, 0.2));
    p.drawRoundedRect(mark, 5, 5);
    QPainterPath wave;
    wave.moveTo(mark.left() + 4, mark.center().y());
    wave.cubicTo(mark.left() + 8, mark.top() + 4, mark.center().x() - 2, mark.top() + 4,
                 mark.center().x(), mark.center().y());
    wave.cubicTo(mark.center().x() + 2, mark.bottom() - 4, mark.right() - 8, mark.bottom() - 4,
                 mark.right() - 4, mark.center().y());
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(markColour, 2, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(wave);
    QFont f = font(15, true);
    f.setLetterSpacing(QFont::AbsoluteSpacing, 1.5);
    p.setFont(f);
    p.setPen(look == Look::Normal ? colour::heading : markColour);
    p.drawText(QRectF(mark.right() + 8, r.top(), r.width() - mark.width() - 10, r.height()),
               Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("KEYTUNE"));
    p.restore();
}

}  // namespace

void drawItem(QPainter& p, const Item& item, Look look) {
    const QRectF r = item.artRect();
    switch (item.role) {
        case Role::Key:
            drawCap(p, r, look, item.legend, item.secondary);
            break;
        case Role::Toggle:
        case Role::Push:
        case Role::Apply:
            if (item.round || (item.glyph != Glyph::None && r.width() <= 36)) {
                drawIconButton(p, r, look, item.glyph, item.round);
                break;
            }
            drawPill(p, r, look, item.primary);
            if (item.glyph == Glyph::Caret) {
                const QRectF caret(r.right() - 26, r.top(), 20, r.height());
                drawGlyph(p, look == Look::Pressed ? caret.translated(0, 1) : caret, Glyph::Caret,
                          look == Look::Pressed ? QColor(Qt::white) : colour::legendDim);
            } else if (item.glyph != Glyph::None) {
                const QColor c = look == Look::Pressed                          ? QColor(Qt::white)
                                 : look == Look::Hover || look == Look::Checked ? colour::accent
                                                                                : colour::legendDim;
                drawGlyph(p, look == Look::Pressed ? r.translated(0, 1) : r, item.glyph, c);
            }
            break;
        case Role::Lock:
            drawLock(p, r, item.legend, look == Look::Checked);
            break;
        case Role::Flip0:
            drawLayoutIndicator(p, r, look == Look::Checked);
            break;
        case Role::Link:
            drawBrand(p, r, look);
            break;
        case Role::Version:
            drawField(p, r, r.height() / 2);
            break;
        case Role::Picture:
        case Role::Plain:
            break;
    }
}

}  // namespace skin
