// Layout.h - the controls of a skinned window: where each one sits and how it
// is drawn in each of the window's pictures. The ini files are written from
// the same items, so pictures and placements always agree.
#pragma once

#include <QRect>
#include <QRectF>
#include <QSize>
#include <QString>
#include <vector>

#include "Style.h"

namespace skin {

// The pictures a window's buttons are cut from.
enum class Sheet { Normal, Over, Down, Disable, Color0, Color1 };

// What a control is; together with the sheet it decides the look.
enum class Role {
    Key,      // key caps, G keys, Fn: the disabled sheet holds the assigned look
    Toggle,   // profile, report-rate, flip, switch, default: disabled sheet = checked
    Push,     // command buttons: normal, hover, pressed
    Apply,    // disabled sheet = the disabled look
    Lock,     // lock indicators: hover sheet = lit
    Flip0,    // layout indicator: disabled sheet = compact
    Link,     // web button: hover, and the disabled sheet holds its pressed look
    Version,  // version read-out: the same in every sheet
    Picture,  // a picture cut from the sheets (dialog title, page picture)
    Plain,    // labels, lists, fields: placed only, drawn by the window
};

struct Item {
    QString key;
    QRectF visual;  // what the user sees, in window pixels
    Role role = Role::Plain;
    QString legend;     // key caps
    QString secondary;  // small corner legend
    Glyph glyph = Glyph::None;
    bool primary = false;  // accent-filled command button
    bool round = false;    // round icon button

    bool cut() const { return role != Role::Plain; }
    // The ini rectangle. A cut control takes its picture one pixel up and to
    // the left of its position, so its art is drawn there, with a pixel of
    // background around it so that the sheet and the button meet seamlessly.
    QRect iniRect() const {
        const QRectF r = cut() ? visual.adjusted(-1, -1, 1, 1) : visual;
        return r.toAlignedRect();
    }
    QRectF artRect() const { return cut() ? visual.translated(-1, -1) : visual; }
};

Look lookFor(Role role, Sheet sheet);

// Draws one cut control at its art position in the given look.
void drawItem(QPainter& p, const Item& item, Look look);

struct WindowLayout {
    QSize size;
    std::vector<Item> items;
    const Item* find(const QString& key) const;
    Item& add(Item item);
};

// Main window. `foldHeight` is the height of the compact window.
struct MainLayout : WindowLayout {
    int foldHeight = 0;
    QRectF body, foldRow, panel;
    std::vector<QRectF> panelGroups;
    struct ArrowPicture {
        QString key;  // BUTTONINFO2 key, e.g. "UP_ARROW_LEFT1"
        QPoint at;    // ini offset; the picture is cut at at - (1, 1)
        bool pointsDown;
        bool lit;
    };
    std::vector<ArrowPicture> arrows;
    QSize arrowSheet;
    QSize arrowSize;
};
MainLayout buildMainLayout();

}  // namespace skin
