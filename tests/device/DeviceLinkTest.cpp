// The connection's registrations, event routing and G-key layer status.
#include <gtest/gtest.h>

#include <future>
#include <mutex>
#include <thread>

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

// Events of different interfaces come on different library threads: a consumer
// handler that waits (for the window, say) must not hold back other events,
// and detach() waits until the waiting handler has returned.
TEST(DeviceLinkThreads, ABlockedConsumerHandlerHoldsBackNoOtherEvent) {
    FakeKeyboard keyboard;
    DeviceLink link(keyboard.api(), fastTiming());
    struct BlockingListener : DeviceEventListener {
        void onDeviceCount(int count) override { counted.set_value(count); }
        void onConsumerCode(uint16_t) override {
            entered.set_value();
            release.get_future().wait();
        }
        std::promise<void> entered, release;
        std::promise<int> counted;
    } listener;
    link.setListener(&listener);
    link.StartDeviceLink();
    auto counted = listener.counted.get_future();  // the start's own count is taken first
    counted.get();
    listener.counted = std::promise<int>();
    counted = listener.counted.get_future();

    uint8_t consumerBuffer[4] = {0x01, 0x04, 0, 0};
    HidServRegistration registration{};
    registration.readBuffer = consumerBuffer;
    HidServEventData consumerData{HIDSERV_TAG_CONS, 4, consumerBuffer, nullptr, &registration};
    HidServEvent consumerEvent{HIDSERV_EVENT_INPUT, 0, &consumerData};
    std::thread consumerThread([&] { DeviceLink::OnDeviceEvent(&consumerEvent); });
    listener.entered.get_future().wait();

    HidServEventData countData{HIDSERV_TAG_CTRL, 3, nullptr, nullptr, nullptr};
    HidServEvent countEvent{HIDSERV_EVENT_DEVICE_COUNT, 0, &countData};
    auto other = std::async(std::launch::async, [&] { DeviceLink::OnDeviceEvent(&countEvent); });
    ASSERT_EQ(other.wait_for(std::chrono::seconds(5)), std::future_status::ready)
        << "the control event waited for the consumer handler";
    EXPECT_EQ(counted.get(), 3);

    auto detached = std::async(std::launch::async, [&] { link.detach(); });
    EXPECT_EQ(detached.wait_for(std::chrono::milliseconds(100)), std::future_status::timeout)
        << "detach returned while a handler was still running";
    listener.release.set_value();
    consumerThread.join();
    EXPECT_EQ(detached.wait_for(std::chrono::seconds(5)), std::future_status::ready);
}
