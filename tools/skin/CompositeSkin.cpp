// CompositeSkin.cpp - the key assignment dialog: five picture sets (key,
// macro, macro2 = "unavailable", media, function) of the whole dialog, each
// showing its page, and Composite.ini.
#include <QPainterPath>
#include <cstdio>

#include "Canvas.h"
#include "DialogLayouts.h"
#include "Generators.h"
#include "Ini.h"

namespace skin {
namespace {

enum class Page { Key, Macro, Media, Function };

constexpr double kRadius = 12;

Look sheetLook(int state) {  // 0 normal, 1 hover, 2 pressed, 3 disabled
    const Look looks[] = {Look::Normal, Look::Hover, Look::Pressed, Look::Disabled};
    return looks[state];
}

void drawTitleMark(QPainter& p, const QRectF& r, bool unavailable) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QColor c = unavailable ? mix(colour::legendDim, colour::titleBar, 0.5) : colour::accent;
    p.setPen(QPen(c, 1.6));
    p.setBrush(mix(colour::capFace, colour::titleBar, 0.2));
    p.drawRoundedRect(r.adjusted(2, 2, -2, -2), 6, 6);
    // A key cap with a small arrow: "give this key a new function".
    p.setPen(QPen(c, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const QPointF m = r.center();
    p.drawLine(m + QPointF(-5, 3), m + QPointF(5, 3));
    p.drawLine(m + QPointF(2, 0), m + QPointF(5, 3));
    p.drawLine(m + QPointF(2, 6), m + QPointF(5, 3));
    p.drawLine(m + QPointF(-5, -4), m + QPointF(1, -4));
    p.restore();
}

void drawWatermark(QPainter& p, const QRectF& page, Page kind) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QColor c = mix(colour::group, colour::legendDim, 0.16);
    const QRectF box(page.right() - 150, page.bottom() - 130, 110, 100);
    const QPointF m = box.center();
    switch (kind) {
        case Page::Key:
            drawGlyph(p, QRectF(m.x() - 130, m.y() - 80, 260, 160), Glyph::Keyboard, c, 3);
            break;
        case Page::Media: {
            p.setPen(Qt::NoPen);
            p.setBrush(c);
            QPainterPath play;
            play.moveTo(m + QPointF(-34, -30));
            play.lineTo(m + QPointF(14, 0));
            play.lineTo(m + QPointF(-34, 30));
            play.closeSubpath();
            p.drawPath(play);
            p.drawRoundedRect(QRectF(m.x() + 20, m.y() - 30, 10, 60), 3, 3);
            p.drawRoundedRect(QRectF(m.x() + 38, m.y() - 30, 10, 60), 3, 3);
            break;
        }
        case Page::Function: {
            p.setPen(Qt::NoPen);
            p.setBrush(c);
            QPainterPath bolt;  // the keyboard's own functions: a lightning bolt
            bolt.moveTo(m + QPointF(8, -44));
            bolt.lineTo(m + QPointF(-22, 6));
            bolt.lineTo(m + QPointF(-2, 6));
            bolt.lineTo(m + QPointF(-10, 44));
            bolt.lineTo(m + QPointF(22, -8));
            bolt.lineTo(m + QPointF(2, -8));
            bolt.closeSubpath();
            p.drawPath(bolt);
            break;
        }
        case Page::Macro:
            break;
    }
    p.restore();
}

void drawBackground(QPainter& p, const CompositeLayout& L, Page page) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF all(QPointF(0, 0), QSizeF(L.size));
    p.fillRect(all, colour::window);
    p.fillRect(L.titleBar, colour::titleBar);
    p.fillRect(QRectF(0, L.titleBar.bottom(), all.width(), 1), colour::capOutline);
    drawGroup(p, L.page, 10);
    switch (page) {
        case Page::Key: {
            // The captured key's field: dark, with an accent underline.
            const QRectF field = L.find("FUNC_KEY_INPUT")->visual;
            drawField(p, field.adjusted(-2, -2, 2, 2), 6);
            p.fillRect(QRectF(field.left() + 6, field.bottom() + 0.5, field.width() - 12, 1.5),
                       colour::accent);
            p.fillRect(QRectF(36, 244, 568, 1), colour::groupEdge);
            break;
        }
        case Page::Macro: {
            const QRectF list = L.find("FUNC_MACRO_LIST2")->visual;
            drawField(p, list.adjusted(-1, -1, 1, 1), 4);
            p.fillRect(QRectF(420, 178, 1, 204), colour::groupEdge);
            break;
        }
        default:
            break;
    }
    drawWatermark(p, L.page, page);
    p.setPen(QPen(colour::windowEdge, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(all.adjusted(0.5, 0.5, -0.5, -0.5), kRadius, kRadius);
    p.restore();
}

bool isMacroButton(const Item& item) {
    return item.key.startsWith(QLatin1String("FUNC_MACRO_"));
}

// One picture of a set. `macroButtons`: whether this set styles the macro
// page's buttons (the macro set) or the dialog's own buttons (every other set).
void drawSheet(QPainter& p, const CompositeLayout& L, Page page, bool macroSet, int state) {
    drawBackground(p, L, page);
    const Look look = sheetLook(state);
    for (const Item& item : L.items) {
        if (!item.cut() || item.role == Role::Picture)
            continue;
        if (isMacroButton(item)) {
            if (page != Page::Macro)
                continue;
            drawItem(p, item, macroSet ? look : Look::Normal);
        } else {
            drawItem(p, item, macroSet ? Look::Normal : look);
        }
    }
    drawTitleMark(p, L.find("CONTROL_TITLE")->artRect(), !macroSet && state == 3);
}

}  // namespace

void generateComposite(Canvas& canvas) {
    const CompositeLayout L = buildCompositeLayout();
    const struct {
        const char* prefix;
        Page page;
        bool macroSet;
        int states;  // the key, media and function sets have no disabled picture
    } sets[] = {{"key", Page::Key, false, 3},
                {"macro", Page::Macro, true, 4},
                {"macro2", Page::Macro, false, 4},
                {"media", Page::Media, false, 3},
                {"function", Page::Function, false, 3}};
    const char* suffixes[] = {"_normal.jpg", "_over.jpg", "_down.jpg", "_disable.jpg"};
    for (const auto& s : sets)
        for (int state = 0; state < s.states; ++state)
            canvas.picture(QString(s.prefix) + suffixes[state], L.size,
                           [&](QPainter& p) { drawSheet(p, L, s.page, s.macroSet, state); });
    writeMask(canvas, "Composite_mask.bmp", L.size.width(), L.size.height(), kRadius);

    Ini ini;
    ini.set("SCREEN", "Main", "key_normal.jpg");
    ini.set("SCREEN", "Mask", "Composite_mask.bmp");
    for (const Item& item : L.items) ini.rect("BUTTONINFO", item.key, item.iniRect());
    if (!ini.write(canvas.folder() + "/Composite.ini"))
        std::fprintf(stderr, "keytune-skin-gen: cannot write Composite.ini\n");
}

}  // namespace skin
