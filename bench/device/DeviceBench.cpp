// Host time per exchange and for writing a whole configuration, against the
// firmware model in-process (behind a fake library table) and through
// libHidServ.so + keytune-vkbd on a temporary socket.
#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <vector>

#include "FakeHidServ.h"
#include "device/DeviceLink.h"
#include "device/HidServLibrary.h"
#include "device/ResultCodes.h"
#include "support/FirmwareResponder.h"
#include "support/LibraryLink.h"
#include "support/VkbdRunner.h"
#include "vkbd/Firmware.h"

using namespace device;

namespace {

constexpr int kFullMacroImage = 32640;  // 255 units of 128 bytes

// Begin, the whole macro image, three key maps, End: about 606 exchanges.
bool writeWholeConfiguration(DeviceCommands& c, const std::vector<uint8_t>& image,
                             const std::vector<uint8_t>& map) {
    c.BeginTransfer();
    bool ok = c.WriteMacroMemory(image.data(), static_cast<int>(image.size())) == RESULT_OK;
    for (int p = 0; p < kProfileCount; ++p) ok = c.WriteKeyMap(map.data(), p) == RESULT_OK && ok;
    c.EndTransfer();
    return ok;
}

bool readWholeConfiguration(DeviceCommands& c, std::vector<uint8_t>& image,
                            std::vector<uint8_t>& map) {
    bool ok = true;
    for (int p = 0; p < kProfileCount; ++p) ok = c.ReadKeyMap(map.data(), p) == RESULT_OK && ok;
    return c.ReadMacroMemory(image.data(), static_cast<int>(image.size())) == RESULT_OK && ok;
}

// The firmware model answering on the fake library's own callback thread.
struct InProcess {
    InProcess() : firmware(vkbd::FirmwareConfig{0x0102, 255, {}}), link(keyboard.api()) {
        keyboard.setResponder(testsupport::firmwareResponder(firmware));
        link.StartDeviceLink();
    }
    fake::FakeKeyboard keyboard;
    vkbd::Firmware firmware;
    DeviceLink link;
};

// keytune-vkbd on a private socket, reached through the staged library.
struct ThroughSocket {
    explicit ThroughSocket(bool trace = false) {
        ready = vkbd.start({"--capacity", "255"}, trace) && connection.connect() > 0;
    }
    DeviceLink& link() { return *connection.link; }
    testsupport::VkbdRunner vkbd;
    testsupport::LibraryLink connection;  // ends the library before the keyboard stops
    bool ready = false;
};

template <typename Setup>
void exchangeLoop(benchmark::State& state, DeviceLink& link) {
    uint8_t info[kDeviceInfoSize];
    for (auto _ : state) {
        if (link.commands().ReadDeviceInfo(info) != RESULT_OK) {
            state.SkipWithError("exchange failed");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_ExchangeInProcess(benchmark::State& state) {
    InProcess setup;
    exchangeLoop<InProcess>(state, setup.link);
}
BENCHMARK(BM_ExchangeInProcess)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_ExchangeThroughSocket(benchmark::State& state) {
    ThroughSocket setup;
    if (!setup.ready) {
        state.SkipWithError("keytune-vkbd or libHidServ.so did not start");
        return;
    }
    exchangeLoop<ThroughSocket>(state, setup.link());
}
BENCHMARK(BM_ExchangeThroughSocket)->Unit(benchmark::kMicrosecond)->UseRealTime();

// The same with keytune-vkbd writing its frame trace (two flushed lines per
// exchange), as the end-to-end tests run it.
void BM_ExchangeThroughSocketTraced(benchmark::State& state) {
    ThroughSocket setup(true);
    if (!setup.ready) {
        state.SkipWithError("keytune-vkbd or libHidServ.so did not start");
        return;
    }
    exchangeLoop<ThroughSocket>(state, setup.link());
}
BENCHMARK(BM_ExchangeThroughSocketTraced)->Unit(benchmark::kMicrosecond)->UseRealTime();

// Where the time of one exchange through the socket goes: the library table
// is wrapped so that the write call and the control callback are timed.
namespace timed {

using Clock = std::chrono::steady_clock;
HidServWriteOneFn realWriteOne = nullptr;
HidServAsyncReadFn realAsyncRead = nullptr;
HidServCallback realControlCallback = nullptr;
Clock::time_point writeStart, writeEnd;
std::atomic<Clock::rep> callbackAt{0};

int writeOne(const uint8_t* s, int a, int b, const uint8_t* report, int length, int c) {
    writeStart = Clock::now();
    int result = realWriteOne(s, a, b, report, length, c);
    writeEnd = Clock::now();
    return result;
}

int controlCallback(HidServEvent* event) {
    if (event && event->kind == HIDSERV_EVENT_INPUT)
        callbackAt.store(Clock::now().time_since_epoch().count());
    return realControlCallback(event);
}

int asyncRead(const uint8_t* selector, HidServCallback callback, uint32_t tag, uint32_t* id) {
    if (tag == HIDSERV_TAG_CTRL) {
        realControlCallback = callback;
        return realAsyncRead(selector, &controlCallback, tag, id);
    }
    return realAsyncRead(selector, callback, tag, id);
}

}  // namespace timed

void BM_ExchangeThroughSocketBreakdown(benchmark::State& state) {
    ThroughSocket setup;
    if (!setup.ready) {
        state.SkipWithError("keytune-vkbd or libHidServ.so did not start");
        return;
    }
    HidServApi api = setup.connection.library.api();
    timed::realWriteOne = api.RequestWriteOne;
    timed::realAsyncRead = api.RequestAsyncRead;
    api.RequestWriteOne = &timed::writeOne;
    api.RequestAsyncRead = &timed::asyncRead;
    // Replace the first link and its two standing reads with timed ones.
    setup.link().detach();
    DeviceLinkState first = setup.link().state();
    api.DeleteRequestFromUnitId(first.consumerUnitId);
    api.DeleteRequestFromUnitId(first.controlUnitId);
    DeviceLink link(api);
    link.StartDeviceLink();

    using std::chrono::duration;
    double writeCall = 0, toCallback = 0, toWaiter = 0;
    uint8_t info[kDeviceInfoSize];
    for (auto _ : state) {
        if (link.commands().ReadDeviceInfo(info) != RESULT_OK) {
            state.SkipWithError("exchange failed");
            break;
        }
        auto end = timed::Clock::now();
        timed::Clock::time_point called{timed::Clock::duration(timed::callbackAt.load())};
        writeCall += duration<double, std::micro>(timed::writeEnd - timed::writeStart).count();
        toCallback += duration<double, std::micro>(called - timed::writeEnd).count();
        toWaiter += duration<double, std::micro>(end - called).count();
    }
    link.detach();
    double n = static_cast<double>(state.iterations());
    state.counters["write_us"] = writeCall / n;
    state.counters["write_to_callback_us"] = toCallback / n;
    state.counters["callback_to_caller_us"] = toWaiter / n;
}
BENCHMARK(BM_ExchangeThroughSocketBreakdown)->Unit(benchmark::kMicrosecond)->UseRealTime();

template <bool kWrite>
void configurationLoop(benchmark::State& state, DeviceLink& link) {
    std::vector<uint8_t> image(kFullMacroImage, 0x5A), map(kKeyMapSize, 0x04);
    image[0] = 0xAA;
    image[1] = 0x55;
    for (auto _ : state) {
        bool ok = kWrite ? writeWholeConfiguration(link.commands(), image, map)
                         : readWholeConfiguration(link.commands(), image, map);
        if (!ok) {
            state.SkipWithError("transfer failed");
            break;
        }
    }
}

void BM_WriteConfigurationInProcess(benchmark::State& state) {
    InProcess setup;
    configurationLoop<true>(state, setup.link);
}
BENCHMARK(BM_WriteConfigurationInProcess)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ReadConfigurationInProcess(benchmark::State& state) {
    InProcess setup;
    configurationLoop<false>(state, setup.link);
}
BENCHMARK(BM_ReadConfigurationInProcess)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_WriteConfigurationThroughSocket(benchmark::State& state) {
    ThroughSocket setup;
    if (!setup.ready) {
        state.SkipWithError("keytune-vkbd or libHidServ.so did not start");
        return;
    }
    configurationLoop<true>(state, setup.link());
}
BENCHMARK(BM_WriteConfigurationThroughSocket)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ReadConfigurationThroughSocket(benchmark::State& state) {
    ThroughSocket setup;
    if (!setup.ready) {
        state.SkipWithError("keytune-vkbd or libHidServ.so did not start");
        return;
    }
    configurationLoop<false>(state, setup.link());
}
BENCHMARK(BM_ReadConfigurationThroughSocket)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
