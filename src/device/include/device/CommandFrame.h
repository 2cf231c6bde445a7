// CommandFrame.h - the 64-byte report shared by every request and response.
//
// Wire layout (little-endian):
//   0 report id (0x04) | 1-2 checksum | 3 command | 4 length | 5-6 offset |
//   7 status | 8-63 payload
// The checksum is the 16-bit sum of bytes 3..63 and is computed last.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace device {

constexpr size_t kFrameSize = 64;
constexpr size_t kPayloadSize = 56;
constexpr size_t kPayloadOffset = 8;
constexpr uint8_t kReportId = 0x04;
constexpr uint8_t kStatusFailFF = 0xFF;
constexpr uint8_t kStatusFailFE = 0xFE;

// Byte positions inside a frame.
constexpr size_t kFrameReportIdAt = 0;
constexpr size_t kFrameChecksumAt = 1;
constexpr size_t kFrameCommandAt = 3;
constexpr size_t kFrameLengthAt = 4;
constexpr size_t kFrameOffsetAt = 5;
constexpr size_t kFrameStatusAt = 7;

using FrameBytes = std::array<uint8_t, kFrameSize>;

struct CommandFrame {
    uint8_t reportId = kReportId;
    uint16_t checksum = 0;
    uint8_t command = 0;
    uint8_t length = 0;
    uint16_t offset = 0;
    uint8_t status = 0;
    std::array<uint8_t, kPayloadSize> payload{};

    // Writes the fields in wire order; the checksum field is written as stored
    // (call SetFrameChecksum on the result, or use encodeWithChecksum).
    FrameBytes encode() const;
    FrameBytes encodeWithChecksum() const;
    static CommandFrame decode(const FrameBytes& bytes);
};

static_assert(1 + 2 + 1 + 1 + 2 + 1 + kPayloadSize == kFrameSize,
              "the fields of a command frame fill exactly 64 bytes");
static_assert(kPayloadOffset + kPayloadSize == kFrameSize);

// Fills bytes 1 and 2 of a 64-byte frame with the sum of bytes 3..63.
void SetFrameChecksum(uint8_t* frame);
inline void SetFrameChecksum(FrameBytes& frame) {
    SetFrameChecksum(frame.data());
}

uint16_t FrameChecksum(const uint8_t* frame);

}  // namespace device
