// libHidServ.so driven through its exported entry points against a fake
// virtual keyboard on a private socket.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <future>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "EventLog.h"
#include "FakeKeyboardPeer.h"
#include "hidserv/HidServ.h"
#include "support/TempFolder.h"

using namespace std::chrono_literals;
using vkbd::wire::Message;
using vkbd::wire::MessageType;
using Bytes = std::vector<uint8_t>;
using Selector = std::array<uint8_t, HIDSERV_SELECTOR_SIZE>;

namespace {

Selector makeSelector(uint16_t page, uint16_t usage, uint16_t vendor = HIDSERV_VENDOR_ID,
                      uint16_t product = HIDSERV_PRODUCT_ID) {
    return {0x0F,
            0,
            0,
            0,
            uint8_t(vendor),
            uint8_t(vendor >> 8),
            uint8_t(product),
            uint8_t(product >> 8),
            uint8_t(page),
            uint8_t(page >> 8),
            uint8_t(usage),
            uint8_t(usage >> 8),
            0,
            0,
            0,
            0};
}

const Selector kKeyboard = makeSelector(HIDSERV_KEYBOARD_USAGE_PAGE, HIDSERV_KEYBOARD_USAGE);
const Selector kConsumer = makeSelector(HIDSERV_CONSUMER_USAGE_PAGE, HIDSERV_CONSUMER_USAGE);
const Selector kControl = makeSelector(HIDSERV_CONTROL_USAGE_PAGE, HIDSERV_CONTROL_USAGE);
const Selector kStatus = makeSelector(HIDSERV_STATUS_USAGE_PAGE, HIDSERV_STATUS_USAGE);
constexpr uint32_t kTagKeyboard = 0x4B455942;    // "KEYB"
constexpr uint32_t kTagSecondCons = 0x434F4E32;  // "CON2"

// A 64-byte control frame: report id 4, the command, then the given payload.
Bytes controlFrame(uint8_t command, Bytes payload = {}) {
    Bytes frame(64, 0);
    frame[0] = 0x04;
    frame[3] = command;
    for (size_t i = 0; i < payload.size(); ++i) frame[8 + i] = payload[i];
    return frame;
}

// The fake keyboard's answer to a request: the request with byte 8 set.
Bytes responseTo(const Bytes& request) {
    Bytes response = request;
    response.resize(64, 0);
    response[8] = 0xA5;
    return response;
}

void answerEveryRequest(FakeKeyboardPeer& peer, const Message& message) {
    if (message.type == MessageType::ControlReport)
        peer.send(MessageType::ControlReport, responseTo(message.payload));
}

std::string hexLine(char direction, const Bytes& bytes) {
    std::string line(1, direction);
    char hex[4];
    for (uint8_t byte : bytes) {
        std::snprintf(hex, sizeof hex, " %02x", byte);
        line += hex;
    }
    return line;
}

size_t threadCount() {
    size_t count = 0;
    for ([[maybe_unused]] const auto& entry :
         std::filesystem::directory_iterator("/proc/self/task"))
        ++count;
    return count;
}

class HidServLibraryTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_FALSE(dir_.path().empty());
        socketPath_ = dir_.file("kb.sock");
        setenv("KEYTUNE_VKBD_SOCKET", socketPath_.c_str(), 1);
        setenv("KEYTUNE_HIDRAW", "0", 1);
        unsetenv("KEYTUNE_TRACE");
        peer_ = std::make_unique<FakeKeyboardPeer>(socketPath_);
        EventLog::instance().clear();
    }

    void TearDown() override {
        End();
        peer_.reset();
    }

    uint32_t readWith(const Selector& selector, uint32_t tag) {
        uint32_t unitId = 0;
        EXPECT_GT(RequestAsyncRead(selector.data(), &EventLog::record, tag, &unitId), 0);
        EXPECT_NE(unitId, 0u);
        return unitId;
    }

    static bool waitForCount(const Selector& selector, int count,
                             std::chrono::milliseconds timeout = 1500ms) {
        auto deadline = std::chrono::steady_clock::now() + timeout;
        while (RequestGetDeviceCount(selector.data(), 0, 0, 0) != count) {
            if (std::chrono::steady_clock::now() > deadline)
                return false;
            std::this_thread::sleep_for(10ms);
        }
        return true;
    }

    // Waits until `tag` has seen a device-count event with this value.
    static bool waitForCountEvent(uint32_t tag, uint32_t value) {
        return EventLog::instance().waitFor([&](const auto& events) {
            for (const auto& event : EventLog::withTag(events, tag, HIDSERV_EVENT_DEVICE_COUNT))
                if (event.value == value)
                    return true;
            return false;
        });
    }

    static bool waitForInputs(uint32_t tag, size_t count) {
        return EventLog::instance().waitFor([&](const auto& events) {
            return EventLog::withTag(events, tag, HIDSERV_EVENT_INPUT).size() >= count;
        });
    }

    testsupport::TempFolder dir_;
    std::string socketPath_;
    std::unique_ptr<FakeKeyboardPeer> peer_;
};

