#pragma once

#include <QString>

namespace vandrel {

// The status line of the command line: every text on standard error, each CR LF a line break.
// A quiet printer only keeps the texts, so that a failure can always be told: by default the
// status is shown when standard error is a terminal.
class StatusPrinter
{
public:
    explicit StatusPrinter(bool loud);
    // Loud when the user asked for it or standard error is a terminal.
    static bool loudByDefault(bool verbose);

    void show(const QString& text);
    // Prints the last text unless it has been printed already.
    void tellLast();
    // Prints `text` whether or not the status is shown, and keeps the last status as it is.
    static void tell(const QString& text);
    const QString& last() const { return last_; }

private:
    bool loud_;
    QString last_;
    bool lastPrinted_ = true;
};

} // namespace vandrel
