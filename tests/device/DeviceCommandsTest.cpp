// The command set's frames, block transfers and profile selection, against
// the fake keyboard.
#include <gtest/gtest.h>

#include <functional>

#include "DeviceTestSupport.h"
#include "device/CurrentProfileIndex.h"
#include "device/ResultCodes.h"

using namespace device;
using namespace fake;

namespace {

class DeviceCommandSet : public LinkedFakeTest {
  protected:
    void TearDown() override { setCurrentProfileIndex(0); }
};

struct FrameCase {
    const char* name;
    std::function<int(DeviceCommands&)> call;
    uint8_t command, length;
    uint16_t offset;
    std::vector<uint8_t> payload;
};

const uint8_t kThree[3] = {7, 8, 9};

std::vector<FrameCase> frameCases() {
    return {
        {"BeginTransfer", [](DeviceCommands& c) { return c.BeginTransfer(); }, 1, 0, 0, {}},
        {"EndTransfer", [](DeviceCommands& c) { return c.EndTransfer(); }, 2, 0, 0, {}},
        {"ReadDeviceInfo",
         [](DeviceCommands& c) {
             uint8_t info[44];
             return c.ReadDeviceInfo(info);
         },
         3,
         44,
         0,
         {}},
        {"ReadParameters",
         [](DeviceCommands& c) {
             uint8_t block[56];
             return c.ReadParameters(block, 56, 84);
         },
         5,
         56,
         84,
         {}},
        {"WriteParameters",
         [](DeviceCommands& c) { return c.WriteParameters(kThree, 3, 99); },
         6,
         3,
         99,
         {7, 8, 9}},
        {"WriteKeyColours, profile index 2, first key 18",
         [](DeviceCommands& c) {
             setCurrentProfileIndex(2);
             return c.WriteKeyColours(kThree, 3, 18);
         },
         17,
         3,
         2 * 512 + 18 * 3,
         {7, 8, 9}},
    };
}

}  // namespace

TEST_F(DeviceCommandSet, SingleFrameCommandsFillTheirFields) {
    for (const auto& c : frameCases()) {
        SCOPED_TRACE(c.name);
        markWrites();
        ASSERT_EQ(c.call(link.commands()), RESULT_OK);
        auto writes = newWrites();
        ASSERT_EQ(writes.size(), 1u);
        CommandFrame frame = CommandFrame::decode(writes[0]);
        EXPECT_EQ(frame.reportId, 0x04);
        EXPECT_EQ(frame.command, c.command);
        EXPECT_EQ(frame.length, c.length);
        EXPECT_EQ(frame.offset, c.offset);
        EXPECT_EQ(frame.status, 0);
        EXPECT_EQ(frame.checksum, FrameChecksum(writes[0].data()));
        std::array<uint8_t, 56> payload{};
        std::copy(c.payload.begin(), c.payload.end(), payload.begin());
        EXPECT_EQ(frame.payload, payload);
    }
}

struct BlockCase {
    const char* name;
    std::function<int(DeviceCommands&)> call;
    uint8_t command;
    std::vector<uint16_t> offsets;
    uint8_t lastLength;
};

TEST_F(DeviceCommandSet, BlockTransfersUseFiftySixByteChunksFromTheirBase) {
    static std::vector<uint8_t> map(378), macros(100);
    std::vector<BlockCase> cases = {
        {"WriteKeyMap 2",
         [](DeviceCommands& c) { return c.WriteKeyMap(map.data(), 2); },
         8,
         {756, 812, 868, 924, 980, 1036, 1092},
         42},
        {"ReadKeyMap 1",
         [](DeviceCommands& c) { return c.ReadKeyMap(map.data(), 1); },
         7,
         {378, 434, 490, 546, 602, 658, 714},
         42},
        {"ReadDefaultKeyMap",
         [](DeviceCommands& c) { return c.ReadDefaultKeyMap(map.data()); },
         15,
         {0, 56, 112, 168, 224, 280, 336},
         42},
        {"WriteMacroMemory 100",
         [](DeviceCommands& c) { return c.WriteMacroMemory(macros.data(), 100); },
         10,
         {0, 56},
         44},
        {"ReadMacroMemory 56",
         [](DeviceCommands& c) { return c.ReadMacroMemory(macros.data(), 56); },
         9,
         {0},
         56},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        markWrites();
        ASSERT_EQ(c.call(link.commands()), RESULT_OK);
        auto writes = newWrites();
        ASSERT_EQ(writes.size(), c.offsets.size());
        for (size_t i = 0; i < writes.size(); ++i) {
            EXPECT_EQ(writes[i][3], c.command);
            EXPECT_EQ(frameOffset(writes[i]), c.offsets[i]);
            EXPECT_EQ(writes[i][4], i + 1 < writes.size() ? 56 : c.lastLength);
        }
    }
}

