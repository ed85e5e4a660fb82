// Cost of a full redraw and of one cursor drag step, on a typical capture.
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

#include "scope/Cursors.h"
#include "scope/Oscilloscope.h"

namespace varnex::scope {
namespace {

// Grid, both traces of a 1225 Hz capture, cursors on: the most a redraw draws.
struct Scope {
    ScopeSettings settings;
    ScopeView view;
    VoltArray Vx{};
    VoltArray Vr{};
    int32_t TrigPt = 0;
    int16_t Captured = 1;
    Traces traces{Vx, Vr, TrigPt, Captured};

    Scope() {
        settings.CursorsOn = 1;
        for (int i = 0; i <= 11024; ++i) {
            const double phase = 2 * 3.141592653589793 * 1225 * i / 44100;
            Vx[i] = static_cast<float>(0.4 * std::sin(phase + 0.3));
            Vr[i] = static_cast<float>(0.6 * std::sin(phase));
        }
    }
};

void BM_Doscope(benchmark::State& run) {
    auto s = std::make_unique<Scope>();
    ScopeRenderer renderer;
    for (auto _ : run) {
        benchmark::DoNotOptimize(doscope(s->settings, s->view, s->traces, renderer));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_Doscope)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);

void BM_CursorDragStep(benchmark::State& run) {
    auto s = std::make_unique<Scope>();
    ScopeRenderer renderer;
    doscope(s->settings, s->view, s->traces, renderer);
    mouseDown(s->view);
    float x = 1000;
    for (auto _ : run) {
        x = x >= 6000 ? 1000 : x + 37;  // a new position every step
        benchmark::DoNotOptimize(
            mouseMove(s->settings, s->view, s->traces, renderer, kLeftButton, x));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_CursorDragStep)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

}  // namespace
}  // namespace varnex::scope

BENCHMARK_MAIN();
