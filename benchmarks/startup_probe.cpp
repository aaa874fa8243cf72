// A fresh process for startup_memory_bench. It shows the window (with "bare": an empty widget
// of the same size) on the offscreen platform and prints the steady-clock time at which the
// first frame has been painted. The window then fetches every list from the sample server
// in this process; last comes the peak resident memory.
#include "app/frm_main.h"
#include "sample/server/sample_server.h"
#include "window_driver.h"

#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QRegularExpression>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>

namespace vandrel::bench {
namespace {

// The client size of the window.
constexpr QSize BareSize(465, 405);

// The same clock as the parent's std::chrono::steady_clock, which is system-wide on Linux.
long long steadyNanoseconds()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Quits the event loop once the window's first frame is complete: the paint events of one
// frame are all sent before control returns to the loop.
class FirstFrame : public QObject
{
public:
    explicit FirstFrame(QWidget& window) : window_(window) {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!seen_ && event->type() == QEvent::Paint && isPartOfWindow(watched)) {
            seen_ = true;
            QTimer::singleShot(0, qApp, [] {
                std::printf("painted %lld\n", steadyNanoseconds());
                QCoreApplication::quit();
            });
        }
        return false;
    }

private:
    bool isPartOfWindow(QObject* object) const
    {
        auto* widget = qobject_cast<QWidget*>(object);
        return widget && (widget == &window_ || window_.isAncestorOf(widget));
    }

    QWidget& window_;
    bool seen_ = false;
};

bool fillAllLists(QWidget& window)
{
    sample::SampleServer sample;
    if (!sample.listen(0))
        return false;
    useSampleServerAsProxy(sample.port());
    for (const SourceButton& source : sourceButtons()) {
        showPage(window, source);
        clickGet(window, source);
        if (!statusText(window).startsWith(QLatin1String("Done.")))
            return false;
        settle();
    }
    return true;
}

long peakResidentKilobytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    static const QRegularExpression peak(QStringLiteral("^VmHWM:\\s+(\\d+) kB"),
                                         QRegularExpression::MultilineOption);
    const auto match = peak.match(QString::fromLatin1(status.readAll()));
    return match.hasMatch() ? match.captured(1).toLong() : -1;
}

} // namespace
} // namespace vandrel::bench

int main(int argc, char** argv)
{
    using namespace vandrel;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const bool bare = argc > 1 && std::strcmp(argv[1], "bare") == 0;
    QApplication app(argc, argv);
    std::unique_ptr<QWidget> window;
    if (bare) {
        window = std::make_unique<QWidget>();
        window->resize(bench::BareSize);
    } else {
        window = std::make_unique<frmMain>();
    }
    bench::FirstFrame firstFrame(*window);
    app.installEventFilter(&firstFrame);
    window->show();
    app.exec();
    app.removeEventFilter(&firstFrame);
    if (!bare && !bench::fillAllLists(*window))
        return 1;
    std::printf("peak_kb %ld\n", bench::peakResidentKilobytes());
    return 0;
}
