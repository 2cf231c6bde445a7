#include "CallbackLane.h"

#include <algorithm>
#include <cstring>

#include "LibraryThread.h"

namespace hidserv {

struct CallbackLane::Registration {
    uint32_t unitId = 0;
    Interface interface = Interface::Keyboard;
    HidServCallback callback = nullptr;
    uint32_t tag = 0;
    bool standingRead = false;
    bool alive = true;  // guarded by the lane's mutex
    // The record handed to callbacks; its read buffer holds the latest input
    // report. Both are written only by the thread delivering the lane's
    // current event (see delivering_).
    HidServRegistration record{};
    std::array<uint8_t, kMaxReportSize> buffer{};
};

CallbackLane::~CallbackLane() {
    stop();
}

void CallbackLane::start() {
    std::lock_guard lock(mutex_);
    if (thread_.joinable())
        return;
    stopping_ = false;
    accepting_ = true;
    thread_ = std::thread([this] { run(); });
}

void CallbackLane::stop() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        accepting_ = false;
    }
    wake_.notify_all();
    if (thread_.joinable())
        thread_.join();
    std::unique_lock lock(mutex_);
    // An input being delivered on a backend's thread finishes first: no
    // callback may run once stop() has returned.
    callbackDone_.wait(lock, [&] { return !delivering_; });
    queue_.clear();
    for (auto& entry : registrations_) entry.second->alive = false;
    registrations_.clear();
}

uint32_t CallbackLane::add(uint32_t unitId, Interface interface, HidServCallback callback,
                           uint32_t tag, bool standingRead) {
    auto registration = std::make_shared<Registration>();
    registration->unitId = unitId;
    registration->interface = interface;
    registration->callback = callback;
    registration->tag = tag;
    registration->standingRead = standingRead;
    registration->record.words[0] = registration.get();
    registration->record.readBuffer = registration->buffer.data();
    std::lock_guard lock(mutex_);
    registrations_[registration->unitId] = registration;
    return registration->unitId;
}

bool CallbackLane::remove(uint32_t unitId) {
    std::unique_lock lock(mutex_);
    auto it = registrations_.find(unitId);
    if (it == registrations_.end())
        return false;
    std::shared_ptr<Registration> registration = it->second;
    registration->alive = false;
    registrations_.erase(it);
    if (!onLibraryThread()) {
        callbackDone_.wait(lock, [&] { return running_ != registration.get(); });
    }
    return true;
}

void CallbackLane::postInput(Interface interface, const uint8_t* bytes, size_t length) {
    Event event;
    event.input = true;
    event.interface = interface;
    event.bytes.assign(bytes, bytes + std::min(length, kMaxReportSize));
    {
        std::lock_guard lock(mutex_);
        if (!accepting_ || queue_.size() >= kMaxQueuedInputs)
            return;
        queue_.push_back(std::move(event));
    }
    wake_.notify_one();
}

void CallbackLane::postCounts(const InterfaceCounts& counts) {
    Event event;
    event.counts = counts;
    {
        std::lock_guard lock(mutex_);
        if (!accepting_)
            return;
        queue_.push_back(std::move(event));
    }
    wake_.notify_one();
}

void CallbackLane::deliverInput(Interface interface, const uint8_t* bytes, size_t length) {
    {
        std::unique_lock lock(mutex_);
        if (accepting_ && !stopping_ && queue_.empty() && !delivering_) {
            Event event;
            event.input = true;
            event.interface = interface;
            event.bytes.assign(bytes, bytes + std::min(length, kMaxReportSize));
            delivering_ = true;
            deliverToTargets(lock, event);
            delivering_ = false;
            callbackDone_.notify_all();
            // Events posted meanwhile waited for this one.
            if (!queue_.empty())
                wake_.notify_one();
            return;
        }
    }
    postInput(interface, bytes, length);
}

void CallbackLane::run() {
    markLibraryThread();
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [&] { return stopping_ || (!queue_.empty() && !delivering_); });
        if (stopping_)
            return;
        Event event = std::move(queue_.front());
        queue_.pop_front();
        delivering_ = true;
        bool finished = deliverToTargets(lock, event);
        delivering_ = false;
        callbackDone_.notify_all();
        if (!finished)
            return;
    }
}

bool CallbackLane::deliverToTargets(std::unique_lock<std::mutex>& lock, const Event& event) {
    std::vector<std::shared_ptr<Registration>> targets;
    for (const auto& entry : registrations_) {
        const Registration& registration = *entry.second;
        if (!registration.standingRead)
            continue;
        if (event.input && registration.interface != event.interface)
            continue;
        targets.push_back(entry.second);
    }
    for (const auto& registration : targets) {
        if (stopping_)
            return false;
        if (!registration->alive)
            continue;  // deleted by an earlier callback
        running_ = registration.get();
        lock.unlock();
        deliver(*registration, event);
        lock.lock();
        running_ = nullptr;
        callbackDone_.notify_all();
    }
    return true;
}

void CallbackLane::deliver(Registration& registration, const Event& event) {
    HidServEventData data{};
    data.tag = registration.tag;
    data.registration = &registration.record;
    HidServEvent callbackEvent{};
    callbackEvent.data = &data;
    if (event.input) {
        size_t length = event.bytes.size();
        if (length > 0)
            std::memcpy(registration.buffer.data(), event.bytes.data(), length);
        std::memset(registration.buffer.data() + length, 0, registration.buffer.size() - length);
        callbackEvent.kind = HIDSERV_EVENT_INPUT;
        data.value = static_cast<uint32_t>(length);
        data.input = event.bytes.data();
    } else {
        callbackEvent.kind = HIDSERV_EVENT_DEVICE_COUNT;
        data.value =
            static_cast<uint32_t>(event.counts[static_cast<size_t>(registration.interface)]);
    }
    registration.callback(&callbackEvent);
}

}  // namespace hidserv