TEST_F(HidServLibraryTest, ExportsTheTwelveNamesAndTheUnusedOnesReturnZero) {
    void* library = dlopen(KEYTUNE_STAGE_DIR "/libHidServ.so", RTLD_NOW);
    ASSERT_NE(library, nullptr) << dlerror();
    for (const char* name :
         {"Init", "End", "Debug", "RequestGetDeviceCount", "DeleteRequestFromUnitId",
          "DeleteRequestFromHandle", "RequestWrite", "RequestWriteOne", "RequestStatusWrite",
          "RequestStatusGet", "RequestAsyncRead", "RequestStatusSetFeature"})
        EXPECT_NE(dlsym(library, name), nullptr) << name;
    EXPECT_EQ(dlsym(library, "_ZN7hidserv7Service4initEv"), nullptr) << "internals stay hidden";

    peer_->listen();
    ASSERT_GT(Init(0), 0);
    Bytes data = controlFrame(1);
    uint8_t status[2] = {};
    EXPECT_EQ(Debug(1), 0);
    EXPECT_EQ(DeleteRequestFromHandle(&data), 0);
    EXPECT_EQ(RequestWrite(kControl.data(), 0, 0, data.data(), 64, 0), 0);
    EXPECT_EQ(RequestStatusGet(kStatus.data(), status, 2), 0);
    EXPECT_EQ(RequestStatusSetFeature(kStatus.data(), status, 2), 0);
    EXPECT_FALSE(peer_->nextMessage(100ms)) << "the unused names write nothing";
    EXPECT_EQ(End(), 0);
    EXPECT_EQ(End(), 0) << "a second End is harmless";
    dlclose(library);
}

TEST_F(HidServLibraryTest, CountsAKeyboardAlreadyListeningRightAfterInit) {
    peer_->listen();
    ASSERT_GT(Init(0), 0);
    for (const Selector& selector : {kKeyboard, kConsumer, kControl, kStatus})
        EXPECT_EQ(RequestGetDeviceCount(selector.data(), 0, 0, 0), 1);
    EXPECT_GT(Init(0), 0) << "a second Init keeps the running library";
    EXPECT_EQ(RequestGetDeviceCount(kControl.data(), 0, 0, 0), 1);

    // The keyboard found by Init is not announced again as an arrival: the
    // caller took its count itself.
    readWith(kControl, HIDSERV_TAG_CTRL);
    std::this_thread::sleep_for(300ms);
    EXPECT_TRUE(EventLog::instance().events().empty());
}

TEST_F(HidServLibraryTest, SelectorsOtherThanTheKeyboardsFourCountNothing) {
    peer_->listen();
    ASSERT_GT(Init(0), 0);
    std::vector<Selector> bad = {
        makeSelector(HIDSERV_CONTROL_USAGE_PAGE, HIDSERV_CONTROL_USAGE, 0x046D),
        makeSelector(HIDSERV_CONTROL_USAGE_PAGE, HIDSERV_CONTROL_USAGE, HIDSERV_VENDOR_ID, 0x5005),
        makeSelector(HIDSERV_CONTROL_USAGE_PAGE, 0x0093),
        makeSelector(0x0001, 0x0002),
    };
    Selector wrongHead = kControl;
    wrongHead[0] = 0x0E;
    Selector wrongTail = kControl;
    wrongTail[15] = 1;
    bad.push_back(wrongHead);
    bad.push_back(wrongTail);
    for (const Selector& selector : bad) {
        EXPECT_EQ(RequestGetDeviceCount(selector.data(), 0, 0, 0), 0);
        uint32_t unitId = 77;
        EXPECT_EQ(RequestAsyncRead(selector.data(), &EventLog::record, HIDSERV_TAG_CTRL, &unitId),
                  0);
        EXPECT_EQ(unitId, 0u);
    }
    EXPECT_EQ(RequestGetDeviceCount(nullptr, 0, 0, 0), 0);
    EXPECT_EQ(RequestGetDeviceCount(kControl.data(), 0, 0, 0), 1) << "the good one still counts";
}

