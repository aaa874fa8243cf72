#include "cli/terminal_text.h"

#include <unistd.h>

namespace vandrel {

bool actsOnTerminal(char16_t c)
{
    const bool bidirectional = c == 0x061C || c == 0x200E || c == 0x200F ||
                               (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
    return (c < 0x20 && c != u'\n') || (c >= 0x7F && c <= 0x9F) || bidirectional;
}

QString unicodeEscape(char16_t c)
{
    return QStringLiteral("\\u%1").arg(c, 4, 16, QLatin1Char('0'));
}

QString terminalText(const QString& text)
{
    QString shown;
    shown.reserve(text.size());
    for (const QChar c : text) {
        if (!actsOnTerminal(c.unicode()))
            shown += c;
        else if (c.unicode() <= 0x9F)
            shown += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        else
            shown += unicodeEscape(c.unicode());
    }
    return shown;
}

bool standardOutputIsTerminal()
{
    static const bool onTerminal = isatty(STDOUT_FILENO) == 1;
    return onTerminal;
}

} // namespace vandrel
