#include "cli/page_workers.h"

#include "cli/status_printer.h"
#include "cli/wakeup.h"

namespace vandrel {

PageWorkers::PageWorkers(const FetchList& fetch, const ChartTable& head, const Wakeup& wakeup,
                         int count)
    : fetch_(fetch), head_(head), wakeup_(wakeup)
{
    for (int i = 0; i < count; ++i)
        threads_.emplace_back([this] { work(); });
}

PageWorkers::~PageWorkers()
{
    {
        const std::scoped_lock lock(mutex_);
        stopping_ = true;
        waiting_.clear();
    }
    added_.notify_all();
    for (std::thread& thread : threads_)
        thread.join();
}

void PageWorkers::add(const std::vector<qsizetype>& indices)
{
    if (indices.empty())
        return;
    {
        const std::scoped_lock lock(mutex_);
        waiting_.insert(waiting_.end(), indices.begin(), indices.end());
    }
    added_.notify_all();
}

std::optional<CutPage> PageWorkers::take(qsizetype index)
{
    const std::scoped_lock lock(mutex_);
    const auto found = cut_.find(index);
    if (found == cut_.end()) {
        awaited_ = index;
        return std::nullopt;
    }
    CutPage page = std::move(found->second);
    cut_.erase(found);
    return page;
}

void PageWorkers::work()
{
    for (;;) {
        std::unique_lock lock(mutex_);
        added_.wait(lock, [this] { return stopping_ || !waiting_.empty(); });
        if (stopping_)
            return;
        const qsizetype index = waiting_.front();
        waiting_.pop_front();
        ++cutting_;
        lock.unlock();
        // Nobody reads a page's status as it changes: only its last text, when it failed.
        StatusPrinter status(false);
        CutPage page = cutPage(fetch_, head_, fetch_.pages.at(index), nullptr, status);
        lock.lock();
        --cutting_;
        cut_.emplace(index, std::move(page));
        // The writer is woken for a batch of pages, not for each: once the page it waits for is
        // cut, when a batch is ready or nothing else is to come.
        const bool idle = cutting_ == 0 && waiting_.empty();
        if (cut_.contains(awaited_) && (std::ssize(cut_) >= WakeBatch || idle)) {
            awaited_ = -1;
            wakeup_.wake();
        }
    }
}

} // namespace vandrel
