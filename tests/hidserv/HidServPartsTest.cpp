// The pieces behind the entry points that the library keeps hidden: the
// hidraw node filter and the device table's choices.
#include <gtest/gtest.h>

#include <memory>

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

}  // namespace
