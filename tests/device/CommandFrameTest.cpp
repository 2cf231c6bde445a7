#include <gtest/gtest.h>

#include "device/CommandFrame.h"

using namespace device;

TEST(DeviceCommandFrame, ChecksumOfAllFFIsC33C) {
    FrameBytes frame;
    frame.fill(0xFF);
    frame[0] = 0x04;
    SetFrameChecksum(frame);
    EXPECT_EQ(frame[1], 0xC3);
    EXPECT_EQ(frame[2], 0x3C);
}

TEST(DeviceCommandFrame, BeginTransferRequestBytes) {
    CommandFrame frame;
    frame.command = 1;
    FrameBytes expected{};
    expected[0] = 0x04;
    expected[1] = 0x01;  // checksum: just the command byte
    expected[3] = 0x01;
    EXPECT_EQ(frame.encodeWithChecksum(), expected);
}

TEST(DeviceCommandFrame, FieldsAreLittleEndianAndChecksumCoversPayload) {
    CommandFrame frame;
    frame.command = 8;
    frame.length = 42;
    frame.offset = 0x0444;  // 1092
    frame.payload[55] = 0x10;
    FrameBytes bytes = frame.encodeWithChecksum();
    EXPECT_EQ(bytes[4], 42);
    EXPECT_EQ(bytes[5], 0x44);
    EXPECT_EQ(bytes[6], 0x04);
    EXPECT_EQ(bytes[63], 0x10);
    uint16_t sum = 8 + 42 + 0x44 + 0x04 + 0x10;
    EXPECT_EQ(bytes[1] | bytes[2] << 8, sum);

    CommandFrame back = CommandFrame::decode(bytes);
    EXPECT_EQ(back.offset, 0x0444);
    EXPECT_EQ(back.checksum, sum);
    EXPECT_EQ(back.payload, frame.payload);
}
