// From the click on a page's "Get" button to the "Done." text, with the sample server in this
// process, beside a bare QNetworkAccessManager GET of the same page (no proxy, no window).
// Pairs share a name: EndToEnd/<Source>/Window against EndToEnd/<Source>/BareGet.
#include "app/frmMain.h"
#include "run_benchmarks.h"
#include "sources/chart_source.h"
#include "tools/sample-server/SampleServer.h"
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

QUrl BareAddress(const SourceButton& source, quint16 port)
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
        UseSampleServerAsProxy(sample_.port());
        bare_.setProxy(QNetworkProxy::NoProxy);
        window_.show();
    }

    // The first request of a network manager loads what every later one reuses.
    void WarmUp()
    {
        for (const SourceButton& source : SourceButtons()) {
            ShowPage(window_, source);
            ClickGet(window_, source);
            Get(BareAddress(source, sample_.port()));
            Settle();
        }
    }

    void Window(benchmark::State& state, const SourceButton& source)
    {
        ShowPage(window_, source);
        for (auto _ : state) {
            const auto start = Clock::now();
            ClickGet(window_, source);
            const std::chrono::duration<double> elapsed = Clock::now() - start;
            state.SetIterationTime(elapsed.count());
            if (!StatusText(window_).startsWith(QLatin1String("Done.")))
                state.SkipWithError(qPrintable(StatusText(window_)));
            Settle();
        }
    }

    void BareGet(benchmark::State& state, const SourceButton& source)
    {
        const QUrl address = BareAddress(source, sample_.port());
        for (auto _ : state) {
            const auto start = Clock::now();
            const QByteArray body = Get(address);
            const std::chrono::duration<double> elapsed = Clock::now() - start;
            state.SetIterationTime(elapsed.count());
            if (body.isEmpty())
                state.SkipWithError("empty body");
            Settle();
        }
    }

private:
    QByteArray Get(const QUrl& address)
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
void MedianOfTwenty(benchmark::internal::Benchmark* benchmark)
{
    benchmark->Iterations(1)->Repetitions(20)->DisplayAggregatesOnly()->UseManualTime()->Unit(
        benchmark::kMillisecond);
}

void Register(Bench& bench)
{
    for (const SourceButton& source : SourceButtons()) {
        const std::string name = "EndToEnd/" + std::string(source.source->name);
        benchmark::RegisterBenchmark((name + "/Window").c_str(), [&](benchmark::State& state) {
            bench.Window(state, source);
        })->Apply(MedianOfTwenty);
        benchmark::RegisterBenchmark((name + "/BareGet").c_str(), [&](benchmark::State& state) {
            bench.BareGet(state, source);
        })->Apply(MedianOfTwenty);
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
    bench.WarmUp();
    vandrel::bench::Register(bench);
    return vandrel::bench::RunBenchmarks(argc, argv);
}
