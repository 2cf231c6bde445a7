#include "device/AutoResetEvent.h"

#include <thread>

namespace device {

namespace {

using Clock = std::chrono::steady_clock;

// Watching the event only pays when the signalling thread can run while this
// one watches.
bool watchingHelps() {
    static const bool severalCores = std::thread::hardware_concurrency() > 1;
    return severalCores;
}

}  // namespace

void AutoResetEvent::set() {
    {
        std::lock_guard lock(mutex_);
        set_.store(true, std::memory_order_release);
    }
    signalled_.notify_one();
}

void AutoResetEvent::reset() {
    std::lock_guard lock(mutex_);
    set_.store(false, std::memory_order_relaxed);
}

bool AutoResetEvent::consume() {
    return set_.load(std::memory_order_relaxed) && set_.exchange(false, std::memory_order_acquire);
}

bool AutoResetEvent::watchUntil(Clock::time_point until) {
    for (;;) {
        if (consume())
            return true;
        if (Clock::now() >= until)
            return false;
        // Yielding rather than spinning on the spot: the threads that produce
        // the signal are often queued on this very core, and they run at once.
        std::this_thread::yield();
    }
}

bool AutoResetEvent::waitFor(std::chrono::milliseconds timeout) {
    const Clock::time_point start = Clock::now();
    const Clock::time_point deadline = start + timeout;
    if (watchingHelps() && watchNext_.load(std::memory_order_relaxed)) {
        if (watchUntil(std::min(deadline, start + kWatchLimit)))
            return true;
    }
    std::unique_lock lock(mutex_);
    if (!signalled_.wait_until(lock, deadline,
                               [this] { return set_.load(std::memory_order_relaxed); })) {
        watchNext_.store(false, std::memory_order_relaxed);
        return false;
    }
    set_.store(false, std::memory_order_relaxed);
    watchNext_.store(Clock::now() - start <= kWatchLimit, std::memory_order_relaxed);
    return true;
}

}  // namespace device
