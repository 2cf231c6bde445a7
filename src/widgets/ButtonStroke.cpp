#include "widgets/ButtonStroke.h"

#include <QMouseEvent>

#include <algorithm>

#include "widgets/CPngButton.h"

namespace widgets {

ButtonStroke::ButtonStroke(QObject* parent) : QObject(parent) {
    // The signals carry a type that is only declared in the header; register
    // it so queued connections and signal spies can hold it.
    qRegisterMetaType<CPngButton*>();
}

void ButtonStroke::addButton(CPngButton* button) {
    if (!button || std::find(buttons_.begin(), buttons_.end(), button) != buttons_.end()) {
        return;
    }
    buttons_.emplace_back(button);
    button->installEventFilter(this);
}

void ButtonStroke::removeButton(CPngButton* button) {
    std::erase_if(buttons_, [button](const QPointer<CPngButton>& b) { return b == button; });
    if (button) {
        button->removeEventFilter(this);
    }
    if (first_ == button || last_ == button) {
        end();
    }
}

CPngButton* ButtonStroke::buttonAt(const QPoint& globalPos) const {
    for (const QPointer<CPngButton>& button : buttons_) {
        if (button && button->isVisible() && button->isEnabled() &&
            button->rect().contains(button->mapFromGlobal(globalPos))) {
            return button;
        }
    }
    return nullptr;
}

void ButtonStroke::end() {
    first_ = nullptr;
    last_ = nullptr;
}

bool ButtonStroke::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::MouseButtonPress: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            auto* button = qobject_cast<CPngButton*>(watched);
            if (mouse->button() == Qt::LeftButton && button && button->isEnabled()) {
                first_ = button;
                last_ = button;
                emit strokeStarted(button);
            }
            break;
        }
        case QEvent::MouseMove: {
            // The pressed button holds the mouse grab, so every move of the
            // stroke arrives here, whichever button lies under the pointer.
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (!first_ || !(mouse->buttons() & Qt::LeftButton)) {
                break;
            }
            CPngButton* under = buttonAt(mouse->globalPosition().toPoint());
            if (under && under != last_) {
                last_ = under;
                if (under != first_) {
                    emit entered(under);
                }
            } else if (!under) {
                // Leaving the set and coming back onto the same button counts
                // as entering it again.
                last_ = nullptr;
            }
            break;
        }
        case QEvent::MouseButtonRelease:
            if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
                end();
            }
            break;
        default:
            break;
    }
    return false;
}

}  // namespace widgets
