#include "cli/status_printer.h"

#include "cli/terminal_text.h"

#include <cstdio>
#include <unistd.h>

namespace vandrel {

StatusPrinter::StatusPrinter(bool loud) : loud_(loud) {}

bool StatusPrinter::loudByDefault(bool verbose)
{
    return verbose || isatty(STDERR_FILENO) == 1;
}

void StatusPrinter::show(const QString& text)
{
    last_ = text;
    lastPrinted_ = loud_;
    if (loud_)
        tell(text);
}

void StatusPrinter::tellLast()
{
    if (!lastPrinted_)
        tell(last_);
    lastPrinted_ = true;
}

void StatusPrinter::tell(const QString& text)
{
    // Standard error is read by people, in a pipe too: a reason phrase is shown, never obeyed.
    const QByteArray line =
        terminalText(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"))).toUtf8();
    std::fprintf(stderr, "%s\n", line.constData());
    std::fflush(stderr);
}

} // namespace vandrel
