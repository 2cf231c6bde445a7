#include "widgets/BitmapSlider.h"

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <mutex>

#include "FocusRing.h"

namespace widgets {

namespace {

// What a screen reader sees: a slider with its value and range.
class BitmapSliderAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
  public:
    explicit BitmapSliderAccessible(BitmapSlider* slider)
        : QAccessibleWidget(slider, QAccessible::Slider) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ValueInterface) {
            return static_cast<QAccessibleValueInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(type);
    }

    QVariant currentValue() const override { return slider()->position(); }
    void setCurrentValue(const QVariant& value) override { slider()->setPosition(value.toInt()); }
    QVariant maximumValue() const override { return slider()->maximum(); }
    QVariant minimumValue() const override { return slider()->minimum(); }
    QVariant minimumStepSize() const override { return 1; }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value) {
            return QString::number(slider()->position());
        }
        return QAccessibleWidget::text(t);
    }

  private:
    BitmapSlider* slider() const { return static_cast<BitmapSlider*>(widget()); }
};

QAccessibleInterface* SliderAccessibleFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("widgets::BitmapSlider") && object && object->isWidgetType()) {
        return new BitmapSliderAccessible(static_cast<BitmapSlider*>(object));
    }
    return nullptr;
}

}  // namespace

BitmapSlider::BitmapSlider(QWidget* parent) : QWidget(parent) {
    static std::once_flag installed;
    std::call_once(installed, [] { QAccessible::installFactory(SliderAccessibleFactory); });
    setFocusPolicy(Qt::StrongFocus);
}

void BitmapSlider::setPictures(const QVector<QPixmap>& pictures) {
    pictures_ = pictures;
    updateGeometry();
    update();
}

void BitmapSlider::setRange(int minimum, int maximum) {
    minimum_ = minimum;
    maximum_ = std::max(minimum, maximum);
    setPosition(position_);
}

void BitmapSlider::setPosition(int position) {
    const int clamped = std::clamp(position, minimum_, maximum_);
    if (clamped == position_) {
        return;
    }
    position_ = clamped;
    update();
    QAccessibleValueChangeEvent change(this, position_);
    QAccessible::updateAccessibility(&change);
}

void BitmapSlider::userMove(int position) {
    const int before = position_;
    setPosition(position);
    if (position_ != before) {
        emit positionChanged(position_);
    }
}

QSize BitmapSlider::sizeHint() const {
    for (const QPixmap& picture : pictures_) {
        if (!picture.isNull()) {
            return picture.deviceIndependentSize().toSize();
        }
    }
    return QSize(120, 20);
}

int BitmapSlider::positionAt(int x) const {
    const int steps = maximum_ - minimum_;
    if (steps <= 0 || width() <= 1) {
        return minimum_;
    }
    // Each position owns an equal share of the width, centred on its step.
    const double fraction = std::clamp(x / double(width() - 1), 0.0, 1.0);
    return minimum_ + static_cast<int>(fraction * steps + 0.5);
}

void BitmapSlider::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int index = position_ - minimum_;
    if (index >= 0 && index < pictures_.size() && !pictures_[index].isNull()) {
        painter.drawPixmap(0, 0, pictures_[index]);
    }
    if (keyboardFocus_ && hasFocus()) {
        DrawFocusRing(painter, rect());
    }
}

void BitmapSlider::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    dragging_ = true;
    userMove(positionAt(qRound(event->position().x())));
    event->accept();
}

void BitmapSlider::mouseMoveEvent(QMouseEvent* event) {
    if (dragging_ && (event->buttons() & Qt::LeftButton)) {
        userMove(positionAt(qRound(event->position().x())));
        event->accept();
        return;
    }
    QWidget::mouseMoveEvent(event);
}

void BitmapSlider::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        dragging_ = false;
    }
    QWidget::mouseReleaseEvent(event);
}

void BitmapSlider::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Left:
        case Qt::Key_Down:
            userMove(position_ - 1);
            break;
        case Qt::Key_Right:
        case Qt::Key_Up:
            userMove(position_ + 1);
            break;
        case Qt::Key_PageDown:
            userMove(position_ - kPageStep);
            break;
        case Qt::Key_PageUp:
            userMove(position_ + kPageStep);
            break;
        case Qt::Key_Home:
            userMove(minimum_);
            break;
        case Qt::Key_End:
            userMove(maximum_);
            break;
        default:
            QWidget::keyPressEvent(event);
            return;
    }
    event->accept();
}

void BitmapSlider::wheelEvent(QWheelEvent* event) {
    // 120 units make one notch; touchpads send smaller pieces that add up.
    int delta = event->angleDelta().y();
    if (delta == 0) {
        delta = event->angleDelta().x();
    }
    if (event->inverted()) {
        delta = -delta;
    }
    wheelRemainder_ += delta;
    const int notches = wheelRemainder_ / 120;
    wheelRemainder_ -= notches * 120;
    if (notches != 0) {
        userMove(position_ + notches);
    }
    event->accept();
}

void BitmapSlider::focusInEvent(QFocusEvent* event) {
    keyboardFocus_ = IsKeyboardFocus(event);
    update();
    QWidget::focusInEvent(event);
}

void BitmapSlider::focusOutEvent(QFocusEvent* event) {
    keyboardFocus_ = false;
    update();
    QWidget::focusOutEvent(event);
}

}  // namespace widgets
