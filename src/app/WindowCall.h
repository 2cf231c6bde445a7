// WindowCall.h - running a piece of work on the window thread from another
// thread and waiting for it, without the risk of a blocking call that the
// window thread can never answer: the wait gives up as soon as `stopping` is
// set (the window is shutting down and joins the caller).
#pragma once

#include <QCoreApplication>
#include <QMetaObject>
#include <QObject>
#include <QThread>
#include <atomic>
#include <chrono>
#include <functional>
#include <future>
#include <memory>

namespace app {

// Runs fn on the thread of `context` and returns when it has run (true) or
// when stopping was set first (false; fn may then still run later or never).
// On the context's own thread fn runs at once.
inline bool CallOnWindowThread(QObject* context, std::function<void()> fn,
                               const std::atomic<bool>& stopping) {
    if (QThread::currentThread() == context->thread()) {
        fn();
        return true;
    }
    auto done = std::make_shared<std::promise<void>>();
    std::future<void> finished = done->get_future();
    QMetaObject::invokeMethod(
        context,
        [fn = std::move(fn), done] {
            fn();
            done->set_value();
        },
        Qt::QueuedConnection);
    while (finished.wait_for(std::chrono::milliseconds(20)) != std::future_status::ready)
        if (stopping.load())
            return false;
    return true;
}

// Posts fn to the thread of `context` without waiting.
inline void PostToWindowThread(QObject* context, std::function<void()> fn) {
    QMetaObject::invokeMethod(context, std::move(fn), Qt::QueuedConnection);
}

}  // namespace app
