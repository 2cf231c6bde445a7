// BusyIndicator.cpp - the spinner frames on a 50 ms timer.
#include "lighting/ui/BusyIndicator.h"

namespace lighting::ui {

BusyIndicator::BusyIndicator(QLabel* label, QVector<QPixmap> frames, QObject* parent)
    : QObject(parent), label_(label), frames_(std::move(frames)) {
    delay_.setSingleShot(true);
    delay_.setInterval(100);
    animation_.setInterval(50);
    connect(&delay_, &QTimer::timeout, this, [this] {
        if (busy_) {
            frame_ = 0;
            showFrame();
            label_->show();
            animation_.start();
        } else {
            animation_.stop();
            label_->hide();
        }
    });
    connect(&animation_, &QTimer::timeout, this, [this] {
        frame_ = frames_.isEmpty() ? 0 : (frame_ + 1) % int(frames_.size());
        showFrame();
    });
    label_->hide();
}

void BusyIndicator::Begin() {
    busy_ = true;
    if (!animation_.isActive())
        delay_.start();
    else
        delay_.stop();  // a new write right after the last one keeps spinning
}

void BusyIndicator::End() {
    busy_ = false;
    delay_.start();
}

void BusyIndicator::showFrame() {
    if (frame_ < frames_.size())
        label_->setPixmap(frames_[frame_]);
}

}  // namespace lighting::ui
