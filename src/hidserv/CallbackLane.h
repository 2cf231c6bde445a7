// CallbackLane.h - the registrations of one interface and the thread that
// calls their callbacks.
//
// Backends post input reports and device-count changes from their own
// threads; the lane's thread takes them in order and calls the callback of
// each matching registration. A backend thread may instead deliver an input
// itself while the lane is idle (deliverInput), which saves waking the lane's
// thread for each control response. No lock is held while a callback runs, so
// a callback may call back into the library (write, count, delete, status
// write).
#pragma once

#include <array>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "Interface.h"
#include "hidserv/HidServ.h"

namespace hidserv {

class CallbackLane {
  public:
    CallbackLane() = default;
    ~CallbackLane();
    CallbackLane(const CallbackLane&) = delete;
    CallbackLane& operator=(const CallbackLane&) = delete;

    // Events are taken from start() on; those posted before (the first scan's
    // devices, which callers count themselves) or after stop() are dropped.
    void start();
    // Joins the callback thread (waiting for a running callback to return),
    // drops undelivered events and releases every registration.
    void stop();

    // Adds a registration under the given unit id. A standing read gets
    // the input reports of its interface and every device-count change; other
    // registrations (status writes) only hold a unit id until deleted.
    uint32_t add(uint32_t unitId, Interface interface, HidServCallback callback, uint32_t tag,
                 bool standingRead);

    // Ends a registration; false for an unknown id. When it returns, the
    // registration's callback will not be called again and is not running,
    // unless remove was called from a library thread (a callback), which must
    // not wait: a running call then finishes normally.
    bool remove(uint32_t unitId);

    void postInput(Interface interface, const uint8_t* bytes, size_t length);
    void postCounts(const InterfaceCounts& counts);

    // Calls the callbacks at once on the calling library thread when nothing
    // is queued or being delivered on this lane; otherwise queues the input
    // like postInput, so the lane's events keep their order. The caller waits
    // for the callbacks, so it must be a thread that may be held up by them.
    void deliverInput(Interface interface, const uint8_t* bytes, size_t length);

  private:
    struct Registration;
    struct Event {
        bool input = false;
        Interface interface = Interface::Keyboard;
        std::vector<uint8_t> bytes;
        InterfaceCounts counts{};
    };

    void run();
    // Calls every live standing read that wants the event, one at a time,
    // with the lock released around each call. False when stop() interrupted.
    bool deliverToTargets(std::unique_lock<std::mutex>& lock, const Event& event);
    void deliver(Registration& registration, const Event& event);

    // Input reports beyond this many waiting events are dropped, so that a
    // callback that stalls cannot make the queue grow without bound.
    static constexpr size_t kMaxQueuedInputs = 4096;

    std::mutex mutex_;
    std::condition_variable wake_;  // events queued or stop requested
    std::condition_variable callbackDone_;
    std::deque<Event> queue_;
    std::map<uint32_t, std::shared_ptr<Registration>> registrations_;
    const Registration* running_ = nullptr;  // whose callback runs now
    // An event is being delivered, by the lane's thread or by deliverInput:
    // the next one waits, so one interface's callbacks never overlap.
    bool delivering_ = false;
    bool accepting_ = false;  // between start() and stop()
    bool stopping_ = false;
    std::thread thread_;
};

}  // namespace hidserv
