#pragma once

#include <QtGlobal>
#include <chrono>

namespace vandrel {

// The progress of a run of many pages on a terminal: one line on standard error, the pages done
// of all, the pages a second and the time left, redrawn about ten times a second. Other lines
// are printed in its place after clear(); it is drawn again at the next update.
class ProgressLine
{
public:
    ProgressLine(bool shown, qsizetype total);

    void update(qsizetype done);
    void clear();
    // How long a wait may last before the line is due again; -1 when it is not shown.
    int msUntilDue() const;

    static constexpr std::chrono::milliseconds Interval{100};

private:
    using Clock = std::chrono::steady_clock;

    bool shown_;
    qsizetype total_;
    Clock::time_point start_ = Clock::now();
    Clock::time_point drawn_ = start_;
    bool onScreen_ = false;
};

} // namespace vandrel
