#include "widgets/CPngButton.h"

#include <QEnterEvent>
#include <QFocusEvent>
#include <QPainter>

#include <algorithm>

#include "FocusRing.h"
#include "widgets/SkinStyle.h"

namespace widgets {

ButtonPicture ChooseButtonPicture(const ButtonState& state) {
    if (!state.enabled) {
        return ButtonPicture::Disabled;
    }
    if (state.selectionMarking) {
        return state.selected ? ButtonPicture::Selected : ButtonPicture::Unselected;
    }
    if (state.pressed) {
        return ButtonPicture::Pressed;
    }
    if (state.hover) {
        return ButtonPicture::Hover;
    }
    if (state.checked) {
        return ButtonPicture::Checked;
    }
    return ButtonPicture::Normal;
}

CPngButton::CPngButton(QWidget* parent) : QAbstractButton(parent), captionColor_(skin::kLegend) {
    setAttribute(Qt::WA_Hover);
    setFocusPolicy(Qt::StrongFocus);
    // The picture covers the whole button, so Qt need not clear it first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CPngButton::setSheets(const std::array<const SkinSheet*, 5>& sheets, QPoint sourceOffset) {
    slots_ = sheets;
    sourceOffset_ = sourceOffset;
    update();
}

void CPngButton::setSelectionSheets(const SkinSheet* unselected, const SkinSheet* selected) {
    unselectedSheet_ = unselected;
    selectedSheet_ = selected;
    if (selectionMarking_) {
        update();
    }
}

void CPngButton::setSelectionMarking(bool on, bool selected) {
    if (on == selectionMarking_ && selected == selected_) {
        return;
    }
    selectionMarking_ = on;
    selected_ = selected;
    update();
}

void CPngButton::setCaption(const QString& caption) {
    if (caption == caption_) {
        return;
    }
    caption_ = caption;
    updateSpokenText();
    update();
}

void CPngButton::updateSpokenText() {
    // Screen readers read a button's text when it has no accessible name:
    // the caption, or else the tooltip. Ampersands are doubled so that no
    // text turns into a keyboard mnemonic.
    QString spoken = caption_.isEmpty() ? toolTip() : caption_;
    spoken.replace(QLatin1Char('&'), QLatin1String("&&"));
    if (spoken != text()) {
        setText(spoken);
    }
}

bool CPngButton::event(QEvent* event) {
    if (event->type() == QEvent::ToolTipChange) {
        updateSpokenText();
    }
    return QAbstractButton::event(event);
}

void CPngButton::setCaptionFont(const QFont& font) {
    captionFont_ = font;
    update();
}

void CPngButton::setCaptionColor(const QColor& color) {
    captionColor_ = color;
    update();
}

void CPngButton::setTint(const QColor& color) {
    if (tint_ && *tint_ == color) {
        return;
    }
    tint_ = color;
    update();
}

void CPngButton::setTintCornerRadius(qreal radius) {
    tintRadius_ = std::max<qreal>(0, radius);
    if (tint_) {
        update();
    }
}

void CPngButton::clearTint() {
    if (!tint_) {
        return;
    }
    tint_.reset();
    update();
}

ButtonState CPngButton::state() const {
    ButtonState s;
    s.enabled = isEnabled();
    s.selectionMarking = selectionMarking_;
    s.selected = selected_;
    s.pressed = isDown();
    s.hover = hover_;
    s.checked = isCheckable() && isChecked();
    return s;
}

const SkinSheet* CPngButton::sheetFor(ButtonPicture picture) const {
    switch (picture) {
        case ButtonPicture::Unselected:
            return unselectedSheet_;
        case ButtonPicture::Selected:
            return selectedSheet_;
        default:
            return slots_[static_cast<int>(picture) - 1];
    }
}

QRect CPngButton::sourceRect() const {
    return QRect(sourceOffset_ - QPoint(1, 1), size());
}

QSize CPngButton::sizeHint() const {
    return size().isValid() && !size().isEmpty() ? size() : QSize(40, 20);
}

void CPngButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect area = rect();
    const SkinSheet* sheet = sheetFor(currentPicture());
    const bool hasPicture = sheet && !sheet->isNull();
    if (!hasPicture || !QRect(QPoint(0, 0), sheet->logicalSize()).contains(sourceRect())) {
        painter.fillRect(area, skin::kWindow);
    }
    if (hasPicture) {
        // Drawing straight from the sheet's device pixels keeps a 2x sheet
        // crisp and needs no per-button copy of the picture.
        painter.drawPixmap(QRectF(area), sheet->pixmap(), QRectF(sheet->deviceRect(sourceRect())));
    }
    if (tint_) {
        painter.setOpacity(0.5);
        if (tintRadius_ > 0) {
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setPen(Qt::NoPen);
            painter.setBrush(*tint_);
            painter.drawRoundedRect(QRectF(area), tintRadius_, tintRadius_);
            painter.setRenderHint(QPainter::Antialiasing, false);
        } else {
            painter.fillRect(area, *tint_);
        }
        painter.setOpacity(1);
    }
    if (!caption_.isEmpty()) {
        painter.setFont(captionFont_);
        painter.setPen(isEnabled() ? captionColor_ : skin::kHint);
        painter.drawText(area, Qt::AlignCenter | Qt::TextWordWrap, caption_);
    }
    if (keyboardFocus_ && hasFocus()) {
        DrawFocusRing(painter, area);
    }
}

void CPngButton::enterEvent(QEnterEvent* event) {
    hover_ = true;
    update();
    QAbstractButton::enterEvent(event);
}

void CPngButton::leaveEvent(QEvent* event) {
    hover_ = false;
    update();
    QAbstractButton::leaveEvent(event);
}

void CPngButton::focusInEvent(QFocusEvent* event) {
    // The focus ring marks keyboard focus only; a mouse click on a key must
    // not leave a ring on it.
    keyboardFocus_ = IsKeyboardFocus(event);
    QAbstractButton::focusInEvent(event);
}

void CPngButton::focusOutEvent(QFocusEvent* event) {
    keyboardFocus_ = false;
    QAbstractButton::focusOutEvent(event);
}

void CPngButton::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange && !isEnabled()) {
        hover_ = false;
    }
    QAbstractButton::changeEvent(event);
}

}  // namespace widgets
