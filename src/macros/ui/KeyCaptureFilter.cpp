#include "KeyCaptureFilter.h"

#include <QCoreApplication>
#include <QKeyEvent>

#include "keys/KeyCatalogue.h"
#include "keys/KeyEventTranslator.h"

namespace macros::ui {

namespace {

// X11's modifier bit for Num Lock (Mod2) in the event's native modifiers.
constexpr quint32 kNativeNumLock = 0x10;

std::optional<keys::KeyMessage> Translate(const QKeyEvent& event) {
    keys::KeyEvent in;
    in.nativeScanCode = event.nativeScanCode();
    if (event.type() == QEvent::KeyRelease)
        in.transition = keys::KeyTransition::Release;
    else if (event.isAutoRepeat())
        in.transition = keys::KeyTransition::AutoRepeat;
    in.numLockOn = (event.nativeModifiers() & kNativeNumLock) != 0;
    in.altDown = event.modifiers().testFlag(Qt::AltModifier);
    return keys::TranslateKeyEvent(in);
}

}  // namespace

KeyCaptureFilter::KeyCaptureFilter(QObject* parent) : QObject(parent) {}

KeyCaptureFilter::~KeyCaptureFilter() {
    setSink(nullptr);
}

void KeyCaptureFilter::setSink(KeyHookSink* sink) {
    if (sink_ == sink)
        return;
    QCoreApplication* app = QCoreApplication::instance();
    if (app && sink_)
        app->removeEventFilter(this);
    sink_ = sink;
    if (app && sink_)
        app->installEventFilter(this);
}

bool KeyCaptureFilter::eventFilter(QObject* watched, QEvent* event) {
    if (!sink_)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
            return handleKey(static_cast<QKeyEvent*>(event));
        case QEvent::ShortcutOverride: {
            // A key that will be swallowed must not trigger a shortcut first:
            // accepting the override makes Qt deliver it as a plain key press.
            auto* key = static_cast<QKeyEvent*>(event);
            const auto message = Translate(*key);
            if (message && !keys::IsMediaKey(message->key)) {
                key->accept();
                return true;
            }
            return false;
        }
        default:
            return false;
    }
}

bool KeyCaptureFilter::handleKey(QKeyEvent* event) {
    const auto message = Translate(*event);
    if (!message)
        return false;
    // Windows hooks never see the press of Print Screen and its kind; the
    // release stands for both, so the press goes nowhere.
    if (message->pressOfReleaseOnlyKey)
        return true;
    const bool press = event->type() == QEvent::KeyPress;
    if (sink_->systemKey(press, message->lowLevelVk))
        return true;
    // The sink may have been removed by the first view.
    return sink_ && sink_->threadKey(message->vk, message->data);
}

}  // namespace macros::ui
