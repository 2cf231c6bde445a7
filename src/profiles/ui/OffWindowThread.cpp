#include "OffWindowThread.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>
#include <thread>

namespace profiles::ui {

namespace {

bool onWindowThreadNow() {
    const QCoreApplication* app = QCoreApplication::instance();
    return app && QThread::currentThread() == app->thread();
}

}  // namespace

void RunOffWindowThread(const std::function<void()>& work) {
    if (!onWindowThreadNow()) {
        work();
        return;
    }
    QEventLoop loop;
    std::thread worker([&] {
        work();
        // Queued: the loop may not have started yet, and it must be quit from
        // its own thread.
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    worker.join();
}

void WindowThreadPrompts::onWindowThread(const std::function<void()>& call) {
    if (onWindowThreadNow() || !QCoreApplication::instance()) {
        call();
        return;
    }
    QMetaObject::invokeMethod(QCoreApplication::instance(), call, Qt::BlockingQueuedConnection);
}

void WindowThreadPrompts::showMessage(std::string_view key, bool topMost,
                                      const std::optional<std::string>& formatArgument) {
    onWindowThread([&] { target_.showMessage(key, topMost, formatArgument); });
}

bool WindowThreadPrompts::askYesNo(std::string_view key) {
    bool answer = false;
    onWindowThread([&] { answer = target_.askYesNo(key); });
    return answer;
}

std::string WindowThreadPrompts::text(std::string_view key) {
    std::string result;
    onWindowThread([&] { result = target_.text(key); });
    return result;
}

}  // namespace profiles::ui
