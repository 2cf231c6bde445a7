// DialogPosition.h - where the key assignment dialog opens: beside the
// clicked button, on the first side where it fits on the screen, or centred.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace keysui {

// screen: the screen's rectangle; button: the clicked button's screen
// rectangle. Tries below-right, above-right, below-left, above-left, and
// falls back to below-right.
QPoint DialogPositionBeside(const QRect& screen, const QRect& button, QSize dialog);
QPoint DialogPositionCentred(const QRect& screen, QSize dialog);

}  // namespace keysui
