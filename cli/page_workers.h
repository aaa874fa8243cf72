#pragma once

#include "cli/cut_page.h"

#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
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
    // The page at `index` once it is cut, which lasts until it is given back; otherwise null, and
    // the wakeup is woken when it is (and maybe a few after it).
    const CutPage* take(qsizetype index);
    // Hands back the page taken last, if not yet, once it is written: the worker that cut it frees
    // it, on the thread whose allocator its memory came from, which spares both threads the
    // allocator's locks.
    void giveBack();

private:
    static constexpr qsizetype WakeBatch = 32;

    // A page cut and not yet taken, the bytes it was let in with, and the worker that cut it.
    struct Cut
    {
        CutPage page;
        qint64 cost = 0;
        int worker = 0;
    };
    using Cuts = std::map<qsizetype, Cut>;

    void work(int worker);
    // Waits until the page at `index` may hold `cost` bytes more, and counts them in.
    void admit(qsizetype index, qint64 cost);

    const FetchList& fetch_;
    const ChartTable& head_;
    const Wakeup& wakeup_;
    std::mutex mutex_;
    std::condition_variable added_;
    std::condition_variable released_;
    std::deque<qsizetype> waiting_;
    Cuts cut_;
    Cuts::node_type taken_;
    std::vector<std::vector<Cuts::node_type>> givenBack_; // for each worker, the pages to free
    qint64 inFlight_ = 0;
    qsizetype next_ = 0;       // the page the main thread takes next
    bool writerWaits_ = false; // for that page, not yet cut when it last asked
    int cutting_ = 0;
    bool stopping_ = false;
    std::vector<std::thread> threads_;
};

} // namespace vandrel
