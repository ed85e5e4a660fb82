// Cost of a full redraw and of one cursor drag step, on a typical capture.
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

#include "scope/Cursors.h"
#include "scope/Oscilloscope.h"

namespace varnex::scope {
namespace {

// Grid, both traces of a 1225 Hz capture, cursors on: the most a redraw draws.
std::unique_ptr<VarnexState> capturedState() {
    auto state = std::make_unique<VarnexState>();
    state->Captured = 1;
    state->CursorsOn = 1;
    for (int i = 0; i <= 11024; ++i) {
        const double phase = 2 * 3.141592653589793 * 1225 * i / 44100;
        state->Vx[i] = static_cast<float>(0.4 * std::sin(phase + 0.3));
        state->Vr[i] = static_cast<float>(0.6 * std::sin(phase));
    }
    return state;
}

void BM_Doscope(benchmark::State& run) {
    auto state = capturedState();
    ScopeRenderer renderer;
    for (auto _ : run) {
        benchmark::DoNotOptimize(doscope(*state, renderer));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_Doscope)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);

void BM_CursorDragStep(benchmark::State& run) {
    auto state = capturedState();
    ScopeRenderer renderer;
    doscope(*state, renderer);
    mouseDown(*state);
    float x = 1000;
    for (auto _ : run) {
        x = x >= 6000 ? 1000 : x + 37;  // a new position every step
        benchmark::DoNotOptimize(mouseMove(*state, renderer, kLeftButton, x));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_CursorDragStep)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);

}  // namespace
}  // namespace varnex::scope

BENCHMARK_MAIN();
