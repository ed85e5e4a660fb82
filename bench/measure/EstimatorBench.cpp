// Time of the estimator on a full capture (split, trigger, five LMS passes)
// and of the reading formed from its weights.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>

#include "audio/ComponentDescription.h"
#include "audio/SimulatedCard.h"
#include "measure/Estimator.h"
#include "measure/Readings.h"

namespace varnex {
namespace {

// A capture of 100 nF at 1225 Hz on the 1 k reference, with the simulated
// bridge's noise, and the parts a run works on.
struct Measurement {
    SampleArray Samples{};
    int32_t SampleCount = 22048;
    Calibration calibration;
    Quadrature quadrature = quadratureFor(1225);
    EstimatorState estimator;
    float uLMS = 0.055f;

    Measurement() {
        SimulatedBridgeOptions options;
        options.circuit.component = *parseComponent("C=100n");
        options.circuit.referenceResistance = 1000;
        options.noiseSteps = 2;
        const std::vector<int16_t> frames = recordSimulatedCapture(options, 1225, 0.5);
        std::copy(frames.begin(), frames.begin() + SampleCount + 2, Samples.begin());
    }
    void run() { runEstimator(Samples, SampleCount, calibration, quadrature, estimator, uLMS, {}); }
};

void BM_Estimator(benchmark::State& state) {
    auto m = std::make_unique<Measurement>();
    for (auto _ : state) {
        m->run();
        benchmark::DoNotOptimize(m->estimator.Wi[m->estimator.LMSIdx]);
    }
}
BENCHMARK(BM_Estimator)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);

void BM_Readings(benchmark::State& state) {
    auto m = std::make_unique<Measurement>();
    m->run();
    for (auto _ : state) {
        const ReadingTexts r =
            readingTexts(computeReading(m->estimator, m->SampleCount, {1000, 1225, m->uLMS, {}}));
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(BM_Readings)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);

}  // namespace
}  // namespace varnex

BENCHMARK_MAIN();
