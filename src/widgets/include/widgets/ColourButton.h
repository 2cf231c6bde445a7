// ColourButton.h - a button that shows a colour and lets the user pick
// another from a palette pop-up or the standard colour dialog.
#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QFrame>
#include <QVector>

#include <functional>

class QPushButton;

namespace widgets {

// The palette the pop-up offers, row by row, kPaletteColumns per row.
inline constexpr int kPaletteColumns = 10;
const QVector<QColor>& PaletteColours();

// The pop-up: a grid of swatches and the "other" entry below them.
class ColourPalettePopup : public QFrame {
    Q_OBJECT

  public:
    ColourPalettePopup(const QColor& current, const QString& otherText, QWidget* parent = nullptr);

    int columnCount() const { return kPaletteColumns; }
    const QVector<QAbstractButton*>& swatches() const { return swatches_; }
    QPushButton* otherButton() const { return other_; }

  signals:
    void colourPicked(const QColor& colour);
    void otherRequested();

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    QVector<QAbstractButton*> swatches_;
    QPushButton* other_ = nullptr;
};

class ColourButton : public QAbstractButton {
    Q_OBJECT

  public:
    // Asks for a colour, starting from the current one; an invalid colour
    // means the user cancelled.
    using ColourDialog = std::function<QColor(const QColor& current, QWidget* parent)>;

    explicit ColourButton(QWidget* parent = nullptr);

    void setColour(const QColor& colour);
    QColor colour() const { return colour_; }
    // The label of the entry that opens the colour dialog (default "Other...").
    void setOtherText(const QString& text);
    QString otherText() const { return otherText_; }
    // Replaces QColorDialog (tests use this to answer without a dialog).
    void setColourDialog(ColourDialog dialog);

    // Opens the palette below the button (a click does the same).
    void showPalette();
    // The open pop-up, null when none is shown.
    ColourPalettePopup* palettePopup() const { return popup_; }

    QSize sizeHint() const override;

  signals:
    // The user chose a colour (from the palette or the dialog).
    void colourChosen(const QColor& colour);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void choose(const QColor& colour);
    void openDialog();

    QColor colour_{Qt::white};
    QString otherText_;
    ColourDialog dialog_;
    ColourPalettePopup* popup_ = nullptr;
};

}  // namespace widgets
