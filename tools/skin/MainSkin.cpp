// MainSkin.cpp - the main window's sheets, its arrow sheet, outlines and Main.ini.
#include <QLinearGradient>
#include <QPainterPath>
#include <cstdio>

#include "Canvas.h"
#include "Generators.h"
#include "Ini.h"
#include "Layout.h"

namespace skin {
namespace {

constexpr double kWindowRadius = 14;

void drawMainBackground(QPainter& p, const MainLayout& L) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF all(QPointF(0, 0), QSizeF(L.size));
    p.fillRect(all, colour::window);
    // Title bar with a hairline below it.
    p.fillRect(QRectF(0, 0, all.width(), 52), colour::titleBar);
    p.fillRect(QRectF(0, 52, all.width(), 1), colour::capOutline);

    // Keyboard body: soft shadow, face, top highlight.
    const QRectF b = L.body;
    for (int i = 6; i >= 1; --i) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 14));
        p.drawRoundedRect(b.adjusted(-i, -i + 3, i, i + 3), 12 + i, 12 + i);
    }
    QLinearGradient g(b.topLeft(), b.bottomLeft());
    g.setColorAt(0, mix(colour::body, Qt::white, 0.03));
    g.setColorAt(1, mix(colour::body, Qt::black, 0.08));
    p.setBrush(g);
    p.setPen(QPen(colour::capOutline, 1));
    p.drawRoundedRect(b, 12, 12);
    p.setPen(QPen(colour::bodyHighlight, 1));
    p.drawLine(QPointF(b.left() + 12, b.top() + 1.5), QPointF(b.right() - 12, b.top() + 1.5));
    // A faint accent line under the bezel, the keyboard's light strip.
    QLinearGradient strip(b.left(), 0, b.right(), 0);
    strip.setColorAt(0, QColor(0, 180, 255, 0));
    strip.setColorAt(0.5, QColor(0, 180, 255, 110));
    strip.setColorAt(1, QColor(0, 180, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(strip);
    p.drawRect(QRectF(b.left() + 40, b.bottom() - 3, b.width() - 80, 1.2));

    // Fold row: a hairline above it and the fold seam under it.
    const QRectF f = L.foldRow;
    p.fillRect(QRectF(f.left() + 20, f.bottom() + 1, f.width() - 40, 1), colour::groupEdge);

    // Lower strip: the lighting panel and its groups.
    p.setPen(QPen(colour::capOutline, 1));
    p.setBrush(colour::panel);
    p.drawRoundedRect(L.panel, 10, 10);
    for (const QRectF& g : L.panelGroups) drawGroup(p, g);

    // Window edge, following the outline's rounded corners.
    p.setPen(QPen(colour::windowEdge, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(all.adjusted(0.5, 0.5, -0.5, -0.5), kWindowRadius, kWindowRadius);
    p.restore();
}

void drawMainSheet(QPainter& p, const MainLayout& L, Sheet sheet) {
    drawMainBackground(p, L);
    for (const Item& item : L.items)
        if (item.cut())
            drawItem(p, item, lookFor(item.role, sheet));
}

void drawArrowSheet(QPainter& p, const MainLayout& L) {
    p.fillRect(QRectF(QPointF(0, 0), QSizeF(L.arrowSheet)), colour::window);
    p.setRenderHint(QPainter::Antialiasing);
    for (const auto& a : L.arrows) {
        const QRectF cell(a.at.x() - 1, a.at.y() - 1, L.arrowSize.width(), L.arrowSize.height());
        const QPointF m = cell.center();
        if (a.lit) {
            p.setPen(Qt::NoPen);
            p.setBrush(mix(colour::accent, colour::window, 0.82));
            p.drawEllipse(m, 12, 12);
        }
        p.setPen(QPen(a.lit ? colour::accent : colour::legendDim, 2, Qt::SolidLine, Qt::RoundCap,
                      Qt::RoundJoin));
        const double d = a.pointsDown ? 1 : -1;
        p.drawLine(m + QPointF(-6, -3 * d), m + QPointF(0, 3 * d));
        p.drawLine(m + QPointF(0, 3 * d), m + QPointF(6, -3 * d));
    }
}

}  // namespace

void writeMask(Canvas& canvas, const QString& name, int width, int height, double radius) {
    canvas.picture(name, QSize(width, height), [=](QPainter& p) {
        // No antialiasing: every pixel is either exactly white or black.
        p.fillRect(QRectF(0, 0, width, height), Qt::white);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::black);
        p.drawRoundedRect(QRectF(0, 0, width, height), radius, radius);
    });
}

void generateMain(Canvas& canvas, const MainLayout& L) {
    const struct {
        const char* name;
        Sheet sheet;
    } sheets[] = {{"main_normal.jpg", Sheet::Normal}, {"main_over.jpg", Sheet::Over},
                  {"main_down.jpg", Sheet::Down},     {"main_disable.jpg", Sheet::Disable},
                  {"main_color0.jpg", Sheet::Color0}, {"main_color1.jpg", Sheet::Color1}};
    for (const auto& s : sheets)
        canvas.picture(s.name, L.size, [&](QPainter& p) { drawMainSheet(p, L, s.sheet); });
    canvas.picture("Arrow.jpg", L.arrowSheet, [&](QPainter& p) { drawArrowSheet(p, L); });
    writeMask(canvas, "main_mask.bmp", L.size.width(), L.size.height(), kWindowRadius);
    writeMask(canvas, "main_mask_flip.bmp", L.size.width(), L.foldHeight, kWindowRadius);

    Ini ini;
    ini.set("SCREEN", "Main", "main_normal.jpg");
    ini.set("SCREEN", "Mask", "main_mask.bmp");
    ini.set("SCREEN", "MaskFlip", "main_mask_flip.bmp");
    ini.set("SCREEN", "Link", "https://www.velkor.com/");
    for (const Item& item : L.items) ini.rect("BUTTONINFO", item.key, item.iniRect());
    for (const auto& a : L.arrows) ini.rect("BUTTONINFO2", a.key, QRect(a.at, L.arrowSize));
    if (!ini.write(canvas.folder() + "/Main.ini"))
        std::fprintf(stderr, "keytune-skin-gen: cannot write Main.ini\n");
}

}  // namespace skin
