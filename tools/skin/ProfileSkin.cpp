// ProfileSkin.cpp - the profile manager: three sheets and Profile.ini.
#include <cstdio>

#include "Canvas.h"
#include "DialogLayouts.h"
#include "Generators.h"
#include "Ini.h"

namespace skin {
namespace {

constexpr double kRadius = 12;

void drawProfileMark(QPainter& p, const QRectF& r) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(colour::accent, 1.6));
    p.setBrush(mix(colour::capFace, colour::titleBar, 0.2));
    p.drawRoundedRect(r.adjusted(2, 2, -2, -2), 6, 6);
    // Three stacked profile slots.
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 3; ++i) {
        p.setBrush(i == 0 ? colour::accent : colour::legendDim);
        p.drawRoundedRect(QRectF(r.left() + 8, r.top() + 8 + i * 5, r.width() - 16, 3), 1.5, 1.5);
    }
    p.restore();
}

void drawSheet(QPainter& p, const ProfileLayout& L, Look look) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF all(QPointF(0, 0), QSizeF(L.size));
    p.fillRect(all, colour::window);
    p.fillRect(L.titleBar, colour::titleBar);
    p.fillRect(QRectF(0, L.titleBar.bottom(), all.width(), 1), colour::capOutline);
    drawProfileMark(p, QRectF(16, 10, 28, 28));
    drawField(p, L.list.adjusted(-1, -1, 1, 1), 6);
    p.fillRect(QRectF(20, 302, 520, 1), colour::groupEdge);
    p.setPen(QPen(colour::windowEdge, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(all.adjusted(0.5, 0.5, -0.5, -0.5), kRadius, kRadius);
    p.restore();
    for (const Item& item : L.items)
        if (item.cut())
            drawItem(p, item, look);
}

}  // namespace

void generateProfile(Canvas& canvas) {
    const ProfileLayout L = buildProfileLayout();
    canvas.picture("Profile_normal.jpg", L.size,
                   [&](QPainter& p) { drawSheet(p, L, Look::Normal); });
    canvas.picture("Profile_over.jpg", L.size, [&](QPainter& p) { drawSheet(p, L, Look::Hover); });
    canvas.picture("Profile_down.jpg", L.size,
                   [&](QPainter& p) { drawSheet(p, L, Look::Pressed); });
    writeMask(canvas, "Profile_mask.bmp", L.size.width(), L.size.height(), kRadius);

    Ini ini;
    ini.set("SCREEN", "Main", "Profile_normal.jpg");
    ini.set("SCREEN", "Mask", "Profile_mask.bmp");
    for (const Item& item : L.items) ini.rect("BUTTONINFO", item.key, item.iniRect());
    if (!ini.write(canvas.folder() + "/Profile.ini"))
        std::fprintf(stderr, "keytune-skin-gen: cannot write Profile.ini\n");
}

}  // namespace skin
