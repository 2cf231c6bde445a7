// The exchange's rules against a fake keyboard that answers on its own thread.
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <thread>

#include "DeviceTestSupport.h"
#include "device/AutoResetEvent.h"
#include "device/ResultCodes.h"

using namespace device;
using namespace fake;

namespace {

class DeviceTransport : public LinkedFakeTest {};

// A fake keyboard that never answers needs only a short wait.
class DeviceSilentKeyboard : public LinkedFakeTest {
  protected:
    DeviceSilentKeyboard() : LinkedFakeTest(fastTiming(std::chrono::milliseconds(30))) {
        keyboard.setResponder([](const FrameBytes&, int) { return std::nullopt; });
    }
};

int exchange(ReportTransport& transport, const std::vector<uint8_t>& request, FrameBytes& response,
             uint32_t& received) {
    return transport.ExchangeReport(request.data(), request.size(), response.data(), 64, &received);
}

}  // namespace

TEST_F(DeviceTransport, ShortRequestIsPaddedAndLongRequestIsCut) {
    std::vector<uint8_t> shortRequest = {0x04, 0xAA, 0xBB, 0x05, 0x01};
    std::vector<uint8_t> longRequest(100);
    for (size_t i = 0; i < longRequest.size(); ++i) longRequest[i] = static_cast<uint8_t>(i);
    longRequest[3] = 0x05;

    FrameBytes response;
    uint32_t received = 0;
    ASSERT_EQ(exchange(link.transport(), shortRequest, response, received), RESULT_OK);
    ASSERT_EQ(exchange(link.transport(), longRequest, response, received), RESULT_OK);
    EXPECT_EQ(received, 64u);

    auto writes = keyboard.writes();
    ASSERT_EQ(writes.size(), 2u);
    FrameBytes padded{};
    std::copy(shortRequest.begin(), shortRequest.end(), padded.begin());
    EXPECT_EQ(writes[0], padded);
    EXPECT_TRUE(std::equal(writes[1].begin(), writes[1].end(), longRequest.begin()));
}

struct StatusCase {
    const char* name;
    std::vector<uint8_t> statuses;  // status of the answer to each write
    int expected;
    size_t writes;
};

class DeviceStatusRetry : public LinkedFakeTest,
                          public ::testing::WithParamInterface<StatusCase> {};

TEST_P(DeviceStatusRetry, FailureStatusIsRetriedUpToThreeWrites) {
    auto statuses = GetParam().statuses;
    keyboard.setResponder([statuses](const FrameBytes& request, int index) {
        return echoResponse(request, statuses[std::min<size_t>(index, statuses.size() - 1)]);
    });
    EXPECT_EQ(link.commands().BeginTransfer(), GetParam().expected);
    EXPECT_EQ(keyboard.writeCount(), GetParam().writes);
}

