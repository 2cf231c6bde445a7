// AutoResetEvent.h - an event that wakes one waiter and resets itself when
// that wait returns, like a Windows auto-reset event.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>

namespace device {

class AutoResetEvent {
  public:
    void set();
    void reset();
    // True when the event was signalled within the timeout; the signal is
    // consumed by this wait.
    //
    // When the previous signal came within kWatchLimit of its wait, the wait
    // first watches the event for up to kWatchLimit, yielding the core
    // between looks, and only then goes to sleep. A sleeping thread whose
    // core has gone idle takes tens of microseconds to wake, as long as the
    // virtual keyboard takes to answer; yielding lets the threads that
    // produce the answer run on this core meanwhile. A slower signal (a real
    // keyboard answers in about a millisecond) turns the watching off until a
    // wait is quick again, so slow partners cost no watching.
    bool waitFor(std::chrono::milliseconds timeout);

    static constexpr std::chrono::microseconds kWatchLimit{50};

  private:
    bool consume();
    bool watchUntil(std::chrono::steady_clock::time_point until);

    std::mutex mutex_;
    std::condition_variable signalled_;
    // Written under mutex_ by set() and reset(); a watching waiter reads and
    // consumes it without the lock.
    std::atomic<bool> set_{false};
    std::atomic<bool> watchNext_{true};
};

}  // namespace device
