#include "cli/page_workers.h"

#include "cli/status_printer.h"
#include "cli/wakeup.h"

#include <algorithm>

namespace vandrel {

namespace {

// The pages in flight hold no more than this many bytes of their files between them: enough for
// dozens of pages of the usual size to keep every core busy. A page larger than what is left
// waits until it is the one the main thread takes next, so that a page as large as the body cap
// is read too.
constexpr qint64 BytesInFlight = 4 * 1024 * 1024;
// What any page is taken to cost besides its bytes: its text, its rows, its name.
constexpr qint64 LeastCost = 64 * 1024;

} // namespace

PageWorkers::PageWorkers(const FetchList& fetch, const ChartTable& head, const Wakeup& wakeup,
                         int count)
    : fetch_(fetch), head_(head), wakeup_(wakeup)
{
    givenBack_.resize(std::size_t(count));
    for (int i = 0; i < count; ++i)
        threads_.emplace_back([this, i] { work(i); });
}

PageWorkers::~PageWorkers()
{
    {
        const std::scoped_lock lock(mutex_);
        stopping_ = true;
        waiting_.clear();
    }
    added_.notify_all();
    released_.notify_all();
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

const CutPage* PageWorkers::take(qsizetype index)
{
    const std::scoped_lock lock(mutex_);
    if (next_ != index) {
        next_ = index;
        released_.notify_all();
    }
    const auto found = cut_.find(index);
    writerWaits_ = found == cut_.end();
    if (writerWaits_)
        return nullptr;
    inFlight_ -= found->second.cost;
    taken_ = cut_.extract(found);
    released_.notify_all();
    return &taken_.mapped().page;
}

void PageWorkers::giveBack()
{
    const std::scoped_lock lock(mutex_);
    if (!taken_.empty())
        givenBack_[std::size_t(taken_.mapped().worker)].push_back(std::move(taken_));
}

void PageWorkers::admit(qsizetype index, qint64 cost)
{
    std::unique_lock lock(mutex_);
    released_.wait(lock, [&] {
        return stopping_ || inFlight_ == 0 || inFlight_ + cost <= BytesInFlight || index == next_;
    });
    inFlight_ += cost;
}

void PageWorkers::work(int worker)
{
    std::vector<Cuts::node_type> written;
    for (;;) {
        std::unique_lock lock(mutex_);
        added_.wait(lock, [this] { return stopping_ || !waiting_.empty(); });
        if (stopping_)
            return;
        const qsizetype index = waiting_.front();
        waiting_.pop_front();
        ++cutting_;
        written.swap(givenBack_[std::size_t(worker)]);
        lock.unlock();
        written.clear();
        // A page is let in once its size is known, before it is read.
        qint64 cost = 0;
        const auto letIn = [this, index, &cost](qint64 bytes) {
            cost = std::max(bytes, LeastCost);
            admit(index, cost);
        };
        // Nobody reads a page's status as it changes: only its last text, when it failed.
        StatusPrinter status(false);
        CutPage page = cutPage(fetch_, head_, fetch_.pages.at(index), nullptr, status, letIn);
        lock.lock();
        --cutting_;
        cut_.emplace(index, Cut{std::move(page), cost, worker});
        // The writer is woken for a batch of pages, not for each: once the page it waits for is
        // cut, when a batch is ready or nothing else is to come.
        const bool idle = cutting_ == 0 && waiting_.empty();
        if (writerWaits_ && cut_.contains(next_) && (std::ssize(cut_) >= WakeBatch || idle)) {
            writerWaits_ = false;
            wakeup_.wake();
        }
    }
}

} // namespace vandrel
