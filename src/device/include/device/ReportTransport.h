// ReportTransport.h - one 64-byte request, one 64-byte response, with retries.
//
// A request goes out through the library's RequestWriteOne on the control
// interface; the response arrives on the library's callback thread, which
// hands it to DeliverControlInput. The response slot and its auto-reset event
// carry it from there to the waiting thread.
#pragma once

#include <array>
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
    //
    // The keyboard answers in the request's layout and echoes its command,
    // length and offset (bytes 3 to 6). An answer is taken for the waiting
    // request only when all four match; a keyboard that leaves length and
    // offset zero is matched on the command alone. An answer whose header
    // is that of an earlier request (a late answer to an attempt that timed
    // out) is dropped and the wait goes on; any other mismatch counts as a
    // wrong echo. Once a matching answer is in, later input is dropped.
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
    using Header = std::array<uint8_t, 4>;  // command, length, offset low, offset high

    bool takeSlot(uint8_t* response, uint32_t capacity, const Header& expected);
    // Ends the wait; true when the answer in the caller's buffer matched.
    bool releaseSlot();
    void rememberSent(const Header& header);
    bool sentEarlier(const Header& header) const;
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
    Header expected_{};
    bool matched_ = false;
    // Headers of the last requests before the waiting one (guarded by
    // slotMutex_): late answers to them are recognised and dropped.
    static constexpr size_t kRememberedRequests = 8;
    std::array<Header, kRememberedRequests> recent_{};
    size_t recentCount_ = 0;
    size_t recentNext_ = 0;
    AutoResetEvent responseEvent_;
};

}  // namespace device
