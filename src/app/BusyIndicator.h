// BusyIndicator.h - the animated picture shown while a long keyboard write
// runs: frames "jdt1.bmp".."jdt10.bmp" of the skin at CONTROL_JDTStatic.
// It appears 100 ms after begin() (short writes show nothing), advances one
// frame every 50 ms (timer 1050) and goes away 100 ms after end().
#pragma once

#include <QLabel>
#include <QObject>
#include <QPixmap>
#include <QTimer>
#include <QVector>
#include <string>

namespace app {

class BusyIndicator : public QObject {
    Q_OBJECT
  public:
    static constexpr int kFrameCount = 10;
    static constexpr int kFramePeriodMs = 50;
    static constexpr int kShowDelayMs = 100;
    static constexpr int kHideDelayMs = 100;

    // Places its picture on `window` from section BUTTONINFO of iniFile.
    // Missing frame pictures leave the indicator invisible, nothing else.
    BusyIndicator(QWidget* window, const std::string& iniFile, const QString& skinFolder);

    void begin();
    void end();

    bool visible() const { return label_->isVisible(); }
    int frame() const { return frame_; }
    bool animating() const { return frameTimer_.isActive(); }

  private:
    void showFrame(int index);

    QLabel* label_;
    QVector<QPixmap> frames_;
    QTimer showTimer_;
    QTimer hideTimer_;
    QTimer frameTimer_;  // timer 1050
    int frame_ = 0;
};

}  // namespace app
