// BitmapSlider.h - a horizontal slider drawn as one picture per position
// (the picture carries the knob).
#pragma once

#include <QPixmap>
#include <QVector>
#include <QWidget>

namespace widgets {

class BitmapSlider : public QWidget {
    Q_OBJECT

  public:
    static constexpr int kPageStep = 10;

    explicit BitmapSlider(QWidget* parent = nullptr);

    // Picture i is shown at position minimum + i; a position without a
    // picture shows nothing.
    void setPictures(const QVector<QPixmap>& pictures);
    // Default 0..5. The position is clamped into the new range (no signal).
    void setRange(int minimum, int maximum);
    int minimum() const { return minimum_; }
    int maximum() const { return maximum_; }
    // Sets the position without a signal.
    void setPosition(int position);
    int position() const { return position_; }

    QSize sizeHint() const override;

  signals:
    // Every change of position the user makes; nothing when a gesture leaves
    // the position as it was.
    void positionChanged(int position);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    int positionAt(int x) const;
    void userMove(int position);

    QVector<QPixmap> pictures_;
    int minimum_ = 0;
    int maximum_ = 5;
    int position_ = 0;
    bool dragging_ = false;
    bool keyboardFocus_ = false;
    int wheelRemainder_ = 0;
};

}  // namespace widgets
