// One second's sample of the Linux services, as the program takes it: processor times, cursor
// position, the key states and the raw input, against a virtual X server of its own.
#include "platform/linux/LinuxSystemTimes.h"
#include "platform/linux/X11InputDevices.h"
#include "tests/linux/XvfbServer.h"

#include <benchmark/benchmark.h>

namespace {

dorvex::test::XvfbServer* server = nullptr;

void OneLinuxSample(benchmark::State& state) {
    dorvex::LinuxSystemTimes times;
    dorvex::X11InputDevices input(server->display());
    dorvex::SystemTimes processor;
    for (auto _ : state) {
        benchmark::DoNotOptimize(times.read(processor));
        benchmark::DoNotOptimize(input.poll());
    }
}
BENCHMARK(OneLinuxSample)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    dorvex::test::XvfbServer xvfb;
    server = &xvfb;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
