// Time of one measurement run on a full capture: the estimator alone (split,
// trigger, five LMS passes) and with the readings and their texts.
#include <benchmark/benchmark.h>

#include <memory>

#include "BridgeCapture.h"
#include "measure/Estimator.h"
#include "measure/MeasurementRun.h"
#include "measure/Readings.h"

namespace varnex {
namespace {

std::unique_ptr<VarnexState> capturedState() {
    auto s = std::make_unique<VarnexState>();
    bench::tuneTo(*s, 1225);
    s->Rm = 1000;
    std::mt19937_64 rng(1);
    // 100 nF at 1225 Hz on the 1 k reference.
    bench::synthesise(*s, {{0, -1299.3}, 16383 * 0.9955, 2}, 0.3, rng);
    return s;
}

void BM_Estimator(benchmark::State& state) {
    auto s = capturedState();
    for (auto _ : state) {
        runEstimator(*s, {});
        benchmark::DoNotOptimize(s->Wi[s->LMSIdx]);
    }
}
BENCHMARK(BM_Estimator)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);

void BM_WholeRun(benchmark::State& state) {
    auto s = capturedState();
    int shown = 0;
    MeasurementRun run(*s, {[] {}, [&](const Readings&) { ++shown; }, {}});
    for (auto _ : state) run.request();
    benchmark::DoNotOptimize(shown);
}
BENCHMARK(BM_WholeRun)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);

void BM_Readings(benchmark::State& state) {
    auto s = capturedState();
    runEstimator(*s, {});
    for (auto _ : state) {
        Readings r = computeReadings(*s);
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(BM_Readings)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);

}  // namespace
}  // namespace varnex

BENCHMARK_MAIN();
