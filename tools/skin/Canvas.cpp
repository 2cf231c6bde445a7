// Canvas.cpp - picture rendering and deterministic writing.
#include "Canvas.h"

#include <QDir>
#include <QFileInfo>
#include <QImageWriter>
#include <cstdio>

#include "Style.h"

namespace skin {

Canvas::Canvas(QString folder) : folder_(std::move(folder)) {
    QDir().mkpath(folder_);
}

QString Canvas::twiceName(const QString& name) {
    const int dot = name.lastIndexOf('.');
    return name.left(dot) + QStringLiteral("@2x") + name.mid(dot);
}

Format Canvas::formatOf(const QString& name) {
    const QString suffix = QFileInfo(name).suffix().toLower();
    if (suffix == QLatin1String("jpg"))
        return Format::Jpeg;
    if (suffix == QLatin1String("bmp"))
        return Format::Bmp;
    return Format::Png;
}

QImage Canvas::render(QSize pixels, double scale, Format format, const Draw& draw) const {
    QImage image(
        pixels, format == Format::Png ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    // A fixed resolution keeps the files free of anything machine-specific.
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    image.fill(format == Format::Png ? QColor(Qt::transparent) : colour::window);
    QPainter p(&image);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(scale, scale);
    draw(p);
    p.end();
    return image;
}

void Canvas::save(const QImage& image, const QString& path, Format format) {
    QImageWriter writer(path);
    switch (format) {
        case Format::Jpeg:
            writer.setFormat("jpg");
            writer.setQuality(95);
            writer.setOptimizedWrite(false);
            writer.setProgressiveScanWrite(false);
            break;
        case Format::Bmp:
            writer.setFormat("bmp");
            break;
        case Format::Png:
            writer.setFormat("png");
            writer.setCompression(9);
            break;
    }
    // BMP and JPEG hold no alpha; converting keeps the files 24-bit.
    const QImage out = format == Format::Png ? image.convertToFormat(QImage::Format_ARGB32)
                                             : image.convertToFormat(QImage::Format_RGB888);
    if (!writer.write(out)) {
        std::fprintf(stderr, "keytune-skin-gen: cannot write %s: %s\n", qPrintable(path),
                     qPrintable(writer.errorString()));
        ok_ = false;
        return;
    }
    ++written_;
}

void Canvas::picture(const QString& name, QSize logical, const Draw& draw) {
    const Format format = formatOf(name);
    save(render(logical, 1, format, draw), folder_ + '/' + name, format);
    save(render(logical * 2, 2, format, draw), folder_ + '/' + twiceName(name), format);
}

void Canvas::single(const QString& path, QSize pixels, double scale, const Draw& draw) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    const Format format = formatOf(path);
    save(render(pixels, scale, format, draw), path, format);
}

}  // namespace skin
