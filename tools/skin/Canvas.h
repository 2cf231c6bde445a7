// Canvas.h - writes one picture at 1x and at 2x from one drawing function.
// The drawing function works in logical pixels; at 2x the painter is scaled,
// so every line and letter is drawn at the higher resolution, not enlarged.
#pragma once

#include <QImage>
#include <QPainter>
#include <QSize>
#include <QString>
#include <functional>

namespace skin {

enum class Format { Jpeg, Bmp, Png };

class Canvas {
  public:
    explicit Canvas(QString folder);

    using Draw = std::function<void(QPainter&)>;
    // Draws `name` and `name` with "@2x" before its extension. Opaque formats
    // start from the window colour, PNG from transparency.
    void picture(const QString& name, QSize logical, const Draw& draw);
    // A picture at one scale only (application icon sizes and the like).
    void single(const QString& path, QSize pixels, double scale, const Draw& draw);

    // "main_normal.jpg" -> "main_normal@2x.jpg"
    static QString twiceName(const QString& name);
    static Format formatOf(const QString& name);

    QString folder() const { return folder_; }
    bool ok() const { return ok_; }
    int written() const { return written_; }

  private:
    QImage render(QSize pixels, double scale, Format format, const Draw& draw) const;
    void save(const QImage& image, const QString& path, Format format);

    QString folder_;
    bool ok_ = true;
    int written_ = 0;
};

}  // namespace skin
