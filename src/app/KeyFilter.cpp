#include "KeyFilter.h"

#include <QApplication>
#include <QKeyEvent>

namespace app {

KeyFilter::KeyFilter(QWidget* window) : QObject(window), window_(window) {
    qApp->installEventFilter(this);
}

bool KeyFilter::drops(int key) const {
    switch (key) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape:
            return true;
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Up:
        case Qt::Key_Down:
            return modeListHasFocus && modeListHasFocus();
        default:
            return false;
    }
}

bool KeyFilter::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease && type != QEvent::ShortcutOverride)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    // Only the main window's own keys; message boxes and dialogs keep theirs.
    if (!widget || widget->window() != window_)
        return false;
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (type == QEvent::KeyPress && key == Qt::Key_F1 && help) {
        help();
        return true;
    }
    return drops(key);
}

}  // namespace app
