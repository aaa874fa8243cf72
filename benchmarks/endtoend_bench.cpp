// From the click on a page's "Get" button to the "Done." text, with the sample server in this
// process, beside a bare QNetworkAccessManager GET of the same page (no proxy, no window).
// Pairs share a name: EndToEnd/<Source>/Window against EndToEnd/<Source>/BareGet.
#include "app/frm_main.h"
#include "run_benchmarks.h"
#include "sample/server/sample_server.h"
#include "sources/chart_source.h"
#include "window_driver.h"

#include <QApplication>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QUrl>
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

namespace vandrel::bench {
namespace {

using Clock = std::chrono::steady_clock;

QUrl bareAddress(const SourceButton& source, quint16 port)
{
    QUrl address(QString::fromStdU16String(source.source->address(source.choice.toStdU16String())));
    address.setHost(QStringLiteral("127.0.0.1"));
    address.setPort(port);
    return address;
}

class Bench
{
public:
    Bench()
    {
        if (!sample_.listen(0))
            qFatal("The sample server did not start: %s", qPrintable(sample_.errorString()));
        useSampleServerAsProxy(sample_.port());
        bare_.setProxy(QNetworkProxy::NoProxy);
        window_.show();
    }

    // The first request of a network manager loads what every later one reuses.
    void warmUp()
    {
        for (const SourceButton& source : sourceButtons()) {
            showPage(window_, source);
            clickGet(window_, source);
            get(bareAddress(source, sample_.port()));
            settle();
        }
    }

    void window(benchmark::State& state, const SourceButton& source)
    {
        showPage(window_, source);
        for (auto _ : state) {
            const auto start = Clock::now();
            clickGet(window_, source);
            const std::chrono::duration<double> elapsed = Clock::now() - start;
            state.SetIterationTime(elapsed.count());
            if (!statusText(window_).startsWith(QLatin1String("Done.")))
                state.SkipWithError(qPrintable(statusText(window_)));
            settle();
        }
    }

    void bareGet(benchmark::State& state, const SourceButton& source)
    {
        const QUrl address = bareAddress(source, sample_.port());
        for (auto _ : state) {
            const auto start = Clock::now();
            const QByteArray body = get(address);
            const std::chrono::duration<double> elapsed = Clock::now() - start;
            state.SetIterationTime(elapsed.count());
            if (body.isEmpty())
                state.SkipWithError("empty body");
            settle();
        }
    }

private:
    QByteArray get(const QUrl& address)
    {
        QNetworkReply* reply = bare_.get(QNetworkRequest(address));
        QEventLoop loop;
        QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
        loop.exec();
        const QByteArray body = reply->readAll();
        reply->deleteLater();
        return body;
    }

    sample::SampleServer sample_;
    QNetworkAccessManager bare_;
    frmMain window_;
};

// One request per repetition; the table takes the median of twenty.
void medianOfTwenty(benchmark::internal::Benchmark* benchmark)
{
    benchmark->Iterations(1)->Repetitions(20)->DisplayAggregatesOnly()->UseManualTime()->Unit(
        benchmark::kMillisecond);
}

void registerBenchmarks(Bench& bench)
{
    for (const SourceButton& source : sourceButtons()) {
        const std::string name = "EndToEnd/" + std::string(source.source->name);
        benchmark::RegisterBenchmark((name + "/Window").c_str(), [&](benchmark::State& state) {
            bench.window(state, source);
        })->Apply(medianOfTwenty);
        benchmark::RegisterBenchmark((name + "/BareGet").c_str(), [&](benchmark::State& state) {
            bench.bareGet(state, source);
        })->Apply(medianOfTwenty);
    }
}

} // namespace
} // namespace vandrel::bench

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    vandrel::bench::Bench bench;
    bench.warmUp();
    vandrel::bench::registerBenchmarks(bench);
    return vandrel::bench::runBenchmarks(argc, argv);
}
