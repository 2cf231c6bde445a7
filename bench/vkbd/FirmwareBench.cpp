// Time per frame of the firmware model: a chunk read, a chunk write, and a
// refused request.
#include <benchmark/benchmark.h>

#include "vkbd/Firmware.h"

namespace {

using vkbd::Command;
using vkbd::Firmware;

vkbd::Frame chunk(Command command, uint16_t offset) {
    uint8_t payload[56];
    for (int i = 0; i < 56; ++i) payload[i] = static_cast<uint8_t>(i * 3);
    return vkbd::frame::makeRequest(static_cast<uint8_t>(command), 56, offset, payload, 56);
}

void frameRoundTrip(benchmark::State& state, Command command) {
    Firmware firmware;
    const vkbd::Frame request = chunk(command, 378);
    for (auto _ : state) benchmark::DoNotOptimize(firmware.handleRequest(request));
}

void BM_ReadKeyMapChunk(benchmark::State& state) {
    frameRoundTrip(state, Command::ReadKeyMap);
}
void BM_WriteKeyMapChunk(benchmark::State& state) {
    frameRoundTrip(state, Command::WriteKeyMap);
}

void BM_RefusedRequest(benchmark::State& state) {
    Firmware firmware;
    const vkbd::Frame request = vkbd::frame::makeRequest(0x42, 0, 0);
    for (auto _ : state) benchmark::DoNotOptimize(firmware.handleRequest(request));
}

BENCHMARK(BM_ReadKeyMapChunk);
BENCHMARK(BM_WriteKeyMapChunk);
BENCHMARK(BM_RefusedRequest);

}  // namespace