INSTANTIATE_TEST_SUITE_P(
    DeviceStatuses, DeviceStatusRetry,
    ::testing::Values(StatusCase{"Ok", {0x00}, RESULT_OK, 1},
                      StatusCase{"OtherStatusIsSuccess", {0x01}, RESULT_OK, 1},
                      StatusCase{"FE_FE_00", {0xFE, 0xFE, 0x00}, RESULT_OK, 3},
                      StatusCase{"FF_00", {0xFF, 0x00}, RESULT_OK, 2},
                      StatusCase{"FE_FE_FE", {0xFE, 0xFE, 0xFE}, RESULT_STATUS_FE, 3},
                      StatusCase{"FF_FF_FF", {0xFF, 0xFF, 0xFF}, RESULT_STATUS_FF, 3},
                      StatusCase{"FE_FE_FF", {0xFE, 0xFE, 0xFF}, RESULT_STATUS_FF, 3}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DeviceTransport, WrongEchoIsRetriedThenAccepted) {
    keyboard.setResponder([](const FrameBytes& request, int index) {
        FrameBytes response = echoResponse(request);
        if (index == 0)
            response[3] = 9;
        return response;
    });
    EXPECT_EQ(link.commands().BeginTransfer(), RESULT_OK);
    auto writes = keyboard.writes();
    ASSERT_EQ(writes.size(), 2u);
    EXPECT_EQ(writes[0], writes[1]);  // the same request is written again
}

TEST_F(DeviceTransport, WrongEchoEveryTimeGivesNoReplyAfterThreeWrites) {
    keyboard.setResponder([](const FrameBytes& request, int) {
        FrameBytes response = echoResponse(request);
        response[3] ^= 0x40;
        return response;
    });
    EXPECT_EQ(link.commands().BeginTransfer(), RESULT_NO_REPLY);
    EXPECT_EQ(keyboard.writeCount(), 3u);
}

// An answer with the right command but another chunk's length or offset is
// not the answer to this request.
TEST_F(DeviceTransport, AnswerForAnotherChunkIsAWrongEcho) {
    for (size_t field : {size_t{4}, size_t{5}, size_t{6}}) {
        keyboard.setResponder([field](const FrameBytes& request, int) {
            FrameBytes response = echoResponse(request);
            response[field] ^= 0x01;
            return response;
        });
        const size_t before = keyboard.writeCount();
        uint8_t block[100] = {};
        EXPECT_EQ(link.commands().ReadMacroMemory(block, sizeof block), RESULT_NO_REPLY) << field;
        EXPECT_EQ(keyboard.writeCount() - before, 3u) << field;
    }
    // A keyboard that leaves length and offset zero is matched on the command.
    keyboard.setResponder([](const FrameBytes& request, int) {
        FrameBytes response = echoResponse(request);
        response[4] = response[5] = response[6] = 0;
        return response;
    });
    uint8_t info[44] = {};
    EXPECT_EQ(link.commands().ReadDeviceInfo(info), RESULT_OK);
}

// Every answer comes later than the wait: late answers to earlier chunks
// must never be copied into a later chunk. The read either gets every chunk
// right or fails.
class DeviceLateKeyboard : public LinkedFakeTest {
  protected:
    DeviceLateKeyboard() : LinkedFakeTest(fastTiming(std::chrono::milliseconds(30))) {
        keyboard.setResponder([](const FrameBytes& request, int) {
            std::this_thread::sleep_for(std::chrono::milliseconds(45));
            FrameBytes response = echoResponse(request);
            // Each byte of memory holds the low byte of its own address.
            for (size_t i = 0; i < request[4]; ++i)
                response[8 + i] = static_cast<uint8_t>(request[5] + i);
            return response;
        });
    }
};

TEST_F(DeviceLateKeyboard, LateAnswersNeverLandInAnotherChunk) {
    uint8_t block[150] = {};
    const int result = link.commands().ReadMacroMemory(block, sizeof block);
    keyboard.drain();
    if (result == RESULT_OK) {
        for (size_t i = 0; i < sizeof block; ++i) ASSERT_EQ(block[i], i) << "byte " << i;
    } else {
        EXPECT_EQ(result, RESULT_NO_REPLY);
    }
}

TEST_F(DeviceSilentKeyboard, TimeOutGivesNoReplyAfterThreeWrites) {
    EXPECT_EQ(link.commands().BeginTransfer(), RESULT_NO_REPLY);
    EXPECT_EQ(keyboard.writeCount(), 3u);
}

TEST_F(DeviceTransport, NoKeyboardMeansNoWrite) {
    keyboard.deviceCount = 0;
    FrameBytes response;
    uint32_t received = 99;
    EXPECT_EQ(exchange(link.transport(), {0x04, 0, 0, 1}, response, received), RESULT_NO_DEVICE);
    EXPECT_EQ(received, 0u);
    EXPECT_EQ(keyboard.writeCount(), 0u);
}

TEST_F(DeviceTransport, RefusedWriteFailsAtOnce) {
    keyboard.writeResult = 0;
    EXPECT_EQ(link.commands().BeginTransfer(), RESULT_WRITE_FAILED);
    EXPECT_EQ(keyboard.writeCount(), 1u);
    keyboard.writeResult = -5;
    EXPECT_EQ(link.commands().EndTransfer(), RESULT_WRITE_FAILED);
    EXPECT_EQ(keyboard.writeCount(), 2u);
}

TEST_F(DeviceSilentKeyboard, InputOutsideAnExchangeChangesNothing) {
    FrameBytes stray = echoResponse(FrameBytes{0x04, 0, 0, 0x01});
    keyboard.sendControlInput(std::vector<uint8_t>(stray.begin(), stray.end()));
    keyboard.drain();

    // Had the stray input been taken, the event would be left signalled and
    // this exchange would "succeed" with it.
    FrameBytes response;
    response.fill(0xAA);
    uint32_t received = 0;
    EXPECT_EQ(exchange(link.transport(), {0x04, 0, 0, 0x01}, response, received), RESULT_NO_REPLY);
    EXPECT_EQ(received, 0u);
    FrameBytes untouched;
    untouched.fill(0xAA);
    EXPECT_EQ(response, untouched);
}

TEST_F(DeviceSilentKeyboard, ResponseAfterTheExchangeGaveUpIsDropped) {
    // Only the third write is answered, and too late for its wait.
    keyboard.setResponder([](const FrameBytes& request, int index) -> std::optional<FrameBytes> {
        if (index != 2)
            return std::nullopt;
        std::this_thread::sleep_for(std::chrono::milliseconds(60));
        return echoResponse(request);
    });
    auto response = std::make_unique<FrameBytes>();
    response->fill(0xAA);
    uint32_t received = 0;
    EXPECT_EQ(exchange(link.transport(), {0x04, 0, 0, 0x01}, *response, received), RESULT_NO_REPLY);
    keyboard.drain();  // the late answer has been delivered by now
    FrameBytes untouched;
    untouched.fill(0xAA);
    EXPECT_EQ(*response, untouched);
}

TEST_F(DeviceTransport, ResponseIsCutToTheCallersCapacity) {
    std::vector<uint8_t> request = {0x04, 0, 0, 0x03};
    FrameBytes response;
    response.fill(0xAA);
    uint32_t received = 0;
    ASSERT_EQ(link.transport().ExchangeReport(request.data(), request.size(), response.data(), 16,
                                              &received),
              RESULT_OK);
    EXPECT_EQ(received, 16u);
    EXPECT_EQ(response[3], 0x03);
    EXPECT_EQ(response[16], 0xAA);
}

TEST_F(DeviceTransport, ConcurrentCommandsNeverMixResponses) {
    // The keyboard answers each read with its offset in the payload, after a
    // small random delay, so that exchanges overlap if they can.
    keyboard.setResponder([](const FrameBytes& request, int index) {
        std::this_thread::sleep_for(std::chrono::microseconds((index * 7919) % 300));
        FrameBytes response = echoResponse(request);
        response[8] = request[5];
        response[9] = request[6];
        return response;
    });
    constexpr int kThreads = 4;
    constexpr int kCommands = 40;
    std::atomic<int> mismatches{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < kCommands; ++i) {
                int offset = t * 1000 + i;
                uint8_t buffer[56] = {};
                if (link.commands().ReadParameters(buffer, 56, offset) != RESULT_OK ||
                    (buffer[0] | buffer[1] << 8) != offset)
                    ++mismatches;
            }
        });
    }
    for (auto& thread : threads) thread.join();
    EXPECT_EQ(mismatches.load(), 0);
    EXPECT_EQ(keyboard.writeCount(), size_t(kThreads * kCommands));
}

// The response event watches for a while before it sleeps, and stops
// watching after a slow signal: either way each signal wakes exactly one wait.
TEST(DeviceResponseEvent, EachSignalWakesOneWaitWhetherItComesFastOrSlow) {
    using std::chrono::milliseconds;
    AutoResetEvent event;
    event.set();
    EXPECT_TRUE(event.waitFor(milliseconds(0))) << "a signal given before the wait";
    EXPECT_FALSE(event.waitFor(milliseconds(1))) << "taken by the first wait";
    event.set();
    event.reset();
    EXPECT_FALSE(event.waitFor(milliseconds(1))) << "reset clears the signal";

    // Slower than the watch, then at once, then slow again.
    for (int delayMs : {5, 0, 0, 5, 0}) {
        std::thread signaller([&] {
            std::this_thread::sleep_for(milliseconds(delayMs));
            event.set();
        });
        EXPECT_TRUE(event.waitFor(milliseconds(2000))) << "signal after " << delayMs << " ms";
        signaller.join();
        EXPECT_FALSE(event.waitFor(milliseconds(0))) << "one signal wakes one wait";
    }
}
