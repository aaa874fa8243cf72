#pragma once

#include <QLocale>
#include <QString>
#include <string_view>

namespace vandrel {

// The core's UTF-16 text as a QString.
inline QString qt(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), qsizetype(text.size()));
}

// A QString's text as the core reads it, for as long as the QString holds it unchanged.
inline std::u16string_view core(const QString& text)
{
    return {QStringView(text).utf16(), std::size_t(text.size())};
}

// Seconds with one decimal, written the way the user's locale writes numbers.
inline QString secondsText(double seconds)
{
    // Asked once: the system's locale is looked up anew each time it is asked for.
    static const QLocale locale = [] {
        QLocale system = QLocale::system();
        system.setNumberOptions(QLocale::OmitGroupSeparator);
        return system;
    }();
    return locale.toString(seconds, 'f', 1);
}

} // namespace vandrel
