// Applying a full configuration (100 macros filling the largest macro memory,
// three key maps) to the virtual keyboard, in-process and through
// libHidServ.so + keytune-vkbd; saving and loading the largest profile file.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

#include "DeviceKeyboardCommands.h"
#include "InProcessKeyboard.h"
#include "KeyMapCodec.h"
#include "KeyboardReads.h"
#include "KeyboardWriter.h"
#include "MacroImage.h"
#include "ProfileFile.h"
#include "device/DeviceLink.h"
#include "support/LibraryLink.h"
#include "support/TempFolder.h"
#include "support/VkbdRunner.h"
#include "vkbd/Firmware.h"

namespace {

constexpr uint8_t kLargestCapacityUnits = 255;  // 32640 bytes

class QuietPrompts : public keys::Prompts {
  public:
    void showMessage(std::string_view, bool, const std::optional<std::string>&) override {}
    bool askYesNo(std::string_view) override { return false; }
    std::string text(std::string_view) override { return "Macro "; }
};

// 100 macros of 75 actions with 10-unit names: 16 + 200 + 100 x 324 = 32616
// bytes, the largest macro memory nearly full. Every key of every profile is
// assigned, so the three maps differ from the defaults everywhere.
void fillFullConfiguration(keys::AssignmentStore& store) {
    profiles::CreateDefaultProfile(store);
    for (uint16_t id = 1; id <= 100; ++id) {
        macros::MacroRecord m;
        m.id = id;
        m.cycles = 1;
        m.setName(u"Macro " + std::u16string(4, static_cast<char16_t>(u'0' + id % 10)));
        m.actionCount = 75;
        for (size_t a = 0; a < 75; ++a)
            m.actions[a] = {static_cast<uint32_t>(10 * a), 0x01E, static_cast<uint16_t>(a % 2)};
        store.macros.push_back(m);
    }
    for (int p = 0; p < 3; ++p)
        for (uint16_t k = 0; k <= keys::kLastGRecord; ++k)
            *keys::RecordAt(store, p, k) = {keys::kAssignMacro, 1, 1 + (k % 100)};
}

// The largest profile file: the full configuration plus a 259-character text
// on every key of every profile.
void fillLargestProfile(keys::AssignmentStore& store) {
    fillFullConfiguration(store);
    for (int p = 0; p < 3; ++p)
        for (uint16_t k = 0; k <= keys::kLastGRecord; ++k) {
            *keys::RecordAt(store, p, k) = {keys::kAssignTextBlock, 0, 0};
            store.setText(static_cast<size_t>(p) * keys::kRecordsPerArea + k,
                          std::u16string(259, u't'));
        }
}

struct ThroughSocket {
    ThroughSocket() {
        ready = vkbd.start({"--capacity", std::to_string(kLargestCapacityUnits)}, false) &&
                device.connect() > 0;
    }
    testsupport::VkbdRunner vkbd;
    testsupport::LibraryLink device;
    bool ready = false;
};

void applyLoop(benchmark::State& state, device::DeviceLink& link) {
    profiles::DeviceKeyboardCommands keyboard(link.commands());
    keys::ConfigModel model;
    QuietPrompts prompts;
    if (!profiles::ReadArrivalData(model, keyboard, prompts)) {
        state.SkipWithError("arrival reads failed");
        return;
    }
    fillFullConfiguration(model.working);
    if (macros::ComputeImageSizes(model.working.macros).full > model.macroCapacity) {
        state.SkipWithError("the configuration does not fit");
        return;
    }
    for (auto _ : state) {
        std::lock_guard<std::recursive_mutex> guard(model.working.lock());
        if (!keys::ApplyToKeyboard(model, keyboard, prompts, true)) {
            state.SkipWithError("apply failed");
            break;
        }
    }
}

void BM_ApplyFullConfigurationInProcess(benchmark::State& state) {
    fake::InProcessKeyboard setup(vkbd::FirmwareConfig{0x0102, kLargestCapacityUnits, {}});
    applyLoop(state, setup.link);
}
BENCHMARK(BM_ApplyFullConfigurationInProcess)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ApplyFullConfigurationThroughSocket(benchmark::State& state) {
    ThroughSocket setup;
    if (!setup.ready) {
        state.SkipWithError("keytune-vkbd or libHidServ.so did not start");
        return;
    }
    applyLoop(state, *setup.device.link);
}
BENCHMARK(BM_ApplyFullConfigurationThroughSocket)->Unit(benchmark::kMillisecond)->UseRealTime();

// The model's share of an apply: copy into the device store, the image, three maps.
void BM_PrepareFullConfiguration(benchmark::State& state) {
    keys::ConfigModel model;
    model.macroCapacity = kLargestCapacityUnits * 128u;
    fillFullConfiguration(model.working);
    for (auto _ : state) {
        model.device.macros = model.working.macros;
        model.device.block = std::make_unique<keys::AssignmentBlock>(*model.working.block);
        auto image = macros::PrepareMacroImage(model.device.macros, model.macroCapacity);
        benchmark::DoNotOptimize(image);
        for (int p = 0; p < 3; ++p) benchmark::DoNotOptimize(keys::BuildKeyMap(model, p));
    }
}
BENCHMARK(BM_PrepareFullConfiguration)->Unit(benchmark::kMicrosecond);

// One folder for the profile files of the whole run, removed when it ends.
std::filesystem::path scratchFolder() {
    static const testsupport::TempFolder folder;
    return folder.path();
}

void BM_SaveLargestProfile(benchmark::State& state) {
    keys::AssignmentStore store;
    fillLargestProfile(store);
    const auto path = scratchFolder() / "largest.kpf";
    for (auto _ : state)
        if (!profiles::SaveStoreToFile(path, store, true))
            state.SkipWithError("save failed");
    state.SetBytesProcessed(
        static_cast<int64_t>(state.iterations() * std::filesystem::file_size(path)));
}
BENCHMARK(BM_SaveLargestProfile)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LoadLargestProfile(benchmark::State& state) {
    keys::AssignmentStore source, store;
    fillLargestProfile(source);
    const auto path = scratchFolder() / "largest.kpf";
    profiles::SaveStoreToFile(path, source, true);
    for (auto _ : state)
        if (!profiles::LoadStoreFromFile(path, store))
            state.SkipWithError("load failed");
    state.SetBytesProcessed(
        static_cast<int64_t>(state.iterations() * std::filesystem::file_size(path)));
}
BENCHMARK(BM_LoadLargestProfile)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