TEST_F(HidServLibraryTest, ArrivalAndRemovalReachEveryStandingReadWithItsCount) {
    ASSERT_GT(Init(0), 0);
    EXPECT_EQ(RequestGetDeviceCount(kControl.data(), 0, 0, 0), 0);
    readWith(kConsumer, HIDSERV_TAG_CONS);
    readWith(kControl, HIDSERV_TAG_CTRL);
    readWith(kKeyboard, kTagKeyboard);

    peer_->listen();
    EXPECT_TRUE(waitForCount(kControl, 1)) << "a keyboard started after Init is noticed";
    for (uint32_t tag : {HIDSERV_TAG_CONS, HIDSERV_TAG_CTRL, kTagKeyboard})
        EXPECT_TRUE(waitForCountEvent(tag, 1)) << std::hex << tag;

    peer_->stop();
    EXPECT_TRUE(waitForCount(kControl, 0));
    for (uint32_t tag : {HIDSERV_TAG_CONS, HIDSERV_TAG_CTRL, kTagKeyboard})
        EXPECT_TRUE(waitForCountEvent(tag, 0)) << std::hex << tag;

    // The library keeps watching: the keyboard may come back.
    peer_ = std::make_unique<FakeKeyboardPeer>(socketPath_);
    peer_->listen();
    EXPECT_TRUE(waitForCount(kControl, 1));
    auto events = EventLog::instance().events();
    for (uint32_t tag : {HIDSERV_TAG_CONS, HIDSERV_TAG_CTRL, kTagKeyboard}) {
        EXPECT_TRUE(waitForCountEvent(tag, 1));
        std::vector<uint32_t> counts;
        for (const auto& event :
             EventLog::withTag(EventLog::instance().events(), tag, HIDSERV_EVENT_DEVICE_COUNT))
            counts.push_back(event.value);
        EXPECT_EQ(counts, (std::vector<uint32_t>{1, 0, 1})) << std::hex << tag;
    }
}

TEST_F(HidServLibraryTest, RequestReachesTheKeyboardAndItsResponseArrivesUnderCtrl) {
    peer_->setHandler(answerEveryRequest);
    peer_->listen();
    ASSERT_GT(Init(0), 0);
    readWith(kConsumer, HIDSERV_TAG_CONS);
    readWith(kControl, HIDSERV_TAG_CTRL);

    Bytes request = controlFrame(0x01, {1, 2, 3});
    ASSERT_GT(RequestWriteOne(kControl.data(), 0, 0, request.data(), 64, 0), 0);
    auto sent = peer_->nextMessage(2000ms);
    ASSERT_TRUE(sent);
    EXPECT_EQ(sent->type, MessageType::ControlReport);
    EXPECT_EQ(sent->payload, request);

    ASSERT_TRUE(waitForInputs(HIDSERV_TAG_CTRL, 1));
    auto inputs =
        EventLog::withTag(EventLog::instance().events(), HIDSERV_TAG_CTRL, HIDSERV_EVENT_INPUT);
    ASSERT_EQ(inputs.size(), 1u);
    EXPECT_EQ(inputs[0].value, 64u);
    EXPECT_EQ(inputs[0].input, responseTo(request));
    EXPECT_EQ(inputs[0].readBuffer, responseTo(request));

    // A short request goes out padded to the 64-byte report; a longer one does not fit.
    Bytes shortRequest = {0x04, 0x00, 0x00, 0x02};
    ASSERT_GT(RequestWriteOne(kControl.data(), 0, 0, shortRequest.data(), 4, 0), 0);
    auto padded = peer_->nextMessage(2000ms);
    ASSERT_TRUE(padded);
    EXPECT_EQ(padded->payload, controlFrame(0x02));
    Bytes tooLong(65, 0x04);
    EXPECT_LE(RequestWriteOne(kControl.data(), 0, 0, tooLong.data(), 65, 0), 0);

    ASSERT_TRUE(waitForInputs(HIDSERV_TAG_CTRL, 2));
    EXPECT_TRUE(
        EventLog::withTag(EventLog::instance().events(), HIDSERV_TAG_CONS, HIDSERV_EVENT_INPUT)
            .empty())
        << "control reports do not reach the consumer read";
}

