// One monitoring tick of the whole program on the fake platform, and the heap it keeps over a
// million ticks.
#include "tests/support/Simulation.h"

#include <benchmark/benchmark.h>

#include <malloc.h>

namespace dorvex::test {
namespace {

std::size_t heapInUse() {
    return mallinfo2().uordblks;
}

// Keyboard and mouse watched; the mouse moves every 500 ticks, so monitoring goes on for ever.
void advance(Simulation& sim, std::int64_t ticks, std::int64_t& done) {
    for (std::int64_t i = 0; i < ticks; ++i, ++done) {
        if (done % 500 == 0) {
            sim.fake().input.position.x = static_cast<std::int32_t>(done);
        }
        sim.fake().windows.runFor(1000);
    }
    sim.fake().windows.clearRecords();
}

void BM_MonitoringTick(benchmark::State& state) {
    Simulation sim;
    std::int64_t done = 0;
    advance(sim, 10, done); // past the start-up delay
    for (auto _ : state) {
        advance(sim, 1, done);
    }
    if (sim.run().RunMode != RunState::Monitoring) {
        state.SkipWithError("monitoring stopped");
    }
}
BENCHMARK(BM_MonitoringTick);

void BM_HeapOverAMillionTicks(benchmark::State& state) {
    for (auto _ : state) {
        Simulation sim;
        std::int64_t done = 0;
        advance(sim, 10'000, done); // every buffer has reached its size
        const std::size_t before = heapInUse();
        advance(sim, 1'000'000, done);
        state.counters["heap_growth_bytes"] =
            static_cast<double>(heapInUse()) - static_cast<double>(before);
    }
}
BENCHMARK(BM_HeapOverAMillionTicks)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace dorvex::test

BENCHMARK_MAIN();
