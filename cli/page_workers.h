#pragma once

#include "cli/cut_page.h"

#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace vandrel {

class Wakeup;

// Threads that read and cut the files of a run, each page on its own, in the order they are
// added; the main thread takes them back in its own order. The pages in flight, from their
// reading to their taking, hold a bounded number of bytes between them, so that memory does not
// grow with the number of pages.
class PageWorkers
{
public:
    // `pages` and the rest outlive the workers.
    PageWorkers(const FetchList& fetch, const ChartTable& head, const Wakeup& wakeup, int count);
    ~PageWorkers();
    PageWorkers(const PageWorkers&) = delete;
    PageWorkers& operator=(const PageWorkers&) = delete;

    // Cuts these pages of fetch.pages, files or standard input.
    void add(const std::vector<qsizetype>& indices);
    // The page at `index` once it is cut; otherwise nothing, and the wakeup is woken when it is
    // (and maybe a few after it).
    std::optional<CutPage> take(qsizetype index);

private:
    static constexpr qsizetype WakeBatch = 32;

    // A page cut and not yet taken, and the bytes it was let in with.
    struct Cut
    {
        CutPage page;
        qint64 cost = 0;
    };

    void work();
    // Waits until the page at `index` may hold `cost` bytes more, and counts them in.
    void admit(qsizetype index, qint64 cost);

    const FetchList& fetch_;
    const ChartTable& head_;
    const Wakeup& wakeup_;
    std::mutex mutex_;
    std::condition_variable added_;
    std::condition_variable released_;
    std::deque<qsizetype> waiting_;
    std::map<qsizetype, Cut> cut_;
    qint64 inFlight_ = 0;
    qsizetype next_ = 0;     // the page the main thread takes next
    qsizetype awaited_ = -1; // the page the main thread waits for, when it waits
    int cutting_ = 0;
    bool stopping_ = false;
    std::vector<std::thread> threads_;
};

} // namespace vandrel