TEST_F(HidServLibraryTest, ConsumerReportLandsInTheConsReadBuffer) {
    peer_->listen();
    ASSERT_GT(Init(0), 0);
    readWith(kConsumer, HIDSERV_TAG_CONS);
    readWith(kControl, HIDSERV_TAG_CTRL);

    ASSERT_TRUE(peer_->waitConnected(2000ms));
    Bytes layerSwitch = {0xFF, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};
    Bytes lighting = {0x01, 0x04};
    ASSERT_TRUE(peer_->send(MessageType::ConsumerReport, layerSwitch));
    ASSERT_TRUE(peer_->send(MessageType::ConsumerReport, lighting));
    ASSERT_TRUE(waitForInputs(HIDSERV_TAG_CONS, 2));
    auto inputs =
        EventLog::withTag(EventLog::instance().events(), HIDSERV_TAG_CONS, HIDSERV_EVENT_INPUT);
    EXPECT_EQ(inputs[0].value, 8u);
    EXPECT_EQ(inputs[0].readBuffer, layerSwitch);
    EXPECT_EQ(inputs[1].value, 2u);
    EXPECT_EQ(inputs[1].readBuffer, lighting);
    EXPECT_TRUE(
        EventLog::withTag(EventLog::instance().events(), HIDSERV_TAG_CTRL, HIDSERV_EVENT_INPUT)
            .empty());
}

TEST_F(HidServLibraryTest, StatusWriteReachesTheKeyboardAndItsRegistrationCanBeReleased) {
    peer_->listen();
    ASSERT_GT(Init(0), 0);
    const uint8_t layerB[2] = {0x05, 0x03};
    uint32_t unitId = 0;
    ASSERT_GT(
        RequestStatusWrite(kStatus.data(), &EventLog::record, HIDSERV_TAG_DEL, layerB, 2, &unitId),
        0);
    EXPECT_NE(unitId, 0u);
    auto written = peer_->nextMessage(2000ms);
    ASSERT_TRUE(written);
    EXPECT_EQ(written->type, MessageType::StatusWrite);
    EXPECT_EQ(written->payload, (Bytes{0x05, 0x03}));

    EXPECT_EQ(DeleteRequestFromUnitId(unitId), 1);
    EXPECT_EQ(DeleteRequestFromUnitId(unitId), 0) << "already released";
    EXPECT_EQ(DeleteRequestFromUnitId(0), 0);
    EXPECT_EQ(DeleteRequestFromUnitId(0xDEADBEEF), 0);

    uint32_t other = 5;
    EXPECT_EQ(
        RequestStatusWrite(kControl.data(), &EventLog::record, HIDSERV_TAG_DEL, layerB, 2, &other),
        0)
        << "only the status interface takes status writes";
    EXPECT_EQ(other, 0u);
}

TEST_F(HidServLibraryTest, WithoutAKeyboardNothingIsWrittenAndZeroIsReturned) {
    ASSERT_GT(Init(0), 0);
    Bytes request = controlFrame(0x01);
    EXPECT_EQ(RequestWriteOne(kControl.data(), 0, 0, request.data(), 64, 0), 0);
    const uint8_t status[2] = {0x05, 0x02};
    uint32_t unitId = 9;
    EXPECT_EQ(
        RequestStatusWrite(kStatus.data(), &EventLog::record, HIDSERV_TAG_DEL, status, 2, &unitId),
        0);
    EXPECT_EQ(unitId, 0u);
    End();
    EXPECT_EQ(RequestGetDeviceCount(kControl.data(), 0, 0, 0), 0) << "after End";
    EXPECT_EQ(RequestAsyncRead(kControl.data(), &EventLog::record, HIDSERV_TAG_CTRL, &unitId), 0);
}

