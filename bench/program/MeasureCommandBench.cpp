// `varnex measure` as a script uses it, on the simulated bridge in real time:
// the time from starting the program to its first reading, and the rate of
// back-to-back readings against the physical limit (11050 frames at 44100
// frames/s, 0.2506 s a capture).
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

constexpr double kLimitSeconds = 11050.0 / 44100.0;

// The moments each line of standard output arrived, from the program's start.
std::vector<double> lineTimes(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), VARNEX_PROGRAM);
    std::vector<char*> argv;
    for (std::string& a : arguments) argv.push_back(a.data());
    argv.push_back(nullptr);
    int out[2];
    if (pipe(out) != 0) return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    const auto start = Clock::now();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    std::vector<double> times;
    if (spawned == 0) {
        char buffer[4096];
        for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;) {
            const double at = std::chrono::duration<double>(Clock::now() - start).count();
            for (ssize_t i = 0; i < n; ++i)
                if (buffer[i] == '\n') times.push_back(at);
        }
        int status = 0;
        waitpid(pid, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) times.clear();
    }
    close(out[0]);
    return times;
}

void BM_MeasureCount20Simulated(benchmark::State& state) {
    double first = 0, rate = 0;
    for (auto _ : state) {
        // Text lines, one a reading (csv would add a header line).
        const std::vector<double> times =
            lineTimes({"measure", "--simulate", "L=10m,R=20", "--count", "20"});
        if (times.size() != 20) {
            state.SkipWithError("the program did not print 20 readings");
            return;
        }
        first += times.front();
        rate += 19 / (times.back() - times.front());
    }
    const double runs = static_cast<double>(state.iterations());
    state.counters["first_reading_s"] = first / runs;
    state.counters["readings_per_s"] = rate / runs;
    state.counters["share_of_limit"] = rate / runs * kLimitSeconds;
}
BENCHMARK(BM_MeasureCount20Simulated)
    ->Iterations(1)
    ->Repetitions(3)
    ->UseRealTime()
    ->Unit(benchmark::kSecond);

}  // namespace

BENCHMARK_MAIN();
