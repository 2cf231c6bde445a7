#include "device/ReportTransport.h"

#include <algorithm>
#include <cstring>
#include <thread>

#include "device/DeviceSelectors.h"
#include "device/ResultCodes.h"

namespace device {

namespace {

constexpr int kMaxAttempts = 3;
constexpr size_t kHeaderEnd = kFrameStatusAt;  // bytes 3..6: command, length, offset

std::array<uint8_t, 4> headerOf(const uint8_t* frame) {
    return {frame[kFrameCommandAt], frame[kFrameCommandAt + 1], frame[kFrameCommandAt + 2],
            frame[kFrameCommandAt + 3]};
}

}  // namespace

ReportTransport::ReportTransport(const HidServApi& api, TransportTiming timing)
    : api_(api), timing_(timing) {}

void ReportTransport::ResetResponseSlot() {
    {
        std::lock_guard lock(slotMutex_);
        busy_ = false;
        target_ = nullptr;
        capacity_ = 0;
        received_ = 0;
    }
    responseEvent_.reset();
}

// Points the slot at the caller's buffer and marks it busy. Returns whether
// the slot had been left busy by someone else.
bool ReportTransport::takeSlot(uint8_t* response, uint32_t capacity, const Header& expected) {
    bool wasBusy;
    {
        std::lock_guard lock(slotMutex_);
        wasBusy = busy_;
    }
    if (wasBusy) {
        // Another exchange still waits for its response: give it time, then
        // take the slot regardless.
        std::this_thread::sleep_for(timing_.busyPause);
    }
    std::lock_guard lock(slotMutex_);
    target_ = response;
    capacity_ = capacity;
    received_ = 0;
    expected_ = expected;
    matched_ = false;
    responseEvent_.reset();
    busy_ = true;
    return wasBusy;
}

bool ReportTransport::releaseSlot() {
    std::lock_guard lock(slotMutex_);
    busy_ = false;
    target_ = nullptr;
    capacity_ = 0;
    return matched_;
}

void ReportTransport::rememberSent(const Header& header) {
    std::lock_guard lock(slotMutex_);
    if (recentCount_ > 0 &&
        recent_[(recentNext_ + kRememberedRequests - 1) % kRememberedRequests] == header)
        return;
    recent_[recentNext_] = header;
    recentNext_ = (recentNext_ + 1) % kRememberedRequests;
    recentCount_ = std::min(recentCount_ + 1, kRememberedRequests);
}

bool ReportTransport::sentEarlier(const Header& header) const {
    for (size_t i = 0; i < recentCount_; ++i)
        if (recent_[i] == header)
            return true;
    return false;
}

uint32_t ReportTransport::receivedLength() {
    std::lock_guard lock(slotMutex_);
    return received_;
}

int ReportTransport::ExchangeReport(const uint8_t* request, size_t requestLength, uint8_t* response,
                                    uint32_t capacity, uint32_t* received) {
    std::lock_guard exchange(exchangeMutex_);
    if (received)
        *received = 0;

    int count = api_.RequestGetDeviceCount
                    ? api_.RequestGetDeviceCount(controlSelector().data(), 0, 0, 0)
                    : 0;
    if (count <= 0) {
        releaseSlot();
        return RESULT_NO_DEVICE;
    }

    FrameBytes send{};
    if (request)
        std::memcpy(send.data(), request, std::min(requestLength, kFrameSize));

    // Compare echoes against the frame actually sent: a request shorter than
    // four bytes has command 0 on the wire.
    const Header sent = headerOf(send.data());
    int failedAttempts = 0;
    int result = RESULT_NO_REPLY;
    for (;;) {
        takeSlot(response, capacity, sent);

        int written = api_.RequestWriteOne
                          ? api_.RequestWriteOne(controlSelector().data(), 0, 0, send.data(),
                                                 static_cast<int>(kFrameSize), 0)
                          : 0;
        if (written <= 0) {
            releaseSlot();
            result = RESULT_WRITE_FAILED;
            break;
        }

        bool signalled = responseEvent_.waitFor(timing_.responseWait);
        // Release before looking at the response: from here on the callback
        // may no longer touch the caller's buffer.
        uint32_t got = receivedLength();
        const bool matched = releaseSlot();

        // A response counts only with the bytes the callback delivered and a
        // header that belongs to this request.
        bool echoed = signalled && matched;
        bool failureStatus = echoed && got > kFrameStatusAt &&
                             (response[kFrameStatusAt] == kStatusFailFF ||
                              response[kFrameStatusAt] == kStatusFailFE);
        if (echoed && !failureStatus) {
            if (received)
                *received = got;
            result = RESULT_OK;
            break;
        }
        if (++failedAttempts >= kMaxAttempts) {
            result = RESULT_NO_REPLY;
            if (failureStatus) {
                // Third failure status: the caller sees it in the response.
                if (received)
                    *received = got;
                result = RESULT_OK;
            }
            break;
        }
        std::this_thread::sleep_for(timing_.retryPause);
    }
    // Answers to this request that are still on their way are stale from now on.
    rememberSent(sent);
    return result;
}

void ReportTransport::DeliverControlInput(const uint8_t* data, uint32_t length) {
    {
        std::lock_guard lock(slotMutex_);
        if (!busy_ || !target_ || !data || matched_)
            return;
        bool matches = false;
        if (length >= kHeaderEnd) {
            const Header got = headerOf(data);
            const bool unfilled = got[1] == 0 && got[2] == 0 && got[3] == 0;
            matches = got == expected_ || (unfilled && got[0] == expected_[0]);
            if (!matches && sentEarlier(got))
                return;  // a late answer to an earlier request
        }
        // Too short to carry the header, or another header: a wrong echo,
        // which the waiting exchange counts as a failed attempt.
        uint32_t count = std::min(length, capacity_);
        std::memcpy(target_, data, count);
        received_ = count;
        matched_ = matches;
    }
    responseEvent_.set();
}

int ReportTransport::IssueCommand(const CommandRequest& request, uint8_t* readInto,
                                  size_t readLength) {
    CommandFrame frame;
    frame.command = request.command;
    frame.length = request.length;
    frame.offset = request.offset;
    if (request.payload) {
        std::memcpy(frame.payload.data(), request.payload,
                    std::min(request.payloadLength, kPayloadSize));
    }
    FrameBytes bytes = frame.encodeWithChecksum();

    if (request.pauseBefore)
        std::this_thread::sleep_for(timing_.commandPause);

    FrameBytes response{};
    uint32_t received = 0;
    int result = ExchangeReport(bytes.data(), bytes.size(), response.data(),
                                static_cast<uint32_t>(response.size()), &received);
    if (result != RESULT_OK)
        return result;
    if (response[kFrameStatusAt] == kStatusFailFF)
        return RESULT_STATUS_FF;
    if (response[kFrameStatusAt] == kStatusFailFE)
        return RESULT_STATUS_FE;
    if (readInto && readLength > 0) {
        std::memcpy(readInto, response.data() + kPayloadOffset, std::min(readLength, kPayloadSize));
    }
    return RESULT_OK;
}

int ReportTransport::ReadBlock(uint8_t command, uint32_t base, uint8_t* block, size_t total) {
    for (size_t j = 0; j < total; j += kPayloadSize) {
        size_t length = j + kPayloadSize < total ? kPayloadSize : total - j;
        CommandRequest request;
        request.command = command;
        request.length = static_cast<uint8_t>(length);
        request.offset = static_cast<uint16_t>(base + j);
        int result = IssueCommand(request, block + j, length);
        if (result != RESULT_OK)
            return result;
    }
    return RESULT_OK;
}

int ReportTransport::WriteBlock(uint8_t command, uint32_t base, const uint8_t* block,
                                size_t total) {
    for (size_t j = 0; j < total; j += kPayloadSize) {
        size_t length = j + kPayloadSize < total ? kPayloadSize : total - j;
        CommandRequest request;
        request.command = command;
        request.length = static_cast<uint8_t>(length);
        request.offset = static_cast<uint16_t>(base + j);
        request.payload = block + j;
        request.payloadLength = length;
        int result = IssueCommand(request);
        if (result != RESULT_OK)
            return result;
    }
    return RESULT_OK;
}

}  // namespace device
