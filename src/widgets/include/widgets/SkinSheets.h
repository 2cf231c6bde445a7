// SkinSheets.h - the pictures a skinned window cuts its controls from.
#pragma once

#include <QPixmap>
#include <QRect>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <vector>

namespace widgets {

// One loaded picture, kept as a pixmap in the display's format. A picture
// loaded from its "@2x" variant has scale 2: its pixmap carries device pixel
// ratio 2, and every rectangle given to it is in logical (1x) pixels.
class SkinSheet {
  public:
    SkinSheet() = default;
    SkinSheet(QPixmap pixmap, qreal scale, QString path);

    const QPixmap& pixmap() const { return pixmap_; }
    qreal scale() const { return scale_; }
    // The file the picture came from ("" for an empty sheet).
    const QString& path() const { return path_; }
    bool isNull() const { return pixmap_.isNull(); }
    // Size in logical pixels.
    QSize logicalSize() const;

    // The logical rectangle, cut at scaled offsets; parts outside the picture
    // stay transparent. The result carries the sheet's device pixel ratio.
    QPixmap cut(const QRect& logical) const;
    // The same rectangle in the pixmap's own (device) pixels.
    QRect deviceRect(const QRect& logical) const;

  private:
    QPixmap pixmap_;
    qreal scale_ = 1;
    QString path_;
};

// The file name of a picture's double-resolution variant:
// "main_normal.jpg" -> "main_normal@2x.jpg".
QString DoubleResolutionName(const QString& fileName);

// Loads one picture (JPEG, BMP or anything QImage reads); with a device pixel
// ratio above 1 the "@2x" variant is preferred when it exists. Backslashes in
// fileName are taken as folder separators. Nothing when the picture cannot
// be loaded.
std::optional<SkinSheet> LoadSkinPicture(const QString& skinFolder, const QString& fileName,
                                         qreal devicePixelRatio);

// Ends the process with exit code 0 after one line on standard error:
// "keytune: cannot load skin picture <path>".
[[noreturn]] void ExitForMissingSkinPicture(const QString& path);

// The state sheets of one window, loaded once per run. Copies share the
// pictures, so a SkinSheet reference stays valid as long as any copy lives.
class SkinSheets {
  public:
    SkinSheets() = default;

    // Loads every file; if any cannot be loaded, ends the process through
    // ExitForMissingSkinPicture (after trying nothing further).
    static SkinSheets loadOrExit(const QString& skinFolder, const QStringList& fileNames,
                                 qreal devicePixelRatio);
    // The same without ending the process: nothing when a file fails, and
    // failedPath (when given) receives the full path of the first failure.
    static std::optional<SkinSheets> load(const QString& skinFolder, const QStringList& fileNames,
                                          qreal devicePixelRatio, QString* failedPath = nullptr);

    // Sheets in the order of fileNames. An index out of range or an unknown
    // name gives an empty sheet.
    const SkinSheet& operator[](int index) const;
    const SkinSheet& byName(const QString& fileName) const;
    int size() const;

  private:
    struct Entry {
        QString fileName;
        SkinSheet sheet;
    };
    std::shared_ptr<const std::vector<Entry>> entries_;
};

}  // namespace widgets
