// KeyFilter.h - keys the main window never sees: Enter and Esc (so neither
// OK nor Cancel is triggered from the keyboard), and the arrow keys while the
// lighting mode list has the focus. F1 opens the help page.
#pragma once

#include <QObject>
#include <QWidget>
#include <functional>

namespace app {

class KeyFilter : public QObject {
    Q_OBJECT
  public:
    // Filters the key events of `window` and of every widget inside it.
    explicit KeyFilter(QWidget* window);

    std::function<bool()> modeListHasFocus;
    std::function<void()> help;

    // Whether a key press or release of `key` is dropped.
    bool drops(int key) const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget* window_;
};

}  // namespace app
