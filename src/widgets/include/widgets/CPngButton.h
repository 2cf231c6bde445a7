// CPngButton.h - a skinned button that shows its own rectangle of the
// window's state sheets.
#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QFont>
#include <QPoint>

#include <array>
#include <optional>

#include "widgets/SkinSheets.h"

namespace widgets {

// Which picture a skinned button shows.
enum class ButtonPicture {
    Normal = 1,    // slot 1
    Hover = 2,     // slot 2
    Pressed = 3,   // slot 3
    Disabled = 4,  // slot 4
    Checked = 5,   // slot 5
    Unselected,    // selection marking on, not selected
    Selected,      // selection marking on, selected
};

struct ButtonState {
    bool enabled = true;
    bool selectionMarking = false;
    bool selected = false;
    bool pressed = false;
    bool hover = false;
    bool checked = false;
};

// The picture for a state; the first rule that matches wins: disabled,
// selection marking, pressed, hover, checked, normal.
ButtonPicture ChooseButtonPicture(const ButtonState& state);

class CPngButton : public QAbstractButton {
    Q_OBJECT

  public:
    explicit CPngButton(QWidget* parent = nullptr);

    // The five state sheets (slots 1..5: normal, hover, pressed, disabled,
    // checked) and the source offset (x, y): each picture is the rectangle of
    // the button's size at (x - 1, y - 1) of its sheet. A null slot shows
    // nothing. The sheets must outlive the button.
    void setSheets(const std::array<const SkinSheet*, 5>& sheets, QPoint sourceOffset);
    QPoint sourceOffset() const { return sourceOffset_; }
    // The sheets shown while selection marking is on, at the same offset.
    void setSelectionSheets(const SkinSheet* unselected, const SkinSheet* selected);
    void setSelectionMarking(bool on, bool selected);
    bool selectionMarking() const { return selectionMarking_; }
    bool isSelected() const { return selected_; }

    // Text drawn centred over the picture; empty draws none.
    void setCaption(const QString& caption);
    QString caption() const { return caption_; }
    void setCaptionFont(const QFont& font);
    void setCaptionColor(const QColor& color);

    // A colour blended over the picture at 50 % opacity. Repaints only when
    // the tint changes.
    void setTint(const QColor& color);
    void clearTint();
    std::optional<QColor> tint() const { return tint_; }
    // The tint covers a rounded rectangle of the button, so a key cap's
    // corners keep the keyboard behind them (default 5, the caps' radius;
    // 0 tints the whole rectangle).
    void setTintCornerRadius(qreal radius);

    ButtonState state() const;
    ButtonPicture currentPicture() const { return ChooseButtonPicture(state()); }
    // The sheet behind a picture choice (null when none was given).
    const SkinSheet* sheetFor(ButtonPicture picture) const;
    // The rectangle the button cuts from its sheets, in logical pixels.
    QRect sourceRect() const;

    QSize sizeHint() const override;

  protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void updateSpokenText();

    std::array<const SkinSheet*, 5> slots_{};
    const SkinSheet* unselectedSheet_ = nullptr;
    const SkinSheet* selectedSheet_ = nullptr;
    QPoint sourceOffset_{1, 1};
    bool selectionMarking_ = false;
    bool selected_ = false;
    bool hover_ = false;
    bool keyboardFocus_ = false;
    QString caption_;
    QFont captionFont_;
    QColor captionColor_;
    std::optional<QColor> tint_;
    qreal tintRadius_ = 5;
};

}  // namespace widgets
