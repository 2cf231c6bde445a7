#include "device/ReportTransport.h"

#include <algorithm>
#include <cstring>
#include <thread>

#include "device/DeviceSelectors.h"
#include "device/ResultCodes.h"

namespace device {

namespace {

constexpr int kMaxAttempts = 3;

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
bool ReportTransport::takeSlot(uint8_t* response, uint32_t capacity) {
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
    responseEvent_.reset();
    busy_ = true;
    return wasBusy;
}

void ReportTransport::releaseSlot() {
    std::lock_guard lock(slotMutex_);
    busy_ = false;
    target_ = nullptr;
    capacity_ = 0;
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
    const uint8_t sentCommand = send[kFrameCommandAt];
    int failedAttempts = 0;
    for (;;) {
        takeSlot(response, capacity);

        int written = api_.RequestWriteOne
                          ? api_.RequestWriteOne(controlSelector().data(), 0, 0, send.data(),
                                                 static_cast<int>(kFrameSize), 0)
                          : 0;
        if (written <= 0) {
            releaseSlot();
            return RESULT_WRITE_FAILED;
        }

        bool signalled = responseEvent_.waitFor(timing_.responseWait);
        // Release before looking at the response: from here on the callback
        // may no longer touch the caller's buffer.
        uint32_t got = receivedLength();
        releaseSlot();

        // A response counts only with the bytes the callback delivered; one
        // too short to carry the command byte is treated like a wrong echo.
        bool echoed =
            signalled && got > kFrameCommandAt && response[kFrameCommandAt] == sentCommand;
        bool failureStatus = echoed && got > kFrameStatusAt &&
                             (response[kFrameStatusAt] == kStatusFailFF ||
                              response[kFrameStatusAt] == kStatusFailFE);
        if (echoed && !failureStatus) {
            if (received)
                *received = got;
            return RESULT_OK;
        }
        if (++failedAttempts >= kMaxAttempts) {
            if (!failureStatus)
                return RESULT_NO_REPLY;
            // Third failure status: the caller sees it in the response.
            if (received)
                *received = got;
            return RESULT_OK;
        }
        std::this_thread::sleep_for(timing_.retryPause);
    }
}

void ReportTransport::DeliverControlInput(const uint8_t* data, uint32_t length) {
    {
        std::lock_guard lock(slotMutex_);
        if (!busy_ || !target_ || !data)
            return;
        uint32_t count = std::min(length, capacity_);
        std::memcpy(target_, data, count);
        received_ = count;
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
