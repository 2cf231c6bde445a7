#include "widgets/PictureSwitch.h"

#include <QPainter>

#include "FocusRing.h"

namespace widgets {

PictureSwitch::PictureSwitch(QWidget* parent) : QAbstractButton(parent) {
    setFocusPolicy(Qt::StrongFocus);
}

void PictureSwitch::setPictures(const QPixmap& off, const QPixmap& on) {
    off_ = off;
    on_ = on;
    updateGeometry();
    update();
}

bool PictureSwitch::showsOnPicture() const {
    return isCheckable() ? isChecked() : isDown();
}

QSize PictureSwitch::sizeHint() const {
    if (!off_.isNull()) {
        return off_.deviceIndependentSize().toSize();
    }
    return QSize(24, 24);
}

void PictureSwitch::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QPixmap& picture = showsOnPicture() ? on_ : off_;
    if (!picture.isNull()) {
        // Pictures are drawn at their own size from the top-left corner, as
        // a static picture control shows a bitmap.
        painter.drawPixmap(0, 0, picture);
    }
    if (!isEnabled()) {
        painter.fillRect(rect(), QColor(0x12, 0x14, 0x18, 140));
    }
    if (keyboardFocus_ && hasFocus()) {
        DrawFocusRing(painter, rect());
    }
}

void PictureSwitch::focusInEvent(QFocusEvent* event) {
    keyboardFocus_ = IsKeyboardFocus(event);
    QAbstractButton::focusInEvent(event);
}

void PictureSwitch::focusOutEvent(QFocusEvent* event) {
    keyboardFocus_ = false;
    QAbstractButton::focusOutEvent(event);
}

}  // namespace widgets
