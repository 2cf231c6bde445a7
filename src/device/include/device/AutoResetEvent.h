// AutoResetEvent.h - an event that wakes one waiter and resets itself when
// that wait returns, like a Windows auto-reset event.
#pragma once

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
    bool waitFor(std::chrono::milliseconds timeout);

  private:
    std::mutex mutex_;
    std::condition_variable signalled_;
    bool set_ = false;
};

}  // namespace device
