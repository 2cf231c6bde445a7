// EventLog.h - records what the library's callbacks receive, for tests.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <vector>

#include "hidserv/HidServ.h"

struct RecordedEvent {
    uint32_t kind = 0;
    uint32_t tag = 0;
    uint32_t value = 0;
    std::vector<uint8_t> input;       // the bytes behind the input pointer
    std::vector<uint8_t> readBuffer;  // the registration's read buffer, same length
};

class EventLog {
  public:
    static EventLog& instance();

    // The callback to register; it records the event and returns 1.
    static int record(HidServEvent* event);

    void clear();
    std::vector<RecordedEvent> events();
    // Waits until the recorded events satisfy the condition.
    bool waitFor(const std::function<bool(const std::vector<RecordedEvent>&)>& condition,
                 std::chrono::milliseconds timeout = std::chrono::milliseconds(3000));

    // Events with this tag (and kind).
    static std::vector<RecordedEvent> withTag(const std::vector<RecordedEvent>& events,
                                              uint32_t tag, uint32_t kind);

  private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<RecordedEvent> events_;
};
