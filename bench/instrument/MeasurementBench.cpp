// Time of one measurement run of the instrument (docalib) on the capture it
// holds: estimator, reading and its texts, as the window's Start1 makes it.
#include <benchmark/benchmark.h>

#include "audio/ComponentDescription.h"
#include "audio/SimulatedBridge.h"
#include "instrument/Instrument.h"

namespace varnex {
namespace {

void BM_WholeRun(benchmark::State& state) {
    SimulatedBridgeOptions options;
    options.circuit.component = *parseComponent("C=100n");
    options.circuit.referenceResistance = 1000;
    options.noiseSteps = 2;
    options.realTime = false;
    SimulatedBridge bridge = makeSimulatedBridge(options);
    int shown = 0;
    Instrument instrument(
        {std::move(bridge.player), std::move(bridge.input), nullptr, nullptr},
        {{}, [&](const ImpedanceReading& r) { shown += readingTexts(r).factor.size() > 0; }, {}});
    instrument.settings().resistors.Rm = 1000;
    instrument.playTone();
    if (!instrument.captureSingle({})) {
        state.SkipWithError("no capture");
        return;
    }
    for (auto _ : state) instrument.measure();
    benchmark::DoNotOptimize(shown);
}
BENCHMARK(BM_WholeRun)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);

}  // namespace
}  // namespace varnex

BENCHMARK_MAIN();