TEST_F(HidServLibraryTest, DeletedReadGetsNothingMore) {
    peer_->listen();
    ASSERT_GT(Init(0), 0);
    uint32_t first = readWith(kConsumer, HIDSERV_TAG_CONS);
    readWith(kConsumer, kTagSecondCons);
    EXPECT_EQ(DeleteRequestFromUnitId(first), 1);

    ASSERT_TRUE(peer_->waitConnected(2000ms));
    ASSERT_TRUE(peer_->send(MessageType::ConsumerReport, {0x10, 0x18}));
    ASSERT_TRUE(waitForInputs(kTagSecondCons, 1));
    peer_->dropClient();
    ASSERT_TRUE(waitForCountEvent(kTagSecondCons, 0));
    auto events = EventLog::instance().events();
    EXPECT_TRUE(EventLog::withTag(events, HIDSERV_TAG_CONS, HIDSERV_EVENT_INPUT).empty());
    EXPECT_TRUE(EventLog::withTag(events, HIDSERV_TAG_CONS, HIDSERV_EVENT_DEVICE_COUNT).empty());
}

// A callback that does what the program's callback does: it counts devices,
// writes the status and releases that registration, sends the next request,
// and finally releases its own registration, all from the library's thread.
std::atomic<uint32_t> gReentrantUnitId{0};
std::atomic<int> gReentrantCalls{0};
std::atomic<int> gReentrantCountSeen{-1};

int reentrantCallback(HidServEvent* event) {
    if (event->kind != HIDSERV_EVENT_INPUT)
        return 1;
    ++gReentrantCalls;
    gReentrantCountSeen = RequestGetDeviceCount(kControl.data(), 0, 0, 0);
    const uint8_t status[2] = {0x05, 0x03};
    uint32_t statusId = 0;
    RequestStatusWrite(kStatus.data(), &reentrantCallback, HIDSERV_TAG_DEL, status, 2, &statusId);
    DeleteRequestFromUnitId(statusId);
    Bytes next = controlFrame(0x02);
    RequestWriteOne(kControl.data(), 0, 0, next.data(), 64, 0);
    DeleteRequestFromUnitId(gReentrantUnitId);
    return 1;
}

TEST_F(HidServLibraryTest, CallbacksMayCallBackIntoTheLibrary) {
    peer_->setHandler(answerEveryRequest);
    peer_->listen();
    ASSERT_GT(Init(0), 0);
    gReentrantCalls = 0;
    uint32_t unitId = 0;
    ASSERT_GT(RequestAsyncRead(kControl.data(), &reentrantCallback, HIDSERV_TAG_CTRL, &unitId), 0);
    gReentrantUnitId = unitId;
    readWith(kControl, kTagKeyboard);  // a second read on the same interface, to see replies

    Bytes request = controlFrame(0x01);
    ASSERT_GT(RequestWriteOne(kControl.data(), 0, 0, request.data(), 64, 0), 0);
    std::vector<MessageType> seen;
    for (int i = 0; i < 3; ++i) {
        auto message = peer_->nextMessage(2000ms);
        ASSERT_TRUE(message) << "message " << i;
        seen.push_back(message->type);
    }
    EXPECT_EQ(seen, (std::vector<MessageType>{MessageType::ControlReport, MessageType::StatusWrite,
                                              MessageType::ControlReport}));
    // The answer to the callback's own request comes after it released itself.
    ASSERT_TRUE(waitForInputs(kTagKeyboard, 2));
    EXPECT_EQ(gReentrantCalls, 1);
    EXPECT_EQ(gReentrantCountSeen, 1);
}

// A consumer-report callback that blocks, as one waiting for the program's
// window thread does, until the test releases it.
std::atomic<bool> gBlockedEntered{false};
std::atomic<bool> gBlockedRelease{false};

