#pragma once

#include <QString>

namespace vandrel {

// The status line of the command line: every text on standard error, each CR LF a line break.
// Quiet unless standard error is a terminal or the user asked for it; the last text is kept, so
// that a failure can always be told.
class StatusPrinter
{
public:
    explicit StatusPrinter(bool verbose);

    void show(const QString& text);
    // Prints the last text unless it has been printed already.
    void tellLast();
    // Prints `text` whether or not the status is shown, and keeps the last status as it is.
    void tell(const QString& text);

private:
    void print(const QString& text);

    bool loud_;
    QString last_;
    bool lastPrinted_ = true;
};

} // namespace vandrel
