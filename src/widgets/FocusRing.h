// FocusRing.h - the keyboard-focus mark shared by the skinned controls.
#pragma once

#include <QFocusEvent>
#include <QPainter>
#include <QRect>

#include "widgets/SkinStyle.h"

namespace widgets {

// Focus reached by the keyboard (a mouse click does not mark a control).
inline bool IsKeyboardFocus(const QFocusEvent* event) {
    const auto reason = event->reason();
    return reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
           reason == Qt::ShortcutFocusReason;
}

// A 2-pixel accent ring just inside the control's rectangle.
inline void DrawFocusRing(QPainter& painter, const QRect& area) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(skin::kAccent, 2));
    painter.setBrush(Qt::NoBrush);
    painter.setOpacity(1);
    painter.drawRoundedRect(QRectF(area).adjusted(1, 1, -1, -1), 4, 4);
    painter.restore();
}

}  // namespace widgets
