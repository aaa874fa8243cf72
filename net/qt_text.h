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

// Seconds with one decimal, written the way the user's locale writes numbers.
inline QString secondsText(double seconds)
{
    QLocale locale = QLocale::system();
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(seconds, 'f', 1);
}

} // namespace vandrel