TEST_F(DeviceCommandSet, BlockDataLandsAtTheChunkPositions) {
    // The keyboard's memory byte at address a holds a * 7 mod 256.
    keyboard.setResponder([](const FrameBytes& request, int) {
        FrameBytes response = echoResponse(request);
        for (int i = 0; i < request[4]; ++i)
            response[8 + i] = static_cast<uint8_t>((frameOffset(request) + i) * 7);
        return response;
    });
    std::vector<uint8_t> map(378);
    ASSERT_EQ(link.commands().ReadKeyMap(map.data(), 1), RESULT_OK);
    for (size_t i = 0; i < map.size(); ++i)
        ASSERT_EQ(map[i], static_cast<uint8_t>((378 + i) * 7)) << "byte " << i;

    std::vector<uint8_t> image(130);
    for (size_t i = 0; i < image.size(); ++i) image[i] = static_cast<uint8_t>(i + 1);
    markWrites();
    ASSERT_EQ(link.commands().WriteMacroMemory(image.data(), 130), RESULT_OK);
    auto writes = newWrites();
    ASSERT_EQ(writes.size(), 3u);
    EXPECT_EQ(writes[2][4], 18);
    EXPECT_EQ(writes[2][8], 113);       // image byte 112
    EXPECT_EQ(writes[2][8 + 17], 130);  // the last image byte
    EXPECT_EQ(writes[2][8 + 18], 0);    // zero past the data
}

TEST_F(DeviceCommandSet, FirstFailingChunkEndsTheTransfer) {
    keyboard.setResponder([](const FrameBytes& request, int) {
        return echoResponse(request, frameOffset(request) == 112 ? 0xFF : 0x00);
    });
    std::vector<uint8_t> map(378);
    EXPECT_EQ(link.commands().WriteKeyMap(map.data(), 0), RESULT_STATUS_FF);
    EXPECT_EQ(keyboard.writeCount(), 2u + 3u);  // two chunks, then three tries of the third
}

TEST_F(DeviceCommandSet, BadProfileAndEmptyMacroTransfersSendNothing) {
    std::vector<uint8_t> map(378);
    EXPECT_EQ(link.commands().WriteKeyMap(map.data(), 3), RESULT_BAD_PROFILE);
    EXPECT_EQ(link.commands().ReadKeyMap(map.data(), -1), RESULT_BAD_PROFILE);
    EXPECT_EQ(link.commands().SetCurrentProfile(3), RESULT_BAD_PROFILE);
    EXPECT_EQ(link.commands().ReadMacroMemory(map.data(), 0), RESULT_OK);
    EXPECT_EQ(link.commands().WriteMacroMemory(map.data(), 0), RESULT_OK);
    EXPECT_EQ(keyboard.writeCount(), 0u);
}

namespace {

// A keyboard whose information block says profile `profile`, and which
// stores a written block.
class DeviceProfileSelection : public LinkedFakeTest {
  protected:
    DeviceProfileSelection() {
        info.fill(0);
        info[0] = 0x5A;
        info[10] = 2;
        keyboard.setResponder([this](const FrameBytes& request, int) -> std::optional<FrameBytes> {
            FrameBytes response = echoResponse(request);
            if (request[3] == CMD_READ_DEVICE_INFO) {
                if (failReads)
                    return std::nullopt;
                std::copy(info.begin(), info.end(), response.begin() + 8);
            } else if (request[3] == CMD_WRITE_DEVICE_INFO) {
                if (refuseWrites)
                    response[7] = 0xFE;
                else
                    std::copy(request.begin() + 8, request.begin() + 8 + 44, info.begin());
            }
            return response;
        });
    }
    std::array<uint8_t, 44> info;
    std::atomic<bool> failReads{false}, refuseWrites{false};
};

}  // namespace

TEST_F(DeviceProfileSelection, GetCurrentProfileAsksOnceThenUsesTheCache) {
    EXPECT_EQ(link.commands().CurrentProfileCache(), -1);
    EXPECT_EQ(link.commands().GetCurrentProfile(), 2);
    EXPECT_EQ(link.commands().GetCurrentProfile(), 2);
    EXPECT_EQ(keyboard.writeCount(), 1u);
    link.commands().InvalidateProfileCache();
    EXPECT_EQ(link.commands().GetCurrentProfile(), 2);
    EXPECT_EQ(keyboard.writeCount(), 2u);
}

TEST_F(DeviceProfileSelection, SetCurrentProfileRewritesOnlyTheProfileByte) {
    ASSERT_EQ(link.commands().SetCurrentProfile(1), RESULT_OK);
    EXPECT_EQ(info[10], 1);
    EXPECT_EQ(info[0], 0x5A);  // carried unchanged
    EXPECT_EQ(link.commands().CurrentProfileCache(), 1);
    auto writes = keyboard.writes();
    ASSERT_EQ(writes.size(), 2u);
    EXPECT_EQ(writes[0][3], CMD_READ_DEVICE_INFO);
    EXPECT_EQ(writes[1][3], CMD_WRITE_DEVICE_INFO);
    EXPECT_EQ(writes[1][4], 44);
}

TEST_F(DeviceProfileSelection, FailedProfileWriteForgetsTheCache) {
    ASSERT_EQ(link.commands().GetCurrentProfile(), 2);
    refuseWrites = true;
    EXPECT_EQ(link.commands().SetCurrentProfile(0), RESULT_STATUS_FE);
    EXPECT_EQ(link.commands().CurrentProfileCache(), -1);
}

TEST(DeviceProfileTimeout, UnreadableKeyboardGivesMinusOneAndAsksAgain) {
    FakeKeyboard keyboard;
    keyboard.setResponder([](const FrameBytes&, int) { return std::nullopt; });
    DeviceLink link(keyboard.api(), fastTiming(std::chrono::milliseconds(20)));
    link.StartDeviceLink();
    EXPECT_EQ(link.commands().GetCurrentProfile(), -1);
    EXPECT_EQ(link.commands().CurrentProfileCache(), -1);
    EXPECT_EQ(link.commands().GetCurrentProfile(), -1);
    EXPECT_EQ(keyboard.writeCount(), 6u);  // asked again: three tries each
}
