#include "widgets/SkinSheets.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>

#include <cstdio>
#include <cstdlib>

namespace widgets {

SkinSheet::SkinSheet(QPixmap pixmap, qreal scale, QString path)
    : pixmap_(std::move(pixmap)), scale_(scale), path_(std::move(path)) {
    pixmap_.setDevicePixelRatio(scale_);
}

QSize SkinSheet::logicalSize() const {
    return QSize(qRound(pixmap_.width() / scale_), qRound(pixmap_.height() / scale_));
}

QRect SkinSheet::deviceRect(const QRect& logical) const {
    return QRect(qRound(logical.x() * scale_), qRound(logical.y() * scale_),
                 qRound(logical.width() * scale_), qRound(logical.height() * scale_));
}

QPixmap SkinSheet::cut(const QRect& logical) const {
    // QPixmap::copy fills what lies outside the source with transparent pixels.
    QPixmap piece = pixmap_.copy(deviceRect(logical));
    piece.setDevicePixelRatio(scale_);
    return piece;
}

QString DoubleResolutionName(const QString& fileName) {
    const int slash = fileName.lastIndexOf(QLatin1Char('/'));
    const int dot = fileName.lastIndexOf(QLatin1Char('.'));
    if (dot <= slash + 1) {
        return fileName + QStringLiteral("@2x");
    }
    return fileName.left(dot) + QStringLiteral("@2x") + fileName.mid(dot);
}

namespace {

QString SkinPath(const QString& skinFolder, const QString& fileName) {
    QString relative = fileName;
    relative.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (skinFolder.isEmpty() || QFileInfo(relative).isAbsolute()) {
        return relative;
    }
    return QDir(skinFolder).filePath(relative);
}

std::optional<SkinSheet> LoadAt(const QString& path, qreal scale) {
    QImage image(path);
    if (image.isNull()) {
        return std::nullopt;
    }
    // fromImage converts to the display's own format once, so painting later
    // needs no conversion.
    return SkinSheet(QPixmap::fromImage(std::move(image)), scale, path);
}

}  // namespace

std::optional<SkinSheet> LoadSkinPicture(const QString& skinFolder, const QString& fileName,
                                         qreal devicePixelRatio) {
    const QString path = SkinPath(skinFolder, fileName);
    if (devicePixelRatio > 1) {
        const QString doublePath = DoubleResolutionName(path);
        if (QFileInfo::exists(doublePath)) {
            if (auto sheet = LoadAt(doublePath, 2)) {
                return sheet;
            }
        }
    }
    return LoadAt(path, 1);
}

void ExitForMissingSkinPicture(const QString& path) {
    std::fprintf(stderr, "keytune: cannot load skin picture %s\n",
                 QDir::toNativeSeparators(path).toLocal8Bit().constData());
    std::fflush(stderr);
    // The window cannot be drawn without its pictures; the program ends
    // quietly (code 0), as when its device library is missing.
    std::exit(0);
}

std::optional<SkinSheets> SkinSheets::load(const QString& skinFolder, const QStringList& fileNames,
                                           qreal devicePixelRatio, QString* failedPath) {
    auto entries = std::make_shared<std::vector<Entry>>();
    entries->reserve(fileNames.size());
    for (const QString& name : fileNames) {
        // A window may list the same picture in several slots; load it once.
        const Entry* loaded = nullptr;
        for (const Entry& entry : *entries) {
            if (entry.fileName == name) {
                loaded = &entry;
                break;
            }
        }
        if (loaded) {
            entries->push_back(Entry{name, loaded->sheet});
            continue;
        }
        auto sheet = LoadSkinPicture(skinFolder, name, devicePixelRatio);
        if (!sheet) {
            if (failedPath) {
                *failedPath = SkinPath(skinFolder, name);
            }
            return std::nullopt;
        }
        entries->push_back(Entry{name, std::move(*sheet)});
    }
    SkinSheets sheets;
    sheets.entries_ = std::move(entries);
    return sheets;
}

SkinSheets SkinSheets::loadOrExit(const QString& skinFolder, const QStringList& fileNames,
                                  qreal devicePixelRatio) {
    QString failed;
    auto sheets = load(skinFolder, fileNames, devicePixelRatio, &failed);
    if (!sheets) {
        ExitForMissingSkinPicture(failed);
    }
    return std::move(*sheets);
}

namespace {
const SkinSheet& EmptySheet() {
    static const SkinSheet empty;
    return empty;
}
}  // namespace

const SkinSheet& SkinSheets::operator[](int index) const {
    if (!entries_ || index < 0 || index >= static_cast<int>(entries_->size())) {
        return EmptySheet();
    }
    return (*entries_)[index].sheet;
}

const SkinSheet& SkinSheets::byName(const QString& fileName) const {
    if (entries_) {
        for (const Entry& entry : *entries_) {
            if (entry.fileName == fileName) {
                return entry.sheet;
            }
        }
    }
    return EmptySheet();
}

int SkinSheets::size() const {
    return entries_ ? static_cast<int>(entries_->size()) : 0;
}

}  // namespace widgets
