#include "EventLog.h"

EventLog& EventLog::instance() {
    static EventLog log;
    return log;
}

int EventLog::record(HidServEvent* event) {
    RecordedEvent recorded;
    recorded.kind = event->kind;
    recorded.tag = event->data->tag;
    recorded.value = event->data->value;
    if (event->kind == HIDSERV_EVENT_INPUT) {
        recorded.input.assign(event->data->input, event->data->input + event->data->value);
        const uint8_t* buffer = event->data->registration->readBuffer;
        recorded.readBuffer.assign(buffer, buffer + event->data->value);
    }
    EventLog& log = instance();
    std::lock_guard lock(log.mutex_);
    log.events_.push_back(std::move(recorded));
    log.changed_.notify_all();
    return 1;
}

void EventLog::clear() {
    std::lock_guard lock(mutex_);
    events_.clear();
}

std::vector<RecordedEvent> EventLog::events() {
    std::lock_guard lock(mutex_);
    return events_;
}

bool EventLog::waitFor(const std::function<bool(const std::vector<RecordedEvent>&)>& condition,
                       std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout, [&] { return condition(events_); });
}

std::vector<RecordedEvent> EventLog::withTag(const std::vector<RecordedEvent>& events, uint32_t tag,
                                             uint32_t kind) {
    std::vector<RecordedEvent> matching;
    for (const auto& event : events) {
        if (event.tag == tag && event.kind == kind)
            matching.push_back(event);
    }
    return matching;
}
