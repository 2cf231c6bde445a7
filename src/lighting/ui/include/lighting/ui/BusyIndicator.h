// BusyIndicator.h - the small spinner picture of the lighting panel
// (CONTROL_JDTStatic) shown while a long keyboard write runs.
//
// Begin() and End() are called on the window thread around a write that runs
// elsewhere; the picture appears only when the write lasts longer than
// 100 ms and stays 100 ms after it ends, so short writes do not flicker.
#pragma once

#include <QLabel>
#include <QPixmap>
#include <QTimer>
#include <QVector>

namespace lighting::ui {

class BusyIndicator : public QObject {
    Q_OBJECT

  public:
    // label: the placed picture control; frames: "jdt1.bmp" .. "jdt10.bmp".
    BusyIndicator(QLabel* label, QVector<QPixmap> frames, QObject* parent = nullptr);

    void Begin();
    void End();
    bool busy() const { return busy_; }
    int frame() const { return frame_; }

  private:
    void showFrame();

    QLabel* label_;
    QVector<QPixmap> frames_;
    QTimer delay_;      // the 100 ms before showing and after the end
    QTimer animation_;  // the 50 ms frame timer
    bool busy_ = false;
    int frame_ = 0;
};

}  // namespace lighting::ui
