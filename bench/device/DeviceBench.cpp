// Host time per exchange and for writing a whole configuration, against the
// firmware model in-process (behind a fake library table) and through
// libHidServ.so + keytune-vkbd on a temporary socket.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "FakeHidServ.h"
#include "VkbdRunner.h"
#include "device/DeviceLink.h"
#include "device/HidServLibrary.h"
#include "device/ResultCodes.h"
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
        keyboard.setResponder(
            [this](const fake::FrameBytes& request, int) -> std::optional<fake::FrameBytes> {
                auto response = firmware.handleRequest(request);
                if (!response)
                    return std::nullopt;
                fake::FrameBytes out;
                std::copy(response->begin(), response->end(), out.begin());
                return out;
            });
        link.StartDeviceLink();
    }
    fake::FakeKeyboard keyboard;
    vkbd::Firmware firmware;
    DeviceLink link;
};

// keytune-vkbd on a temporary socket, reached through the staged library.
struct ThroughSocket {
    ThroughSocket() : vkbd(KEYTUNE_STAGE_DIR) {
        if (!vkbd.start({"--capacity", "255"}))
            return;
        if (library.load(KEYTUNE_STAGE_DIR) != BIND_OK || library.api().Init(0) <= 0)
            return;
        initialised = true;
        link = std::make_unique<DeviceLink>(library.api());
        ready = link->StartDeviceLink() > 0;
    }
    ~ThroughSocket() {
        if (link)
            link->detach();
        if (initialised)
            library.api().End();
    }
    fake::VkbdRunner vkbd;
    HidServLibrary library;
    std::unique_ptr<DeviceLink> link;
    bool initialised = false;
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
    exchangeLoop<ThroughSocket>(state, *setup.link);
}
BENCHMARK(BM_ExchangeThroughSocket)->Unit(benchmark::kMicrosecond)->UseRealTime();

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
    configurationLoop<true>(state, *setup.link);
}
BENCHMARK(BM_WriteConfigurationThroughSocket)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ReadConfigurationThroughSocket(benchmark::State& state) {
    ThroughSocket setup;
    if (!setup.ready) {
        state.SkipWithError("keytune-vkbd or libHidServ.so did not start");
        return;
    }
    configurationLoop<false>(state, *setup.link);
}
BENCHMARK(BM_ReadConfigurationThroughSocket)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
