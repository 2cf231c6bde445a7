#include "widgets/ColourButton.h"

#include <QColorDialog>
#include <QGridLayout>
#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "FocusRing.h"
#include "widgets/SkinStyle.h"

namespace widgets {

const QVector<QColor>& PaletteColours() {
    // Row 0: greys from black to white; rows 1..4: ten hues from deep to light.
    static const QVector<QColor> colours = [] {
        QVector<QColor> c;
        for (int i = 0; i < kPaletteColumns; ++i) {
            const int v = qRound(255.0 * i / (kPaletteColumns - 1));
            c.push_back(QColor(v, v, v));
        }
        static const int hues[kPaletteColumns] = {0, 30, 55, 90, 135, 175, 200, 230, 275, 320};
        static const struct {
            int saturation;
            int value;
        } shades[] = {{255, 150}, {255, 255}, {170, 255}, {90, 255}};
        for (const auto& shade : shades) {
            for (int hue : hues) {
                c.push_back(QColor::fromHsv(hue, shade.saturation, shade.value));
            }
        }
        return c;
    }();
    return colours;
}

namespace {

// One square of the palette.
class Swatch : public QAbstractButton {
  public:
    Swatch(const QColor& colour, bool current, QWidget* parent)
        : QAbstractButton(parent), colour_(colour), current_(current) {
        setFixedSize(22, 22);
        setFocusPolicy(Qt::StrongFocus);
        setToolTip(colour.name().toUpper());
        setAccessibleName(colour.name().toUpper());
    }
    QColor colour() const { return colour_; }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const QRectF box = QRectF(rect()).adjusted(3, 3, -3, -3);
        painter.setPen(QPen(QColor(255, 255, 255, 70), 1));
        painter.setBrush(colour_);
        painter.drawRoundedRect(box, 3, 3);
        if (current_ || underMouse() || hasFocus()) {
            painter.setBrush(Qt::NoBrush);
            painter.setPen(QPen(hasFocus() || underMouse() ? skin::kAccent : QColor(Qt::white), 2));
            painter.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 4, 4);
        }
    }
    void enterEvent(QEnterEvent*) override { update(); }
    void leaveEvent(QEvent*) override { update(); }

  private:
    QColor colour_;
    bool current_;
};

}  // namespace

ColourPalettePopup::ColourPalettePopup(const QColor& current, const QString& otherText,
                                       QWidget* parent)
    : QFrame(parent, Qt::Popup) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("ColourPalettePopup"));
    setFrameShape(QFrame::StyledPanel);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(6, 6, 6, 6);
    column->setSpacing(6);
    auto* grid = new QGridLayout;
    grid->setSpacing(1);
    const QVector<QColor>& colours = PaletteColours();
    for (int i = 0; i < colours.size(); ++i) {
        auto* swatch = new Swatch(colours[i], colours[i].rgb() == current.rgb(), this);
        connect(swatch, &QAbstractButton::clicked, this,
                [this, colour = colours[i]] { emit colourPicked(colour); });
        grid->addWidget(swatch, i / kPaletteColumns, i % kPaletteColumns);
        swatches_.push_back(swatch);
    }
    column->addLayout(grid);
    other_ = new QPushButton(otherText, this);
    connect(other_, &QPushButton::clicked, this, &ColourPalettePopup::otherRequested);
    column->addWidget(other_);
}

void ColourPalettePopup::keyPressEvent(QKeyEvent* event) {
    // Arrow keys walk the grid; the entry below the grid follows its last row.
    QWidget* focused = focusWidget();
    int index = swatches_.indexOf(static_cast<QAbstractButton*>(focused));
    const int count = swatches_.size();
    if (focused == other_) {
        index = count;
    }
    int next = -1;
    switch (event->key()) {
        case Qt::Key_Left:
            next = index > 0 && index < count ? index - 1 : index;
            break;
        case Qt::Key_Right:
            next = index >= 0 && index + 1 < count ? index + 1 : index;
            break;
        case Qt::Key_Up:
            next = index == count ? count - kPaletteColumns : index - kPaletteColumns;
            break;
        case Qt::Key_Down:
            next = index < 0 ? 0 : index + kPaletteColumns;
            if (next >= count) {
                next = count;
            }
            break;
        default:
            QFrame::keyPressEvent(event);
            return;
    }
    if (next >= 0 && next < count) {
        swatches_[next]->setFocus(Qt::TabFocusReason);
    } else if (next == count) {
        other_->setFocus(Qt::TabFocusReason);
    }
    event->accept();
}

ColourButton::ColourButton(QWidget* parent)
    : QAbstractButton(parent), otherText_(QStringLiteral("Other...")) {
    setFocusPolicy(Qt::StrongFocus);
    connect(this, &QAbstractButton::clicked, this, &ColourButton::showPalette);
}

void ColourButton::setColour(const QColor& colour) {
    if (colour == colour_) {
        return;
    }
    colour_ = colour;
    update();
}

void ColourButton::setOtherText(const QString& text) {
    otherText_ = text;
}

void ColourButton::setColourDialog(ColourDialog dialog) {
    dialog_ = std::move(dialog);
}

void ColourButton::showPalette() {
    if (popup_) {
        return;
    }
    popup_ = new ColourPalettePopup(colour_, otherText_, this);
    connect(popup_, &ColourPalettePopup::colourPicked, this, [this](const QColor& colour) {
        popup_->close();
        choose(colour);
    });
    connect(popup_, &ColourPalettePopup::otherRequested, this, [this] {
        popup_->close();
        openDialog();
    });
    connect(popup_, &QObject::destroyed, this, [this] { popup_ = nullptr; });
    popup_->adjustSize();
    // Below the button, kept on its screen.
    QPoint place = mapToGlobal(QPoint(0, height()));
    if (const QScreen* where = screen()) {
        const QRect area = where->availableGeometry();
        place.setX(std::clamp(place.x(), area.left(),
                              std::max(area.left(), area.right() - popup_->width())));
        if (place.y() + popup_->height() > area.bottom()) {
            place.setY(mapToGlobal(QPoint(0, 0)).y() - popup_->height());
        }
    }
    popup_->move(place);
    popup_->show();
    // The current colour's swatch (or the first) takes the focus, so the
    // palette works from the keyboard at once.
    QAbstractButton* start = popup_->swatches().value(0);
    for (QAbstractButton* swatch : popup_->swatches()) {
        if (static_cast<Swatch*>(swatch)->colour().rgb() == colour_.rgb()) {
            start = swatch;
        }
    }
    if (start) {
        start->setFocus(Qt::TabFocusReason);
    }
}

void ColourButton::openDialog() {
    const QColor picked = dialog_ ? dialog_(colour_, this) : QColorDialog::getColor(colour_, this);
    if (picked.isValid()) {
        choose(picked);
    }
}

void ColourButton::choose(const QColor& colour) {
    setColour(colour);
    emit colourChosen(colour);
}

QSize ColourButton::sizeHint() const {
    return QSize(48, 22);
}

void ColourButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF area = QRectF(rect()).adjusted(2.5, 2.5, -2.5, -2.5);
    const bool hot = underMouse() || isDown() || popup_;
    painter.setPen(QPen(hot ? skin::kAccent : QColor(255, 255, 255, 90), 1));
    painter.setBrush(isEnabled() ? colour_ : colour_.darker(250));
    painter.drawRoundedRect(area, 4, 4);
    if (hasFocus() && !popup_) {
        DrawFocusRing(painter, rect());
    }
}

}  // namespace widgets
