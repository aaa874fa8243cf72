#include "cli/page_run.h"

#include "cli/cut_page.h"
#include "cli/download_engine.h"
#include "cli/exit_status.h"
#include "cli/page_workers.h"
#include "cli/progress_line.h"
#include "cli/standard_output.h"
#include "cli/status_printer.h"
#include "cli/wakeup.h"
#include "net/page_fetch.h"

#include <QSocketNotifier>
#include <QTimer>
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace vandrel {

namespace {

// The longest the writer sleeps while it waits for a page. The workers wake it for a batch of
// pages; this brings out the pages before one that takes long to come, such as a pipe's.
constexpr int LongestSleepMs = 20;

int workerCount(const FetchList& fetch)
{
    const long cores = std::max(sysconf(_SC_NPROCESSORS_ONLN), 1L);
    return int(std::min<qint64>(fetch.pages.size() - fetch.pages.downloads(), cores));
}

class PageRun
{
public:
    PageRun(const FetchList& fetch, bool verbose, DownloadEngine* engine)
        : fetch_(fetch), verbose_(verbose), engine_(engine),
          head_(tableHead(fetch)), shape_{fetch.format, true},
          progress_(!verbose && isatty(STDERR_FILENO) == 1, fetch.pages.size()),
          workers_(fetch, head_, wakeup_, workerCount(fetch))
    {
    }

    int run();

private:
    void handOut();
    const CutPage* next();
    void print(const CutPage& page);
    int finish();

    const FetchList& fetch_;
    const bool verbose_;
    DownloadEngine* engine_;
    const ChartTable head_;
    const RowShape shape_;
    Wakeup wakeup_;
    ProgressLine progress_;
    PageWorkers workers_;
    CutPage downloaded_; // the page downloaded last
    qsizetype written_ = 0;
    qint64 listed_ = 0;
    qint64 failed_ = 0;
    qint64 rows_ = 0;
};

int PageRun::run()
{
    // Many pages' rows go out in few writes. The buffer outlives the stream's last flush at exit.
    static std::array<char, 64 * 1024> buffer;
    std::setvbuf(stdout, buffer.data(), _IOFBF, buffer.size());
    wakeup_.catchInterrupt();
    // While a download runs, the event loop waits instead of the run: Ctrl+C ends the download.
    // The progress line moves on meanwhile.
    std::optional<QSocketNotifier> interruptions;
    QTimer progress;
    if (engine_) {
        interruptions.emplace(wakeup_.descriptor(), QSocketNotifier::Read);
        QObject::connect(&*interruptions, &QSocketNotifier::activated, &*interruptions, [this] {
            wakeup_.drain();
            if (Wakeup::interrupted())
                engine_->transfer.cancel();
        });
        QObject::connect(&progress, &QTimer::timeout, &progress,
                         [this] { progress_.update(written_); });
        progress.start(ProgressLine::Interval);
    }
    writeOutput(shape_.start(head_), Flush::Later);
    handOut();
    const qsizetype total = fetch_.pages.size();
    while (written_ < total && !Wakeup::interrupted() && !outputFailed()) {
        const CutPage* page = next();
        // A download that Ctrl+C ended is no page.
        if (Wakeup::interrupted())
            break;
        if (!page) {
            // What is written stays no longer in the buffer than it takes the next page to come.
            writeOutput({});
            const int due = progress_.msUntilDue();
            wakeup_.wait(due < 0 ? LongestSleepMs : std::min(due, LongestSleepMs));
            progress_.update(written_);
            continue;
        }
        print(*page);
        workers_.giveBack();
        progress_.update(++written_);
    }
    return finish();
}

// The files go to the workers, all at once: they bound the memory of the pages in flight.
void PageRun::handOut()
{
    std::vector<qsizetype> files;
    for (qsizetype index = 0; index < fetch_.pages.size(); ++index)
        if (!fetch_.pages.downloads(index))
            files.push_back(index);
    workers_.add(files);
}

// The page to write next, when it is ready; an address is downloaded here and now.
const CutPage* PageRun::next()
{
    if (!fetch_.pages.downloads(written_))
        return workers_.take(written_);
    // The pages before it are out while it downloads.
    writeOutput({});
    downloaded_ =
        cutPage(fetch_, head_, fetch_.pages.at(written_), &engine_->request, engine_->status);
    return &downloaded_;
}

void PageRun::print(const CutPage& page)
{
    if (page.failed()) {
        ++failed_;
    } else {
        writeOutput(shape_.before(listed_++ == 0), Flush::Later);
        writeOutput(page.output, Flush::Later);
        rows_ += page.rows;
    }
    if (!verbose_ && !page.failed() && page.rows > 0)
        return;
    progress_.clear();
    StatusPrinter::tell(page.name + QStringLiteral(": ") +
                        QString(page.status).replace(QStringLiteral("\r\n"), QStringLiteral(" ")));
    if (!page.missingMarker.empty())
        StatusPrinter::tell(missingMarkerNote(*fetch_.source, page.name, page.missingMarker));
}

int PageRun::finish()
{
    progress_.clear();
    const bool interrupted = Wakeup::interrupted();
    writeOutput(interrupted ? QByteArrayView() : shape_.end(listed_ > 0));
    StatusPrinter::tell(QStringLiteral("%1Pages read: %2, failed: %3. Rows written: %4.")
                            .arg(interrupted ? QStringLiteral("Interrupted. ") : QString())
                            .arg(written_)
                            .arg(failed_)
                            .arg(rows_));
    // A worker may be stuck on a file that never ends, such as a pipe nobody writes to.
    if (interrupted)
        std::quick_exit(ExitInterrupted);
    return failed_ > 0 ? ExitFailure : ExitSuccess;
}

} // namespace

int printPages(const FetchList& fetch, bool verbose, DownloadEngine* engine)
{
    return PageRun(fetch, verbose, engine).run();
}

} // namespace vandrel
