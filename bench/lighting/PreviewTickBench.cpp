// One preview tick (all 109 keys) per lighting mode. The window runs a tick
// every 50 ms on its own thread, so a tick should stay far below 50 us.
#include <benchmark/benchmark.h>

#include "lighting/PreviewEngine.h"

namespace {

void PreviewTick(benchmark::State& state) {
    lighting::PreviewEngine engine;
    std::array<lighting::Colour, lighting::preview::kPreviewKeyCount> keyColours{};
    lighting::PreviewInput input;
    input.mode = uint8_t(state.range(0));
    input.multiColour = state.range(1) != 0;
    input.direction = 0xFF;
    input.colour = lighting::MakeColour(200, 120, 40);
    input.keyColours = &keyColours;
    for (auto _ : state) benchmark::DoNotOptimize(engine.PreviewTick(input).data());
}

void AllModes(benchmark::internal::Benchmark* b) {
    for (int mode : {1, 2, 3, 4, 5, 6, 7, 10, 11, 12, 13, 14, 15, 16, 18, 20})
        for (int multi : {0, 1}) b->Args({mode, multi});
}

}  // namespace

BENCHMARK(PreviewTick)->Apply(AllModes)->ArgNames({"mode", "multi"});
BENCHMARK_MAIN();
