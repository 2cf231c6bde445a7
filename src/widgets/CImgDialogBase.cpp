#include "widgets/CImgDialogBase.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

#include <vector>

#include "settings/SkinRect.h"
#include "widgets/SkinSheets.h"

namespace widgets {

namespace {

bool IsWhite(QRgb pixel) {
    return qRed(pixel) == 255 && qGreen(pixel) == 255 && qBlue(pixel) == 255;
}

// Unions a list of regions pairwise, so a tall mask costs O(n log n) region
// merges instead of growing one region row by row.
QRegion UniteAll(std::vector<QRegion> parts) {
    if (parts.empty()) {
        return {};
    }
    while (parts.size() > 1) {
        std::vector<QRegion> next;
        next.reserve((parts.size() + 1) / 2);
        for (size_t i = 0; i + 1 < parts.size(); i += 2) {
            next.push_back(parts[i].united(parts[i + 1]));
        }
        if (parts.size() % 2) {
            next.push_back(std::move(parts.back()));
        }
        parts = std::move(next);
    }
    return parts.front();
}

}  // namespace

QRegion MaskRegion(const QImage& mask) {
    if (mask.isNull()) {
        return {};
    }
    const QImage image = mask.convertToFormat(QImage::Format_RGB32);
    std::vector<QRegion> bands;
    std::vector<QRect> previousRuns;
    std::vector<QRect> runs;
    int bandTop = 0;
    auto closeBand = [&](int bottom) {
        if (previousRuns.empty()) {
            return;
        }
        // Rows with the same runs become one rectangle per run.
        QRegion band;
        std::vector<QRect> rects;
        for (const QRect& run : previousRuns) {
            rects.emplace_back(run.x(), bandTop, run.width(), bottom - bandTop);
        }
        band.setRects(rects.data(), static_cast<int>(rects.size()));
        bands.push_back(band);
    };
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        runs.clear();
        for (int x = 0; x < image.width();) {
            if (IsWhite(line[x])) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < image.width() && !IsWhite(line[x])) {
                ++x;
            }
            runs.emplace_back(start, y, x - start, 1);
        }
        const bool sameRuns = runs.size() == previousRuns.size() &&
                              std::equal(runs.begin(), runs.end(), previousRuns.begin(),
                                         [](const QRect& a, const QRect& b) {
                                             return a.left() == b.left() && a.right() == b.right();
                                         });
        if (!sameRuns) {
            closeBand(y);
            previousRuns = runs;
            bandTop = y;
        }
    }
    closeBand(image.height());
    return UniteAll(std::move(bands));
}

bool PlatformIgnoresWindowMasks() {
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("wayland") || platform == QLatin1String("offscreen");
}

CImgDialogBase::CImgDialogBase(QWidget* parent) : QDialog(parent) {
    // The skin draws the whole window, title area included.
    setWindowFlag(Qt::FramelessWindowHint);
    if (PlatformIgnoresWindowMasks()) {
        setAttribute(Qt::WA_TranslucentBackground);
    }
}

bool CImgDialogBase::InitSkinnedWindow(const std::string& iniFile, const QString& skinFolder) {
    const settings::SkinScreen screen = settings::ReadSkinScreen(iniFile);
    if (!screen.main) {
        return false;
    }
    const qreal ratio = devicePixelRatioF();
    auto main = LoadSkinPicture(skinFolder, QString::fromStdString(*screen.main), ratio);
    if (!main) {
        return false;
    }
    setBackground(main->pixmap());
    resize(main->logicalSize());
    // The outline is computed in window pixels, so the 1x mask is used.
    QImage maskImage;
    if (auto mask =
            LoadSkinPicture(skinFolder, QString::fromStdString(screen.mask.value_or("")), 1)) {
        maskImage = mask->pixmap().toImage();
    }
    applyOutline(MaskRegion(maskImage));
    return true;
}

void CImgDialogBase::setOutlineMask(const QImage& mask) {
    if (!mask.isNull()) {
        resize(mask.size());
    }
    applyOutline(MaskRegion(mask));
}

void CImgDialogBase::applyOutline(const QRegion& region) {
    outline_ = region;
    if (region.isEmpty()) {
        clearMask();
    } else {
        setMask(region);
    }
    update();
}

void CImgDialogBase::setBackground(const QPixmap& background) {
    background_ = background;
    update();
}

void CImgDialogBase::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // Where masks are ignored the window is translucent, so painting only
    // inside the outline gives it the same shape.
    if (!outline_.isEmpty()) {
        painter.setClipRegion(outline_);
    }
    if (!background_.isNull()) {
        painter.drawPixmap(0, 0, background_);
    } else {
        painter.fillRect(rect(), QColor(0x12, 0x14, 0x18));
    }
}

void CImgDialogBase::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QDialog::mousePressEvent(event);
        return;
    }
    // The window has no title bar: the background is its handle. The
    // compositor moves it where it can (Wayland allows nothing else).
    if (windowHandle() && windowHandle()->startSystemMove()) {
        event->accept();
        return;
    }
    dragging_ = true;
    dragOffset_ = event->globalPosition().toPoint() - frameGeometry().topLeft();
    event->accept();
}

void CImgDialogBase::mouseMoveEvent(QMouseEvent* event) {
    if (dragging_ && (event->buttons() & Qt::LeftButton)) {
        move(event->globalPosition().toPoint() - dragOffset_);
        event->accept();
        return;
    }
    QDialog::mouseMoveEvent(event);
}

void CImgDialogBase::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && dragging_) {
        dragging_ = false;
        event->accept();
        return;
    }
    QDialog::mouseReleaseEvent(event);
}

}  // namespace widgets
