// FrameLayout.h - where the fields of a 64-byte command frame sit.
//
// Request and response share one layout (little-endian):
//   0 report id (0x04) | 1-2 checksum | 3 command | 4 length | 5-6 offset |
//   7 status | 8-63 payload
// The checksum is the 16-bit sum of bytes 3..63, stored low byte first.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace vkbd {

using Frame = std::array<uint8_t, 64>;

namespace frame {

constexpr size_t kReportIdAt = 0;
constexpr size_t kChecksumAt = 1;
constexpr size_t kCommandAt = 3;
constexpr size_t kLengthAt = 4;
constexpr size_t kOffsetAt = 5;
constexpr size_t kStatusAt = 7;
constexpr size_t kPayloadAt = 8;
constexpr size_t kPayloadSize = 56;
static_assert(kPayloadAt + kPayloadSize == std::tuple_size_v<Frame>);

constexpr uint8_t kReportId = 0x04;
constexpr uint8_t kStatusOk = 0x00;
// Every request the keyboard refuses (unknown command, a range outside the
// addressed memory, a length above the payload, a bad checksum) is answered
// with this status; 0xFE only ever comes from the "status fe" fault.
constexpr uint8_t kStatusRefused = 0xFF;
constexpr uint8_t kStatusBusy = 0xFE;

inline uint16_t checksum(const Frame& f) {
    uint32_t sum = 0;
    for (size_t i = kCommandAt; i < f.size(); ++i) sum += f[i];
    return static_cast<uint16_t>(sum);
}

inline void setChecksum(Frame& f) {
    const uint16_t sum = checksum(f);
    f[kChecksumAt] = static_cast<uint8_t>(sum);
    f[kChecksumAt + 1] = static_cast<uint8_t>(sum >> 8);
}

inline uint16_t storedChecksum(const Frame& f) {
    return static_cast<uint16_t>(f[kChecksumAt] | (f[kChecksumAt + 1] << 8));
}

inline uint16_t offset(const Frame& f) {
    return static_cast<uint16_t>(f[kOffsetAt] | (f[kOffsetAt + 1] << 8));
}

// A complete request: report id, fields, payload (cut to 56 bytes), checksum.
inline Frame makeRequest(uint8_t command, uint8_t length, uint16_t offsetValue,
                         const uint8_t* payload = nullptr, size_t payloadLength = 0) {
    Frame f{};
    f[kReportIdAt] = kReportId;
    f[kCommandAt] = command;
    f[kLengthAt] = length;
    f[kOffsetAt] = static_cast<uint8_t>(offsetValue);
    f[kOffsetAt + 1] = static_cast<uint8_t>(offsetValue >> 8);
    for (size_t i = 0; i < payloadLength && i < kPayloadSize; ++i) f[kPayloadAt + i] = payload[i];
    setChecksum(f);
    return f;
}

}  // namespace frame

// The command numbers the keyboard understands.
enum class Command : uint8_t {
    BeginTransfer = 1,
    EndTransfer = 2,
    ReadDeviceInfo = 3,
    WriteDeviceInfo = 4,
    ReadParameters = 5,
    WriteParameters = 6,
    ReadKeyMap = 7,
    WriteKeyMap = 8,
    ReadMacroMemory = 9,
    WriteMacroMemory = 10,
    ReadDefaultKeyMap = 15,
    WriteKeyColours = 17,
};

}  // namespace vkbd
