// FakeHidServ.h - a stand-in for libHidServ.so in tests: a table of the twelve
// entry points backed by a fake keyboard that answers every control write on
// a thread of its own, through the callback registered for "CTRL", as the
// real library does.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "device/CommandFrame.h"
#include "device/HidServApi.h"

namespace fake {

using device::FrameBytes;

// Gets each written request (and its 0-based write number) and gives the
// response to deliver, or nothing to stay silent.
using Responder = std::function<std::optional<FrameBytes>(const FrameBytes& request, int index)>;

// A response that echoes the request's command, length and offset with status 0.
FrameBytes echoResponse(const FrameBytes& request, uint8_t status = 0);

class FakeKeyboard {
  public:
    // Installs itself as the keyboard behind fakeApi(); only one at a time.
    FakeKeyboard();
    ~FakeKeyboard();

    device::HidServApi api() const;

    std::atomic<int> deviceCount{1};
    std::atomic<int> writeResult{64};  // what RequestWriteOne returns

    void setResponder(Responder responder);

    std::vector<FrameBytes> writes() const;
    size_t writeCount() const;
    // Library calls in order, e.g. "Delete 0", "AsyncRead CONS", "Count".
    std::vector<std::string> calls() const;
    std::vector<std::vector<uint8_t>> statusWrites() const;

    // Sends events through the callback registered for the tag, from a thread
    // that is not the test's own.
    void sendControlInput(const std::vector<uint8_t>& bytes);
    void sendConsumerInput(const std::vector<uint8_t>& bytes);
    void sendDeviceCount(uint32_t tag, int count);

    // Waits until every queued request has been answered.
    void drain();

    // Entry points (static: the library's callbacks carry no user data).
    static int Init(int);
    static int End();
    static int Debug(int);
    static int RequestGetDeviceCount(const uint8_t*, int, int, int);
    static int DeleteRequestFromUnitId(uint32_t);
    static int DeleteRequestFromHandle(void*);
    static int RequestWrite(const uint8_t*, int, int, const uint8_t*, int, int);
    static int RequestWriteOne(const uint8_t*, int, int, const uint8_t*, int, int);
    static int RequestStatusWrite(const uint8_t*, HidServCallback, uint32_t, const uint8_t*, int,
                                  uint32_t*);
    static int RequestStatusGet(const uint8_t*, uint8_t*, int);
    static int RequestAsyncRead(const uint8_t*, HidServCallback, uint32_t, uint32_t*);
    static int RequestStatusSetFeature(const uint8_t*, const uint8_t*, int);

  private:
    void run();
    void post(std::function<void()> job);
    HidServCallback callbackFor(uint32_t tag) const;
    void deliver(uint32_t tag, uint32_t kind, uint32_t value, std::vector<uint8_t> bytes);

    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable idle_;
    std::deque<std::function<void()>> jobs_;
    bool running_ = true;
    bool busy_ = false;
    Responder responder_;
    std::vector<FrameBytes> writes_;
    std::vector<std::string> calls_;
    std::vector<std::vector<uint8_t>> statusWrites_;
    HidServCallback consumerCallback_ = nullptr;
    HidServCallback controlCallback_ = nullptr;
    uint32_t nextUnitId_ = 100;
    std::thread thread_;
};

}  // namespace fake
