// Cost of reading and writing the settings file.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

#include "instrument/SettingsFile.h"

namespace {

std::filesystem::path benchFile() {
    return std::filesystem::temp_directory_path() / "varnex-bench-Varnexinit";
}

void BM_WriteSettings(benchmark::State& loop) {
    const auto state = std::make_unique<varnex::Settings>();
    for (auto _ : loop) benchmark::DoNotOptimize(varnex::writeSettings(benchFile(), *state));
    std::filesystem::remove(benchFile());
}
BENCHMARK(BM_WriteSettings)->Unit(benchmark::kMicrosecond);

void BM_ReadSettings(benchmark::State& loop) {
    auto state = std::make_unique<varnex::Settings>();
    varnex::writeSettings(benchFile(), *state);
    for (auto _ : loop) benchmark::DoNotOptimize(varnex::readSettings(benchFile(), *state));
    std::filesystem::remove(benchFile());
}
BENCHMARK(BM_ReadSettings)->Unit(benchmark::kMicrosecond);

void BM_SettingsText(benchmark::State& loop) {
    const auto state = std::make_unique<varnex::Settings>();
    for (auto _ : loop) benchmark::DoNotOptimize(varnex::settingsText(*state));
}
BENCHMARK(BM_SettingsText)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
