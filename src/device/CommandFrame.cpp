#include "device/CommandFrame.h"

namespace device {

FrameBytes CommandFrame::encode() const {
    FrameBytes bytes{};
    bytes[kFrameReportIdAt] = reportId;
    bytes[kFrameChecksumAt] = static_cast<uint8_t>(checksum & 0xFF);
    bytes[kFrameChecksumAt + 1] = static_cast<uint8_t>(checksum >> 8);
    bytes[kFrameCommandAt] = command;
    bytes[kFrameLengthAt] = length;
    bytes[kFrameOffsetAt] = static_cast<uint8_t>(offset & 0xFF);
    bytes[kFrameOffsetAt + 1] = static_cast<uint8_t>(offset >> 8);
    bytes[kFrameStatusAt] = status;
    for (size_t i = 0; i < kPayloadSize; ++i) bytes[kPayloadOffset + i] = payload[i];
    return bytes;
}

FrameBytes CommandFrame::encodeWithChecksum() const {
    FrameBytes bytes = encode();
    SetFrameChecksum(bytes);
    return bytes;
}

CommandFrame CommandFrame::decode(const FrameBytes& bytes) {
    CommandFrame frame;
    frame.reportId = bytes[kFrameReportIdAt];
    frame.checksum =
        static_cast<uint16_t>(bytes[kFrameChecksumAt] | (bytes[kFrameChecksumAt + 1] << 8));
    frame.command = bytes[kFrameCommandAt];
    frame.length = bytes[kFrameLengthAt];
    frame.offset = static_cast<uint16_t>(bytes[kFrameOffsetAt] | (bytes[kFrameOffsetAt + 1] << 8));
    frame.status = bytes[kFrameStatusAt];
    for (size_t i = 0; i < kPayloadSize; ++i) frame.payload[i] = bytes[kPayloadOffset + i];
    return frame;
}

uint16_t FrameChecksum(const uint8_t* frame) {
    uint32_t sum = 0;
    for (size_t i = kFrameCommandAt; i < kFrameSize; ++i) sum += frame[i];
    return static_cast<uint16_t>(sum & 0xFFFF);
}

void SetFrameChecksum(uint8_t* frame) {
    uint16_t sum = FrameChecksum(frame);
    frame[kFrameChecksumAt] = static_cast<uint8_t>(sum & 0xFF);
    frame[kFrameChecksumAt + 1] = static_cast<uint8_t>(sum >> 8);
}

}  // namespace device
