#include "net/curl_transfer.h"
#include "net/page_request.h"
#include "run_benchmarks.h"

#include <QApplication>
#include <QTcpServer>
#include <benchmark/benchmark.h>
#include <chrono>
#include <ctime>

namespace {

using namespace vandrel;

// Processor time the whole process spends while GetURL waits on a server that accepts
// the connection and never answers, as a share of the wall time of the wait.
void BM_WaitOnStalledServer(benchmark::State& state)
{
    QTcpServer silent;
    silent.listen(QHostAddress::LocalHost);
    const QString url = QStringLiteral("http://127.0.0.1:%1/").arg(silent.serverPort());
    double cpuSeconds = 0;
    double wallSeconds = 0;
    for (auto _ : state) {
        CurlTransfer transfer(nullptr, 3000);
        TransferMonitor monitor(transfer);
        PageRequest request(transfer, monitor);
        const std::clock_t cpuStart = std::clock();
        const auto wallStart = std::chrono::steady_clock::now();
        request.GetURL(url);
        cpuSeconds += double(std::clock() - cpuStart) / CLOCKS_PER_SEC;
        wallSeconds +=
            std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
    }
    state.counters["cpu_share"] = cpuSeconds / wallSeconds;
}
BENCHMARK(BM_WaitOnStalledServer)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return vandrel::bench::runBenchmarks(argc, argv);
}
