#include "cli/progress_line.h"

#include <QLocale>
#include <QString>
#include <cmath>
#include <cstdio>

namespace vandrel {

namespace {

QString timeLeft(double seconds)
{
    const qint64 whole = std::llround(seconds);
    if (whole < 100)
        return QStringLiteral("%1 s").arg(whole);
    return QStringLiteral("%1 min").arg((whole + 30) / 60);
}

} // namespace

ProgressLine::ProgressLine(bool shown, qsizetype total) : shown_(shown), total_(total) {}

void ProgressLine::update(qsizetype done)
{
    const Clock::time_point now = Clock::now();
    if (!shown_ || now - drawn_ < Interval)
        return;
    drawn_ = now;
    const double seconds = std::chrono::duration<double>(now - start_).count();
    const double rate = done / seconds;
    const QLocale locale = QLocale::system();
    QString line =
        QStringLiteral("%1 of %2 pages").arg(locale.toString(done), locale.toString(total_));
    if (done > 0)
        line += QStringLiteral(", %1 a second, %2 left")
                    .arg(locale.toString(qint64(rate)), timeLeft((total_ - done) / rate));
    // Back to the start of the line, the text, and the rest of the old text erased.
    std::fprintf(stderr, "\r%s\033[K", line.toUtf8().constData());
    std::fflush(stderr);
    onScreen_ = true;
}

void ProgressLine::clear()
{
    if (!onScreen_)
        return;
    std::fputs("\r\033[K", stderr);
    std::fflush(stderr);
    onScreen_ = false;
}

int ProgressLine::msUntilDue() const
{
    if (!shown_)
        return -1;
    const auto left =
        std::chrono::ceil<std::chrono::milliseconds>(drawn_ + Interval - Clock::now());
    return int(std::max<qint64>(left.count(), 0));
}

} // namespace vandrel
