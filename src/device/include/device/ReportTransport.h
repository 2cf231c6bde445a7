// ReportTransport.h - one 64-byte request, one 64-byte response, with retries.
//
// A request goes out through the library's RequestWriteOne on the control
// interface; the response arrives on the library's callback thread, which
// hands it to DeliverControlInput. The response slot and its auto-reset event
// carry it from there to the waiting thread.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <mutex>

#include "device/AutoResetEvent.h"
#include "device/CommandFrame.h"
#include "device/HidServApi.h"

namespace device {

// The protocol's fixed waits and pauses. Tests shorten them; the product
// uses the defaults.
struct TransportTiming {
    std::chrono::milliseconds responseWait{1000};  // wait for one response
    std::chrono::milliseconds retryPause{10};      // between attempts
    std::chrono::milliseconds busyPause{1001};     // when another exchange held the slot
    std::chrono::milliseconds commandPause{10};    // before commands that pause (EndTransfer)
};

// The fields of one request frame; the payload is copied from `payload`
// (payloadLength bytes, at most 56) and the rest of the frame is zero.
struct CommandRequest {
    uint8_t command = 0;
    uint8_t length = 0;
    uint16_t offset = 0;
    const uint8_t* payload = nullptr;
    size_t payloadLength = 0;
    bool pauseBefore = false;
};

class ReportTransport {
  public:
    explicit ReportTransport(const HidServApi& api, TransportTiming timing = {});
    ReportTransport(const ReportTransport&) = delete;
    ReportTransport& operator=(const ReportTransport&) = delete;

    // Clears the busy flag and starts the response event unsignalled. Done by
    // the connection start before the control read is registered.
    void ResetResponseSlot();

    // One request (padded with zeros or cut to 64 bytes), one response into
    // `response` (at most `capacity` bytes; `*received` says how many).
    // Returns RESULT_OK, RESULT_NO_DEVICE, RESULT_WRITE_FAILED or
    // RESULT_NO_REPLY. After three answers with a failure status it returns
    // RESULT_OK so that the caller sees the status in the response.
    int ExchangeReport(const uint8_t* request, size_t requestLength, uint8_t* response,
                       uint32_t capacity, uint32_t* received);

    // Called on the library's callback thread for each input on the control
    // interface. Input that arrives while no exchange waits is dropped.
    void DeliverControlInput(const uint8_t* data, uint32_t length);

    // Builds the frame, exchanges it and maps the response status to a
    // result code; a reading command gets `readLength` payload bytes (at most
    // 56) copied into `readInto`.
    int IssueCommand(const CommandRequest& request, uint8_t* readInto = nullptr,
                     size_t readLength = 0);

    // Moves a block of `total` bytes at device address `base` in 56-byte
    // chunks, one command each; the first failing chunk ends the transfer.
    int ReadBlock(uint8_t command, uint32_t base, uint8_t* block, size_t total);
    int WriteBlock(uint8_t command, uint32_t base, const uint8_t* block, size_t total);

    const TransportTiming& timing() const { return timing_; }
    const HidServApi& api() const { return api_; }

  private:
    bool takeSlot(uint8_t* response, uint32_t capacity);
    void releaseSlot();
    uint32_t receivedLength();

    const HidServApi api_;  // a copy: callers need not keep their table alive
    const TransportTiming timing_;

    // Whole exchanges are serialised: two threads never share the single
    // response slot, which the busy flag alone cannot guarantee.
    std::mutex exchangeMutex_;

    // The response slot. slotMutex_ makes the callback's copy and the
    // exchange's release of the caller's buffer mutually exclusive, so a late
    // response can never be written into a buffer whose exchange has ended.
    std::mutex slotMutex_;
    bool busy_ = false;
    uint8_t* target_ = nullptr;
    uint32_t capacity_ = 0;
    uint32_t received_ = 0;
    AutoResetEvent responseEvent_;
};

}  // namespace device
