// Start-up from process start to the first painted frame, and the peak resident memory once
// every list is filled, of the window beside an empty widget in the same kind of process.
// Each repetition starts startup_probe afresh.
#include "run_benchmarks.h"
#include <benchmark/benchmark.h>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <optional>
#include <string>

extern char** environ;

namespace {

struct ProbeRun
{
    double secondsToFirstFrame = 0;
    double peakMegabytes = 0;
};

// What the probe printed; empty when it could not be started.
std::optional<std::string> runProbe(const char* mode, std::chrono::steady_clock::time_point& start)
{
    int out[2];
    if (pipe(out) != 0)
        return std::nullopt;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    char probe[] = VANDREL_STARTUP_PROBE;
    std::string modeArgument = mode;
    char* argv[] = {probe, modeArgument.data(), nullptr};
    pid_t pid = 0;
    start = std::chrono::steady_clock::now();
    const int spawned = posix_spawn(&pid, probe, &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    std::string printed;
    char buffer[256];
    for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;)
        printed.append(buffer, static_cast<std::size_t>(n));
    close(out[0]);
    int status = 0;
    if (spawned != 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0)
        return std::nullopt;
    return printed;
}

std::optional<ProbeRun> probe(const char* mode)
{
    std::chrono::steady_clock::time_point start;
    const auto printed = runProbe(mode, start);
    long long paintedAt = 0;
    long peakKilobytes = 0;
    if (!printed ||
        std::sscanf(printed->c_str(), "painted %lld peak_kb %ld", &paintedAt, &peakKilobytes) != 2)
        return std::nullopt;
    const auto painted = std::chrono::steady_clock::time_point(std::chrono::nanoseconds(paintedAt));
    return ProbeRun{std::chrono::duration<double>(painted - start).count(), peakKilobytes / 1024.0};
}

void startUp(benchmark::State& state, const char* mode)
{
    double peak = 0;
    for (auto _ : state) {
        const auto run = probe(mode);
        if (!run) {
            state.SkipWithError("the start-up probe failed");
            break;
        }
        state.SetIterationTime(run->secondsToFirstFrame);
        peak = run->peakMegabytes;
    }
    state.counters["peak_mb"] = peak;
}

void registerStartUp(const char* name, const char* mode)
{
    benchmark::RegisterBenchmark(name, startUp, mode)
        ->Iterations(1)
        ->Repetitions(10)
        ->DisplayAggregatesOnly()
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
}

} // namespace

int main(int argc, char** argv)
{
    registerStartUp("StartUp/Window", "window");
    registerStartUp("StartUp/BareWidget", "bare");
    return vandrel::bench::runBenchmarks(argc, argv);
}
