#include "cli/status_printer.h"

#include "cli/terminal_text.h"

#include <cstdio>
#include <unistd.h>

namespace vandrel {

StatusPrinter::StatusPrinter(bool verbose) : loud_(verbose || isatty(STDERR_FILENO) == 1) {}

void StatusPrinter::show(const QString& text)
{
    last_ = text;
    lastPrinted_ = loud_;
    if (loud_)
        print(text);
}

void StatusPrinter::tellLast()
{
    if (!lastPrinted_)
        print(last_);
    lastPrinted_ = true;
}

void StatusPrinter::tell(const QString& text)
{
    print(text);
}

void StatusPrinter::print(const QString& text)
{
    // Standard error is read by people, in a pipe too: a reason phrase is shown, never obeyed.
    const QByteArray line =
        terminalText(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"))).toUtf8();
    std::fprintf(stderr, "%s\n", line.constData());
    std::fflush(stderr);
}

} // namespace vandrel
