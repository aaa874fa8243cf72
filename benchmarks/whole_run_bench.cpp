// One vandrel-fetch run over many saved Billboard pages on the machine's temporary file system,
// beside a plain loop in this process that reads each of the same files and scans it once, as
// the extraction baseline scans a page. The run's peak memory at 1,000 and at 10,000 pages
// shows whether memory grows with the number of pages.
#include "run_benchmarks.h"
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

constexpr int MostPages = 10000;

// Copies of the golden sample pages, one after the other, and a list of the first `count` of
// them for each count measured.
class SavedPages
{
public:
    SavedPages()
    {
        const fs::path shm = "/dev/shm";
        std::string pattern =
            ((fs::is_directory(shm) ? shm : fs::temp_directory_path()) / "vandrel-pages-XXXXXX")
                .string();
        folder_ = mkdtemp(pattern.data()) ? fs::path(pattern) : fs::path();
        std::vector<fs::path> samples;
        for (const auto& file : fs::directory_iterator(VANDREL_TEST_PAGES "/billboard"))
            if (file.path().filename().string().starts_with("sample-") &&
                file.path().extension() == ".html")
                samples.push_back(file.path());
        std::ranges::sort(samples);
        for (int i = 0; i < MostPages && !samples.empty(); ++i) {
            pages_.push_back(folder_ / ("week-" + std::to_string(i) + ".html"));
            fs::copy_file(samples[std::size_t(i) % samples.size()], pages_.back());
        }
    }
    ~SavedPages() { fs::remove_all(folder_); }
    SavedPages(const SavedPages&) = delete;
    SavedPages& operator=(const SavedPages&) = delete;

    const std::vector<fs::path>& pages() const { return pages_; }

    fs::path list(int count) const
    {
        const fs::path list = folder_ / ("list-" + std::to_string(count));
        std::ofstream out(list);
        for (int i = 0; i < count; ++i)
            out << pages_[std::size_t(i)].string() << '\n';
        return list;
    }

private:
    fs::path folder_;
    std::vector<fs::path> pages_;
};

const SavedPages& savedPages()
{
    static const SavedPages pages;
    return pages;
}

// The pages of one iteration, and the machine's load while it ran.
void countPages(benchmark::State& state, std::size_t pages)
{
    state.counters["pages"] = double(pages);
    std::array<double, 1> load{};
    if (getloadavg(load.data(), 1) == 1)
        state.counters["load"] = load[0];
}

// The file's bytes, read whole into memory as a program that holds them would read them.
std::string readWhole(const fs::path& page)
{
    std::string bytes;
    const int file = open(page.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat info = {};
    if (file < 0 || fstat(file, &info) != 0) {
        close(file);
        return bytes;
    }
    bytes.resize(std::size_t(info.st_size));
    std::size_t filled = 0;
    while (filled < bytes.size()) {
        const ssize_t got = read(file, bytes.data() + filled, bytes.size() - filled);
        if (got <= 0)
            break;
        filled += std::size_t(got);
    }
    close(file);
    bytes.resize(filled);
    return bytes;
}

// Each file read whole and every byte looked at once, counting '<' and line feeds: one core.
void plainLoop(benchmark::State& state)
{
    const std::vector<fs::path>& pages = savedPages().pages();
    for (auto _ : state) {
        std::size_t marks = 0;
        for (const fs::path& page : pages)
            for (const char c : readWhole(page))
                marks += c == '<' || c == '\n';
        benchmark::DoNotOptimize(marks);
    }
    countPages(state, pages.size());
}

// vandrel-fetch billboard --pages-from LIST > /dev/null; false when it did not run to success.
bool fetchRun(const fs::path& list, rusage& usage)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    std::string program = VANDREL_FETCH, source = "billboard", option = "--pages-from",
                listPath = list.string();
    char* argv[] = {program.data(), source.data(), option.data(), listPath.data(), nullptr};
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    return spawned == 0 && wait4(pid, &status, 0, &usage) == pid && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}

void wholeRun(benchmark::State& state)
{
    const auto count = int(state.range(0));
    const fs::path list = savedPages().list(count);
    double peakKilobytes = 0;
    for (auto _ : state) {
        rusage usage{};
        const auto start = std::chrono::steady_clock::now();
        if (!fetchRun(list, usage)) {
            state.SkipWithError("vandrel-fetch failed");
            break;
        }
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        peakKilobytes = std::max(peakKilobytes, double(usage.ru_maxrss));
    }
    state.counters["peak_mb"] = peakKilobytes / 1024;
    countPages(state, std::size_t(count));
}

} // namespace

int main(int argc, char** argv)
{
    benchmark::RegisterBenchmark("WholeRun/PlainLoop", plainLoop)
        ->Iterations(1)
        ->UseRealTime()
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("WholeRun/Fetch", wholeRun)
        ->Arg(1000)
        ->Arg(MostPages)
        ->Iterations(1)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
    return vandrel::bench::runBenchmarks(argc, argv);
}
