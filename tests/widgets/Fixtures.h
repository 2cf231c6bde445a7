// Fixtures.h - small skin pictures and ini files made by the tests.
#pragma once

#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QString>
#include <QTemporaryDir>

namespace widgets::test {

// A sheet in which every pixel tells where it is: red = x mod 256,
// green = y mod 256, blue = the sheet's mark. Saved as BMP it reads back
// exactly, so a cut can be checked pixel by pixel.
inline QImage CoordinateSheet(int width, int height, int mark) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            line[x] = qRgb(x & 255, y & 255, mark);
        }
    }
    return image;
}

inline QImage Filled(int width, int height, QColor colour) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// A private folder for one test's files.
class SkinFolder {
  public:
    SkinFolder() { dir_.setAutoRemove(true); }
    QString path() const { return dir_.path(); }
    QString file(const QString& name) const { return QDir(dir_.path()).filePath(name); }
    std::string ini(const QString& name) const { return file(name).toStdString(); }

    void save(const QString& name, const QImage& image) const {
        const bool saved = image.save(file(name));
        Q_ASSERT(saved);
        Q_UNUSED(saved);
    }
    void write(const QString& name, const QByteArray& text) const {
        QFile out(file(name));
        out.open(QIODevice::WriteOnly | QIODevice::Truncate);
        out.write(text);
    }

  private:
    QTemporaryDir dir_;
};

// The colour of a logical pixel of a rendered widget (its first device pixel).
inline QRgb LogicalPixel(const QImage& image, int x, int y) {
    const qreal ratio = image.devicePixelRatio();
    return image.pixel(qRound(x * ratio), qRound(y * ratio));
}

}  // namespace widgets::test
