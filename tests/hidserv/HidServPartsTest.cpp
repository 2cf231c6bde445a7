// The pieces behind the entry points that the library keeps hidden: the
// hidraw node filter, the device table's choices and the callback lanes.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "DeviceTable.h"
#include "Dispatcher.h"
#include "EventLog.h"
#include "HidrawFilter.h"

using namespace hidserv;

namespace {

TEST(HidServHidrawFilterTest, KeepsTheKeyboardsNodesOncePerPathWithAllTheirInterfaces) {
    const std::vector<HidEnumerationEntry> listing = {
        {"/dev/hidraw0", 0x0C45, 0x5004, 0x0001, 0x0006},  // boot keyboard
        {"/dev/hidraw1", 0x0C45, 0x5004, 0x000C, 0x0001},  // consumer ...
        {"/dev/hidraw1", 0x0C45, 0x5004, 0x0001, 0x0080},  // ... and system control, same node
        {"/dev/hidraw1", 0x0C45, 0x5004, 0x000C, 0x0001},  // listed twice
        {"/dev/hidraw2", 0x0C45, 0x5004, 0xFF1C, 0x0092},  // control ...
        {"/dev/hidraw2", 0x0C45, 0x5004, 0x0008, 0x0089},  // ... and status on one node
        {"/dev/hidraw3", 0x0C45, 0x5005, 0xFF1C, 0x0092},  // another product
        {"/dev/hidraw4", 0x046D, 0x5004, 0x0001, 0x0006},  // another vendor
        {"/dev/hidraw5", 0x0C45, 0x5004, 0xFF00, 0x0001},  // an interface of no interest
        {"", 0x0C45, 0x5004, 0xFF1C, 0x0092},              // no path
    };
    auto nodes = selectKeyboardNodes(listing);
    ASSERT_EQ(nodes.size(), 3u);
    EXPECT_EQ(nodes[0].path, "/dev/hidraw0");
    EXPECT_EQ(nodes[0].interfaces, maskOf(Interface::Keyboard));
    EXPECT_EQ(nodes[1].path, "/dev/hidraw1");
    EXPECT_EQ(nodes[1].interfaces, maskOf(Interface::Consumer));
    EXPECT_EQ(nodes[2].path, "/dev/hidraw2");
    EXPECT_EQ(nodes[2].interfaces, maskOf(Interface::Control) | maskOf(Interface::Status));
    EXPECT_TRUE(selectKeyboardNodes({}).empty());
}

class RecordingWriter : public ReportWriter {
  public:
    bool write(Interface, const uint8_t*, size_t) override {
        ++writes;
        return true;
    }
    int writes = 0;
};

TEST(HidServDeviceTableTest, RealKeyboardTakesWritesAndOnlyRealChangesRaiseCountEvents) {
    Dispatcher dispatcher;
    dispatcher.start();
    EventLog::instance().clear();
    dispatcher.add(Interface::Control, &EventLog::record, HIDSERV_TAG_CTRL, true);
    dispatcher.add(Interface::Consumer, &EventLog::record, HIDSERV_TAG_CONS, true);
    DeviceTable table(dispatcher);

    auto real = std::make_shared<RecordingWriter>();
    auto virtualKeyboard = std::make_shared<RecordingWriter>();
    const InterfaceMask all = maskOf(Interface::Keyboard) | maskOf(Interface::Consumer) |
                              maskOf(Interface::Control) | maskOf(Interface::Status);
    table.replace(Source::Virtual, {{all, virtualKeyboard}});
    EXPECT_EQ(table.writerFor(Interface::Control), virtualKeyboard);
    table.replace(Source::Hidraw, {{maskOf(Interface::Control), real}});
    table.replace(Source::Hidraw, {{maskOf(Interface::Control), real}});  // no change
    EXPECT_EQ(table.count(Interface::Control), 2);
    EXPECT_EQ(table.count(Interface::Consumer), 1);
    EXPECT_EQ(table.writerFor(Interface::Control), real) << "the real keyboard comes first";
    EXPECT_EQ(table.writerFor(Interface::Consumer), virtualKeyboard);
    table.replace(Source::Virtual, {});
    EXPECT_EQ(table.writerFor(Interface::Status), nullptr);

    ASSERT_TRUE(
        EventLog::instance().waitFor([](const auto& events) { return events.size() >= 6; }));
    dispatcher.stop();
    auto events = EventLog::instance().events();
    std::vector<uint32_t> control, consumer;
    for (const auto& event :
         EventLog::withTag(events, HIDSERV_TAG_CTRL, HIDSERV_EVENT_DEVICE_COUNT))
        control.push_back(event.value);
    for (const auto& event :
         EventLog::withTag(events, HIDSERV_TAG_CONS, HIDSERV_EVENT_DEVICE_COUNT))
        consumer.push_back(event.value);
    // Three changes (virtual in, real in, virtual out); each reaches both reads
    // with the count of its own interface.
    EXPECT_EQ(control, (std::vector<uint32_t>{1, 2, 1}));
    EXPECT_EQ(consumer, (std::vector<uint32_t>{1, 1, 0}));
}

// A control callback that records what it got and on which thread; count
// events are held in the callback while `holdCounts` is set, to keep the
// lane's own thread busy.
namespace lane {
std::mutex mutex;
std::vector<std::string> order;
std::thread::id inputThread;
std::atomic<bool> holdCounts{false};
std::atomic<bool> countEntered{false};
std::atomic<bool> slowEntered{false};
std::atomic<bool> slowFinished{false};

int record(HidServEvent* event) {
    if (event->kind == HIDSERV_EVENT_DEVICE_COUNT) {
        countEntered = true;
        while (holdCounts) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        std::lock_guard lock(mutex);
        order.push_back("count");
    } else {
        std::lock_guard lock(mutex);
        order.push_back("input " + std::to_string(event->data->input[0]));
        inputThread = std::this_thread::get_id();
    }
    return 1;
}

int slowInput(HidServEvent* event) {
    if (event->kind != HIDSERV_EVENT_INPUT)
        return 1;
    slowEntered = true;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    slowFinished = true;
    return 1;
}

std::vector<std::string> seen() {
    std::lock_guard lock(mutex);
    return order;
}

bool waitForCount(size_t count) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (seen().size() < count && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return seen().size() >= count;
}
}  // namespace lane

TEST(HidServCallbackLaneTest, ControlInputRunsOnTheReaderWhenTheLaneIsIdleAndWaitsItsTurnWhenNot) {
    Dispatcher dispatcher;
    dispatcher.start();
    dispatcher.add(Interface::Control, &lane::record, HIDSERV_TAG_CTRL, true);

    const uint8_t first[1] = {1};
    dispatcher.deliverInput(Interface::Control, first, 1);
    EXPECT_EQ(lane::seen(), std::vector<std::string>{"input 1"}) << "delivered before returning";
    EXPECT_EQ(lane::inputThread, std::this_thread::get_id());

    // While the lane's thread is inside a callback, a later input must not
    // overtake it or run beside it.
    lane::holdCounts = true;
    dispatcher.postCounts({0, 0, 1, 0});
    while (!lane::countEntered) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    const uint8_t second[1] = {2};
    dispatcher.deliverInput(Interface::Control, second, 1);
    EXPECT_EQ(lane::seen().size(), 1u);
    lane::holdCounts = false;
    ASSERT_TRUE(lane::waitForCount(3));
    EXPECT_EQ(lane::seen(), (std::vector<std::string>{"input 1", "count", "input 2"}));
    EXPECT_NE(lane::inputThread, std::this_thread::get_id()) << "queued input runs on the lane";
    dispatcher.stop();
}

TEST(HidServCallbackLaneTest, StopWaitsForAControlCallbackRunningOnTheReader) {
    Dispatcher dispatcher;
    dispatcher.start();
    dispatcher.add(Interface::Control, &lane::slowInput, HIDSERV_TAG_CTRL, true);
    const uint8_t report[1] = {1};
    std::thread reader([&] { dispatcher.deliverInput(Interface::Control, report, 1); });
    while (!lane::slowEntered) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    dispatcher.stop();
    EXPECT_TRUE(lane::slowFinished) << "no callback may still run once stop has returned";
    reader.join();

    lane::slowEntered = false;
    dispatcher.deliverInput(Interface::Control, report, 1);
    EXPECT_FALSE(lane::slowEntered) << "stopped lanes deliver nothing";
}

}  // namespace
