#include "BusyIndicator.h"

#include "widgets/Placement.h"

namespace app {

BusyIndicator::BusyIndicator(QWidget* window, const std::string& iniFile, const QString& skinFolder)
    : QObject(window), label_(new QLabel(window)) {
    label_->setObjectName("CONTROL_JDTStatic");
    label_->setAttribute(Qt::WA_TransparentForMouseEvents);
    label_->setScaledContents(true);
    widgets::PlaceControl(label_, iniFile, widgets::kButtonInfoSection, "CONTROL_JDTStatic");
    label_->hide();
    for (int i = 1; i <= kFrameCount; ++i) {
        QPixmap frame(skinFolder + "/jdt" + QString::number(i) + ".bmp");
        if (frame.isNull()) {
            frames_.clear();
            break;
        }
        frames_.push_back(frame);
    }
    showTimer_.setSingleShot(true);
    showTimer_.setInterval(kShowDelayMs);
    hideTimer_.setSingleShot(true);
    hideTimer_.setInterval(kHideDelayMs);
    frameTimer_.setInterval(kFramePeriodMs);
    connect(&showTimer_, &QTimer::timeout, this, [this] {
        if (frames_.isEmpty())
            return;
        showFrame(0);
        label_->raise();
        label_->show();
        frameTimer_.start();
    });
    connect(&hideTimer_, &QTimer::timeout, this, [this] {
        frameTimer_.stop();
        label_->hide();
    });
    connect(&frameTimer_, &QTimer::timeout, this,
            [this] { showFrame((frame_ + 1) % kFrameCount); });
}

void BusyIndicator::begin() {
    hideTimer_.stop();
    if (!frameTimer_.isActive())
        showTimer_.start();
}

void BusyIndicator::end() {
    showTimer_.stop();
    if (frameTimer_.isActive())
        hideTimer_.start();
}

void BusyIndicator::showFrame(int index) {
    frame_ = index;
    if (index < frames_.size())
        label_->setPixmap(frames_[index]);
}

}  // namespace app
