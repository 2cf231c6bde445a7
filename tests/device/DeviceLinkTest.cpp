// The connection's registrations, event routing and G-key layer status.
#include <gtest/gtest.h>

#include <mutex>

#include "DeviceTestSupport.h"

using namespace device;
using namespace fake;

namespace {

class RecordingListener : public DeviceEventListener {
  public:
    void onDeviceCount(int count) override {
        std::lock_guard lock(mutex);
        counts.push_back(count);
    }
    void onConsumerCode(uint16_t code) override {
        std::lock_guard lock(mutex);
        codes.push_back(code);
    }
    std::mutex mutex;
    std::vector<int> counts;
    std::vector<uint16_t> codes;
};

}  // namespace

TEST(DeviceLinkStart, RegistersConsumerThenControlAndCounts) {
    FakeKeyboard keyboard;
    keyboard.deviceCount = 0;
    DeviceLink link(keyboard.api(), fastTiming());
    RecordingListener listener;
    link.setListener(&listener);

    EXPECT_EQ(link.StartDeviceLink(), 0);
    EXPECT_EQ(keyboard.calls(), (std::vector<std::string>{"Delete 0", "AsyncRead CONS", "Delete 0",
                                                          "AsyncRead CTRL", "Count"}));
    DeviceLinkState state = link.state();
    EXPECT_EQ(state.consumerUnitId, 100u);
    EXPECT_EQ(state.controlUnitId, 101u);
    EXPECT_EQ(state.firstShowDone, 1);  // started without a keyboard
    EXPECT_EQ(state.statusBytes, (std::array<uint8_t, 2>{0x05, 0x02}));
    EXPECT_EQ(listener.counts, std::vector<int>{0});

    // A second start replaces the registrations it made before.
    keyboard.deviceCount = 1;
    EXPECT_EQ(link.StartDeviceLink(), 1);
    auto calls = keyboard.calls();
    EXPECT_EQ(std::vector<std::string>(calls.begin() + 5, calls.end()),
              (std::vector<std::string>{"Delete 100", "AsyncRead CONS", "Delete 101",
                                        "AsyncRead CTRL", "Count"}));
}

class DeviceLinkEvents : public LinkedFakeTest {
  protected:
    DeviceLinkEvents() { link.setListener(&listener); }
    RecordingListener listener;
};

TEST_F(DeviceLinkEvents, CountAndConsumerEventsReachTheListener) {
    keyboard.sendDeviceCount(HIDSERV_TAG_CTRL, 2);
    keyboard.sendDeviceCount(HIDSERV_TAG_CONS, 3);  // counts of other interfaces are ignored
    keyboard.sendConsumerInput({0x01, 0x04, 0x00});
    keyboard.sendConsumerInput({0x11, 0x18});
    keyboard.sendConsumerInput({});  // no read buffer: ignored, no crash
    keyboard.drain();
    EXPECT_EQ(listener.counts, std::vector<int>{2});
    EXPECT_EQ(listener.codes, (std::vector<uint16_t>{0x0401, 0x1811}));
    EXPECT_TRUE(keyboard.statusWrites().empty());
}

TEST_F(DeviceLinkEvents, TwoLayerSwitchesWriteB_ThenA) {
    keyboard.sendConsumerInput({0xFF, 0x02});
    keyboard.sendConsumerInput({0xFF, 0x02});
    keyboard.drain();
    EXPECT_EQ(keyboard.statusWrites(),
              (std::vector<std::vector<uint8_t>>{{0x05, 0x03}, {0x05, 0x02}}));
    auto calls = keyboard.calls();
    // Each status write replaces the previous status registration.
    EXPECT_EQ(
        std::vector<std::string>(calls.end() - 4, calls.end()),
        (std::vector<std::string>{"Delete 0", "StatusWrite DEL", "Delete 102", "StatusWrite DEL"}));
    EXPECT_EQ(listener.codes, (std::vector<uint16_t>{0x02FF, 0x02FF}));
    EXPECT_EQ(link.gKeyLayer(), 0);
}

TEST_F(DeviceLinkEvents, DetachedLinkHearsNothing) {
    link.detach();
    keyboard.sendDeviceCount(HIDSERV_TAG_CTRL, 2);
    keyboard.sendConsumerInput({0xFF, 0x02});
    keyboard.drain();
    EXPECT_TRUE(listener.counts.empty());
    EXPECT_TRUE(listener.codes.empty());
}
