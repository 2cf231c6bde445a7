// Command sequences and round trips against the virtual keyboard's firmware
// model, answering through the fake library's callback thread.
#include <gtest/gtest.h>

#include <numeric>

#include "DeviceTestSupport.h"
#include "device/CurrentProfileIndex.h"
#include "device/ResultCodes.h"
#include "support/FirmwareResponder.h"
#include "vkbd/Firmware.h"

using namespace device;
using namespace fake;

namespace {

class DeviceVkbdInProcess : public LinkedFakeTest {
  protected:
    DeviceVkbdInProcess() {
        // The fake answers on one thread, so the model is never used from two.
        keyboard.setResponder(testsupport::firmwareResponder(firmware));
    }
    void TearDown() override { setCurrentProfileIndex(0); }

    static std::vector<uint8_t> pattern(size_t size, uint8_t seed) {
        std::vector<uint8_t> bytes(size);
        for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<uint8_t>(seed + i * 13);
        return bytes;
    }

    vkbd::Firmware firmware;
};

}  // namespace

TEST_F(DeviceVkbdInProcess, KeyMapsAndMacroMemoryRoundTrip) {
    auto& c = link.commands();
    std::vector<uint8_t> image = pattern(1000, 0);
    image[0] = 0xAA;
    image[1] = 0x55;
    image[2] = static_cast<uint8_t>(image.size() & 0xFF);
    image[3] = static_cast<uint8_t>(image.size() >> 8);
    std::vector<std::vector<uint8_t>> maps = {pattern(378, 1), pattern(378, 2), pattern(378, 3)};

    // The order the keyboard is written in when all profiles are applied.
    c.BeginTransfer();
    ASSERT_EQ(c.WriteMacroMemory(image.data(), static_cast<int>(image.size())), RESULT_OK);
    for (int p = 0; p < 3; ++p) ASSERT_EQ(c.WriteKeyMap(maps[p].data(), p), RESULT_OK);
    c.EndTransfer();

    EXPECT_TRUE(std::equal(image.begin(), image.end(), firmware.macroMemory().begin()));
    for (int p = 0; p < 3; ++p) {
        std::vector<uint8_t> back(378);
        ASSERT_EQ(c.ReadKeyMap(back.data(), p), RESULT_OK);
        EXPECT_EQ(back, maps[p]) << "profile " << p;
    }
    std::vector<uint8_t> header(kMacroHeaderSize);
    ASSERT_EQ(c.ReadMacroMemory(header.data(), 16), RESULT_OK);
    int total = header[2] | header[3] << 8;
    ASSERT_EQ(total, 1000);
    std::vector<uint8_t> back(static_cast<size_t>(total));
    ASSERT_EQ(c.ReadMacroMemory(back.data(), total), RESULT_OK);
    EXPECT_EQ(back, image);
}

TEST_F(DeviceVkbdInProcess, InformationBlockAndProfileSwitch) {
    auto& c = link.commands();
    uint8_t info[kDeviceInfoSize] = {};
    ASSERT_EQ(c.ReadDeviceInfo(info), RESULT_OK);
    EXPECT_EQ(info[8] | info[9] << 8, 0x0102);
    EXPECT_EQ(info[11], 64);  // default capacity: 64 units of 128 bytes

    ASSERT_EQ(c.SetCurrentProfile(2), RESULT_OK);
    EXPECT_EQ(firmware.currentProfile(), 2);
    c.InvalidateProfileCache();
    EXPECT_EQ(c.GetCurrentProfile(), 2);

    std::vector<uint8_t> factory(378);
    ASSERT_EQ(c.ReadDefaultKeyMap(factory.data()), RESULT_OK);
    EXPECT_EQ(factory, firmware.factoryKeyMap());
}

TEST_F(DeviceVkbdInProcess, ParametersAndKeyColoursLandInTheirProfile) {
    auto& c = link.commands();
    uint8_t rate = 2;
    c.BeginTransfer();
    ASSERT_EQ(c.WriteParameters(&rate, 1, 2 * 42 + 15), RESULT_OK);
    setCurrentProfileIndex(1);
    std::vector<uint8_t> colours = pattern(54, 7);
    ASSERT_EQ(c.WriteKeyColours(colours.data(), 54, 18), RESULT_OK);
    c.EndTransfer();

    EXPECT_EQ(firmware.parameterMemory()[99], 2);
    uint8_t block[56] = {};
    ASSERT_EQ(c.ReadParameters(block, 56, 84), RESULT_OK);
    EXPECT_EQ(block[15], 2);
    EXPECT_TRUE(
        std::equal(colours.begin(), colours.end(), firmware.keyColours().begin() + 512 + 18 * 3));
}

TEST_F(DeviceVkbdInProcess, KeyboardFaultsMapToResults) {
    auto& c = link.commands();
    firmware.answerStatus(0xFE, 3);
    EXPECT_EQ(c.BeginTransfer(), RESULT_STATUS_FE);
    firmware.answerStatus(0xFF, 2);
    EXPECT_EQ(c.BeginTransfer(), RESULT_OK);
    firmware.dropResponses(1);
    firmware.echoWrongCommand(1);
    size_t before = keyboard.writeCount();
    EXPECT_EQ(c.EndTransfer(), RESULT_OK);
    EXPECT_EQ(keyboard.writeCount() - before, 3u);
}
