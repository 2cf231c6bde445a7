// PictureSwitch.h - a control of two pictures: off/on when checkable,
// raised/pressed when not.
#pragma once

#include <QAbstractButton>
#include <QPixmap>

namespace widgets {

class PictureSwitch : public QAbstractButton {
    Q_OBJECT

  public:
    explicit PictureSwitch(QWidget* parent = nullptr);

    // off: the plain or raised look; on: the checked, selected or pressed look.
    void setPictures(const QPixmap& off, const QPixmap& on);
    // Whether the "on" picture is what a paint would show now.
    bool showsOnPicture() const;

    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    QPixmap off_;
    QPixmap on_;
    bool keyboardFocus_ = false;
};

}  // namespace widgets
