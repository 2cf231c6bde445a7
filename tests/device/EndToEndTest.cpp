// Through the real libHidServ.so and a running keytune-vkbd, with the
// protocol's real waits. Kept few: the rules themselves are covered against
// the fake library.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <future>
#include <memory>

#include "device/DeviceLink.h"
#include "device/ResultCodes.h"
#include "support/LibraryLink.h"
#include "support/VkbdRunner.h"

using namespace device;
using namespace std::chrono;

namespace {

size_t tracedRequests(const std::string& tracePath) {
    std::ifstream in(tracePath);
    size_t count = 0;
    for (std::string line; std::getline(in, line);)
        if (!line.empty() && line[0] == '>')
            ++count;
    return count;
}

class DeviceEndToEnd : public ::testing::Test {
  protected:
    // Binds the staged library and starts the link; returns the device count.
    int connect() {
        const int count = device.connect();
        if (count < 0)
            ADD_FAILURE() << "cannot start libHidServ.so: " << device.library.error();
        return count;
    }

    testsupport::VkbdRunner vkbd;
    testsupport::LibraryLink device;  // ends before the keyboard stops
    std::unique_ptr<DeviceLink>& link = device.link;
};

}  // namespace

TEST_F(DeviceEndToEnd, KeyMapRoundTripsThroughTheSocket) {
    ASSERT_TRUE(vkbd.start());
    ASSERT_EQ(connect(), 1);
    std::vector<uint8_t> map(kKeyMapSize), back(kKeyMapSize);
    for (size_t i = 0; i < map.size(); ++i) map[i] = static_cast<uint8_t>(i * 5 + 1);
    auto& c = link->commands();
    c.BeginTransfer();
    ASSERT_EQ(c.WriteKeyMap(map.data(), 1), RESULT_OK);
    c.EndTransfer();
    ASSERT_EQ(c.ReadKeyMap(back.data(), 1), RESULT_OK);
    EXPECT_EQ(back, map);
}

TEST_F(DeviceEndToEnd, DroppedResponsesGiveUpAfterThreeWritesInAboutThreeSeconds) {
    ASSERT_TRUE(vkbd.start());
    ASSERT_EQ(connect(), 1);
    ASSERT_EQ(vkbd.ctl({"fault", "drop", "100"}).exitCode, 0);
    size_t before = tracedRequests(vkbd.tracePath());
    auto start = steady_clock::now();
    EXPECT_EQ(link->commands().BeginTransfer(), RESULT_NO_REPLY);
    auto elapsed = duration_cast<milliseconds>(steady_clock::now() - start).count();
    EXPECT_GE(elapsed, 2900);
    EXPECT_LT(elapsed, 8000);
    EXPECT_EQ(tracedRequests(vkbd.tracePath()) - before, 3u);
}

TEST_F(DeviceEndToEnd, WithoutKeyboardCommandsFailAtOnce) {
    ASSERT_EQ(connect(), 0);  // nothing listens on the socket
    auto start = steady_clock::now();
    EXPECT_EQ(link->commands().BeginTransfer(), RESULT_NO_DEVICE);
    uint8_t info[kDeviceInfoSize];
    EXPECT_EQ(link->commands().ReadDeviceInfo(info), RESULT_NO_DEVICE);
    EXPECT_LT(duration_cast<milliseconds>(steady_clock::now() - start).count(), 500);
}

TEST_F(DeviceEndToEnd, KeyboardStoppedDuringABlockTransferEndsItWithAFailure) {
    ASSERT_TRUE(vkbd.start());
    ASSERT_EQ(connect(), 1);
    // Slow answers stretch the 147-chunk transfer to seconds, so the keyboard
    // is surely stopped while it is still running.
    ASSERT_EQ(vkbd.ctl({"fault", "delay", "20"}).exitCode, 0);
    std::vector<uint8_t> image(8192, 0x11);
    auto transfer = std::async(std::launch::async, [&] {
        return link->commands().WriteMacroMemory(image.data(), static_cast<int>(image.size()));
    });
    auto deadline = steady_clock::now() + seconds(5);
    while (tracedRequests(vkbd.tracePath()) < 10 && steady_clock::now() < deadline)
        std::this_thread::sleep_for(milliseconds(1));
    vkbd.stop();
    ASSERT_EQ(transfer.wait_for(seconds(15)), std::future_status::ready) << "transfer hangs";
    EXPECT_NE(transfer.get(), RESULT_OK);
}

TEST_F(DeviceEndToEnd, LayerKeyFlipsTheLayerAndWritesTheStatus) {
    ASSERT_TRUE(vkbd.start());
    struct Codes : DeviceEventListener {
        void onDeviceCount(int) override {}
        void onConsumerCode(uint16_t code) override {
            if (code == CONSUMER_LAYER_SWITCH)
                ++layerSwitches;
        }
        std::atomic<int> layerSwitches{0};
    } listener;
    ASSERT_EQ(connect(), 1);
    link->setListener(&listener);

    ASSERT_EQ(vkbd.ctl({"layer"}).exitCode, 0);
    auto deadline = steady_clock::now() + seconds(5);
    while (listener.layerSwitches == 0 && steady_clock::now() < deadline)
        std::this_thread::sleep_for(milliseconds(5));
    EXPECT_EQ(listener.layerSwitches, 1);
    EXPECT_EQ(link->gKeyLayer(), 1);

    // The keyboard got the status bytes 05 03 (layer B).
    auto dump = vkbd.ctl({"dump"});
    EXPECT_NE(dump.out.find("status: 05 03"), std::string::npos) << dump.out;
    link->detach();  // waits for an event in flight before the listener goes away
}
