#include "DialogPosition.h"

namespace keysui {

QPoint DialogPositionBeside(const QRect& screen, const QRect& button, QSize dialog) {
    // Edges as window rectangles give them: right and bottom just outside.
    const int left = button.left() - screen.left();
    const int top = button.top() - screen.top();
    const int right = left + button.width();
    const int bottom = top + button.height();
    const int w = dialog.width();
    const int h = dialog.height();
    const int W = screen.width();
    const int H = screen.height();
    QPoint p(right, bottom);
    if (W - right >= w && H - bottom >= h)
        p = {right, bottom};
    else if (W - right >= w && top >= h)
        p = {right, top - h};
    else if (left >= w && H - bottom >= h)
        p = {left - w, bottom};
    else if (left >= w && top >= h)
        p = {left - w, top - h};
    return p + screen.topLeft();
}

QPoint DialogPositionCentred(const QRect& screen, QSize dialog) {
    return screen.topLeft() +
           QPoint((screen.width() - dialog.width()) / 2, (screen.height() - dialog.height()) / 2);
}

}  // namespace keysui
