// Start-up to the first shown window: building the main window, its start-up
// steps and the first paint, on whatever platform QT_QPA_PLATFORM names
// (offscreen by default).
#include <QApplication>
#include <QTest>

#include <benchmark/benchmark.h>

#include <filesystem>

#include "app/MessageBoxes.h"
#include "app/Varnex.h"

namespace {

class SilentMessageBoxes : public varnex::MessageBoxes {
public:
    varnex::MessageAnswer show(const varnex::MessageRequest& request) override {
        return request.defaultButton;
    }
};

void BM_StartupToFirstShownWindow(benchmark::State& loop) {
    for (auto _ : loop) {
        varnex::Platform platform;
        platform.messageBoxes = std::make_unique<SilentMessageBoxes>();
        platform.programFolder = std::filesystem::temp_directory_path();
        varnex::Varnex window(std::move(platform));
        window.show();
        if (!QTest::qWaitForWindowExposed(&window)) loop.SkipWithError("window never shown");
        QCoreApplication::processEvents();
        loop.PauseTiming();
        window.hide();
        loop.ResumeTiming();
    }
}
BENCHMARK(BM_StartupToFirstShownWindow)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
