// Back-to-back captures against the physical limit (11050 frames at 44100
// frames/s: 0.2506 s, at most 3.99 captures/s), the captures taken again
// because they were not whole, and the CPU the looping tone costs while
// nothing else happens.
//
// The sound-server cases run against whichever server the environment names:
// start a private one and give the benchmark its variables, e.g.
//   bash tests/audio/pulse-fixture-start.sh BUILD/pa
//   PULSE_SERVER=unix:BUILD/pa/run/pulse/native BUILD/bin/audio_bench
// or for PipeWire
//   bash tests/audio/pipewire-fixture-start.sh BUILD/pw
//   (. BUILD/pw/env && BUILD/bin/audio_bench)
// They are skipped with a message when PULSE_SERVER is not set.
#include "audio/Capture.h"
#include "audio/PortAudioTonePlayer.h"
#include "audio/PortAudioWaveInput.h"
#include "audio/SimulatedBridge.h"
#include "audio/WavImage.h"
#include "common/AudioFormat.h"

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <thread>

namespace varnex {
namespace {

constexpr double kLimitSeconds = static_cast<double>(kCaptureFrames) / kFramesPerSecond;

double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// The program's tone at 1225 Hz and half level.
bool playTone(TonePlayer& player) {
    std::vector<uint8_t> image;
    buildTestTone(image, 1225, 0.5);
    return player.play(image);
}

// Captures one after the other: each with its own opening of the input (a
// single capture), or with the input kept running (continuous capture).
void captureLoop(benchmark::State& bench, TonePlayer& player, WaveInput& input,
                 AfterCapture after) {
    auto state = std::make_unique<CaptureBuffers>();
    if (!playTone(player)) {
        bench.SkipWithError("no output device");
        return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    SteadyPollTimer timer;
    const CaptureCallbacks callbacks{[] {}, [] {}};
    int failures = 0;
    for (auto _ : bench) {
        if (state->hWaveIn == 0 && !OpenInput(*state, input)) {
            ++failures;
            continue;
        }
        state->Busy = kTrue;
        if (CaptureOnce(*state, input, callbacks, timer, after) != CaptureResult::Recorded)
            ++failures;
    }
    CloseInput(*state, input);
    player.stop();
    if (failures > 0) bench.SkipWithError("a capture failed");
    const auto captures = static_cast<double>(bench.iterations());
    bench.counters["captures_per_s"] = benchmark::Counter(captures, benchmark::Counter::kIsRate);
    // 1.0 would be the recording time alone.
    bench.counters["share_of_limit"] =
        benchmark::Counter(captures * kLimitSeconds, benchmark::Counter::kIsRate);
    bench.counters["retakes_per_100"] = 100.0 * static_cast<double>(state->retakes) / captures;
}

bool haveServer(benchmark::State& bench) {
    if (std::getenv("PULSE_SERVER") != nullptr) return true;
    bench.SkipWithError("PULSE_SERVER not set: start tests/audio/pulse-fixture-start.sh first");
    return false;
}

void BM_CaptureSimulatedRealTime(benchmark::State& bench) {
    SimulatedBridgeOptions options;
    options.circuit.component = *parseComponent("C=100n");
    SimulatedBridge bridge = makeSimulatedBridge(options);
    captureLoop(bench, *bridge.player, *bridge.input, AfterCapture::KeepOpen);
}
BENCHMARK(BM_CaptureSimulatedRealTime)
    ->Iterations(12)
    ->Repetitions(5)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

// Argument 1: continuous capture (the input kept running); 0: single captures.
void BM_CaptureSoundServer(benchmark::State& bench) {
    if (!haveServer(bench)) return;
    PortAudioTonePlayer player;
    PortAudioWaveInput input;
    captureLoop(bench, player, input,
                bench.range(0) != 0 ? AfterCapture::KeepOpen : AfterCapture::Close);
}
BENCHMARK(BM_CaptureSoundServer)
    ->Arg(1)
    ->Arg(0)
    ->Iterations(12)
    ->Repetitions(5)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

// CPU of this process while the tone loops and nothing else happens.
void idleCpu(benchmark::State& bench, TonePlayer& player) {
    if (!playTone(player)) {
        bench.SkipWithError("no output device");
        return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(500));  // past the start-up
    double cpu = 0, wall = 0;
    for (auto _ : bench) {
        const double cpu0 = cpuSeconds();
        const auto wall0 = std::chrono::steady_clock::now();
        std::this_thread::sleep_for(std::chrono::seconds(3));
        cpu += cpuSeconds() - cpu0;
        wall += std::chrono::duration<double>(std::chrono::steady_clock::now() - wall0).count();
    }
    player.stop();
    bench.counters["cpu_percent_of_core"] = 100 * cpu / wall;
}

void BM_IdleTonePortAudio(benchmark::State& bench) {
    if (!haveServer(bench)) return;
    PortAudioTonePlayer player;
    idleCpu(bench, player);
}
BENCHMARK(BM_IdleTonePortAudio)
    ->Iterations(1)
    ->Repetitions(3)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

void BM_IdleToneSimulated(benchmark::State& bench) {
    SimulatedBridge bridge = makeSimulatedBridge({});
    idleCpu(bench, *bridge.player);
}
BENCHMARK(BM_IdleToneSimulated)
    ->Iterations(1)
    ->Repetitions(3)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

// Play on the simulated card runs the loop through the circuit once.
void BM_SimulatedPlay(benchmark::State& bench) {
    SimulatedBridge bridge = makeSimulatedBridge({});
    std::vector<uint8_t> image;
    buildTestTone(image, static_cast<double>(bench.range(0)), 0.5);
    for (auto _ : bench) bridge.player->play(image);
}
// 1234 Hz and 19999.3 Hz loop for half a second and for 40999 frames: the
// longest loops, the most harmonics through the circuit.
BENCHMARK(BM_SimulatedPlay)
    ->Arg(1225)
    ->Arg(120)
    ->Arg(1234)
    ->Arg(10)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// The tone's image at a frequency in millihertz (Play's work, aim: under
// 5 ms): the generator's own, whole hertz, and one whose loop is searched the
// longest and holds the most frames.
void BM_BuildToneImage(benchmark::State& bench) {
    const double hertz = static_cast<double>(bench.range(0)) / 1000;
    std::vector<uint8_t> buffer;
    for (auto _ : bench) {
        buildTestTone(buffer, hertz, 0.5);
        benchmark::DoNotOptimize(buffer.data());
    }
}
BENCHMARK(BM_BuildToneImage)
    ->Arg(1225000)
    ->Arg(10000)
    ->Arg(1234000)
    ->Arg(1234500)
    ->Arg(19999300)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

}  // namespace
}  // namespace varnex

BENCHMARK_MAIN();
