// CImgDialogBase.h - a frameless dialog drawn from a skin background picture
// with the outline of a mask picture.
#pragma once

#include <QDialog>
#include <QImage>
#include <QPixmap>
#include <QPoint>
#include <QRegion>

#include <string>

namespace widgets {

// The window outline of a mask picture: every maximal horizontal run of
// pixels that are not exactly white. Empty for an all-white or null picture.
QRegion MaskRegion(const QImage& mask);

// Whether the platform ignores window masks (then the window is drawn with a
// translucent background outside the outline instead).
bool PlatformIgnoresWindowMasks();

class CImgDialogBase : public QDialog {
    Q_OBJECT

  public:
    explicit CImgDialogBase(QWidget* parent = nullptr);

    // Reads SCREEN/Main and SCREEN/Mask (the background when absent) of the
    // ini file, loads both pictures from skinFolder, sizes the window to the
    // background keeping its position and sets its outline from the mask.
    // When the mask gives no outline the window keeps its full rectangle.
    // False when the background cannot be loaded.
    bool InitSkinnedWindow(const std::string& iniFile, const QString& skinFolder);

    // Applies another outline (for example a second layout of the same
    // window) and resizes the window to the mask's size.
    void setOutlineMask(const QImage& mask);
    // The outline in force; empty when the window keeps its rectangle.
    const QRegion& outline() const { return outline_; }

    const QPixmap& background() const { return background_; }
    void setBackground(const QPixmap& background);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    void applyOutline(const QRegion& region);

    QPixmap background_;
    QRegion outline_;
    bool dragging_ = false;
    QPoint dragOffset_;
};

}  // namespace widgets