int blockingCallback(HidServEvent* event) {
    if (event->kind != HIDSERV_EVENT_INPUT)
        return 1;
    gBlockedEntered = true;
    auto deadline = std::chrono::steady_clock::now() + 5s;
    while (!gBlockedRelease && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(1ms);
    return 1;
}

TEST_F(HidServLibraryTest, BlockedConsumerCallbackDoesNotHoldBackControlResponses) {
    peer_->setHandler(answerEveryRequest);
    peer_->listen();
    ASSERT_GT(Init(0), 0);
    gBlockedEntered = false;
    gBlockedRelease = false;
    uint32_t unitId = 0;
    ASSERT_GT(RequestAsyncRead(kConsumer.data(), &blockingCallback, HIDSERV_TAG_CONS, &unitId), 0);
    readWith(kControl, HIDSERV_TAG_CTRL);
    ASSERT_TRUE(peer_->waitConnected(2000ms));
    ASSERT_TRUE(peer_->send(MessageType::ConsumerReport, {0xFF, 0x02}));
    while (!gBlockedEntered) std::this_thread::sleep_for(1ms);

    Bytes request = controlFrame(0x01);
    ASSERT_GT(RequestWriteOne(kControl.data(), 0, 0, request.data(), 64, 0), 0);
    EXPECT_TRUE(waitForInputs(HIDSERV_TAG_CTRL, 1));
    EXPECT_FALSE(gBlockedRelease);
    gBlockedRelease = true;
}

TEST_F(HidServLibraryTest, TraceFileHasOneHexLinePerReportEachWay) {
    std::string tracePath = dir_.file("trace.txt");
    setenv("KEYTUNE_TRACE", tracePath.c_str(), 1);
    peer_->setHandler(answerEveryRequest);
    peer_->listen();
    ASSERT_GT(Init(0), 0);
    readWith(kConsumer, HIDSERV_TAG_CONS);
    readWith(kControl, HIDSERV_TAG_CTRL);

    Bytes request = {0x04, 0xAB, 0x00, 0x01};  // padded to 64 on the way out
    ASSERT_GT(RequestWriteOne(kControl.data(), 0, 0, request.data(), 4, 0), 0);
    ASSERT_TRUE(waitForInputs(HIDSERV_TAG_CTRL, 1));
    ASSERT_TRUE(peer_->waitConnected(2000ms));
    ASSERT_TRUE(peer_->send(MessageType::ConsumerReport, {0xFF, 0x02}));
    ASSERT_TRUE(waitForInputs(HIDSERV_TAG_CONS, 1));
    const uint8_t status[2] = {0x05, 0x03};
    uint32_t unitId = 0;
    ASSERT_GT(
        RequestStatusWrite(kStatus.data(), &EventLog::record, HIDSERV_TAG_DEL, status, 2, &unitId),
        0);
    End();

    Bytes sent = request;
    sent.resize(64, 0);
    std::vector<std::string> expected = {hexLine('>', sent), hexLine('<', responseTo(sent)),
                                         "< ff 02", "> 05 03"};
    std::ifstream trace(tracePath);
    std::vector<std::string> lines;
    for (std::string line; std::getline(trace, line);) lines.push_back(line);
    EXPECT_EQ(lines, expected);
    EXPECT_EQ(lines[0].substr(0, 14), "> 04 ab 00 01 ");
}

// The trace takes everything the program sends: it is never written into a
// file of another account or through a symbolic link.
TEST_F(HidServLibraryTest, TraceRefusesFilesItDoesNotOwn) {
    const std::string real = dir_.file("real.txt");
    std::ofstream(real).flush();
    const std::string link = dir_.file("link.txt");
    ASSERT_EQ(symlink(real.c_str(), link.c_str()), 0);
    std::vector<std::string> refused = {link};
    const std::string foreign = dir_.file("foreign.txt");
    if (geteuid() == 0) {
        std::ofstream(foreign).flush();
        ASSERT_EQ(chown(foreign.c_str(), 65534, 65534), 0);  // nobody
        refused.push_back(foreign);
    }
    peer_->setHandler(answerEveryRequest);
    peer_->listen();
    size_t answered = 0;
    for (const std::string& path : refused) {
        setenv("KEYTUNE_TRACE", path.c_str(), 1);
        ASSERT_GT(Init(0), 0);
        readWith(kControl, HIDSERV_TAG_CTRL);
        Bytes request = controlFrame(0x01);
        ASSERT_GT(RequestWriteOne(kControl.data(), 0, 0, request.data(), 64, 0), 0);
        EXPECT_TRUE(waitForInputs(HIDSERV_TAG_CTRL, ++answered));
        End();
        EXPECT_EQ(testsupport::TempFolder::read(path), "") << path;
        EXPECT_EQ(testsupport::TempFolder::read(real), "") << path;
    }
}

TEST_F(HidServLibraryTest, KeyboardThatClosesMidExchangeIsRemovedWithoutHanging) {
    // The keyboard hangs up on the first request instead of answering.
    peer_->setHandler([](FakeKeyboardPeer& peer, const Message&) { peer.dropClient(); });
    peer_->listen();
    ASSERT_GT(Init(0), 0);
    readWith(kControl, HIDSERV_TAG_CTRL);
    Bytes request = controlFrame(0x01);
    EXPECT_GT(RequestWriteOne(kControl.data(), 0, 0, request.data(), 64, 0), 0);
    ASSERT_TRUE(waitForCountEvent(HIDSERV_TAG_CTRL, 0));

    // It comes back (the fake still listens) and this time breaks off inside a
    // message: no input event for the half message, and another removal.
    ASSERT_TRUE(waitForCount(kControl, 1));
    ASSERT_TRUE(peer_->waitConnected(2000ms));
    Bytes halfMessage = vkbd::wire::encode(MessageType::ControlReport, request.data(), 64);
    halfMessage.resize(20);
    ASSERT_TRUE(peer_->sendRaw(halfMessage));
    peer_->dropClient();
    ASSERT_TRUE(EventLog::instance().waitFor([](const auto& events) {
        return EventLog::withTag(events, HIDSERV_TAG_CTRL, HIDSERV_EVENT_DEVICE_COUNT).size() >= 4;
    }));
    EXPECT_TRUE(
        EventLog::withTag(EventLog::instance().events(), HIDSERV_TAG_CTRL, HIDSERV_EVENT_INPUT)
            .empty());
}

std::atomic<int> gSlowCalls{0};
int slowCallback(HidServEvent* event) {
    ++gSlowCalls;
    std::this_thread::sleep_for(20ms);
    return 1;
}

TEST_F(HidServLibraryTest, EndReturnsPromptlyWithLiveCallbacksAndConnectionAndInitWorksAgain) {
    peer_->listen();
    ASSERT_GT(Init(0), 0);
    gSlowCalls = 0;
    uint32_t unitId = 0;
    ASSERT_GT(RequestAsyncRead(kConsumer.data(), &slowCallback, HIDSERV_TAG_CONS, &unitId), 0);
    ASSERT_TRUE(peer_->waitConnected(2000ms));
    for (int i = 0; i < 200; ++i) peer_->send(MessageType::ConsumerReport, {0x01, 0x04});
    while (gSlowCalls == 0) std::this_thread::sleep_for(1ms);

    auto ended = std::async(std::launch::async, [] { return End(); });
    ASSERT_EQ(ended.wait_for(5s), std::future_status::ready) << "End must not hang";
    EXPECT_EQ(ended.get(), 0);
    int callsAtEnd = gSlowCalls;
    EXPECT_LT(callsAtEnd, 200) << "undelivered reports are dropped at End";
    EXPECT_EQ(DeleteRequestFromUnitId(unitId), 0) << "End released the registration";

    ASSERT_GT(Init(0), 0);
    EXPECT_EQ(RequestGetDeviceCount(kControl.data(), 0, 0, 0), 1);
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(gSlowCalls, callsAtEnd) << "registrations of the earlier run stay gone";
}

TEST_F(HidServLibraryTest, HidrawSourceCanBeTurnedOffFromTheEnvironment) {
    // The hidraw source runs a watcher thread of its own; with KEYTUNE_HIDRAW=0
    // the library starts without it.
    size_t before = threadCount();
    ASSERT_GT(Init(0), 0);
    size_t withoutHidraw = threadCount() - before;
    End();
    unsetenv("KEYTUNE_HIDRAW");
    ASSERT_GT(Init(0), 0);
    size_t withHidraw = threadCount() - before;
    End();
    EXPECT_GT(withHidraw, withoutHidraw);
}

}  // namespace
