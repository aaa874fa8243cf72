#pragma once

#include "net/QtText.h"
#include "sources/chart_source.h"
#include "tools/sample-server/sample_pages.h"

#include <QStringList>
#include <QUrl>

namespace vandrel::test {

// A source's drop-down items, or the one empty item of a source without a list.
inline std::span<const std::u16string_view> ChoicesOf(const ChartSource& source)
{
    static constexpr std::u16string_view none[] = {u""};
    return source.choices.empty() ? none : source.choices;
}

// The rows the extraction cuts out of the sample server's page for `choice`, without any HTTP:
// what the window and vandrel-fetch must show for it.
inline QList<QStringList> SampleRows(const ChartSource& source, std::u16string_view choice)
{
    struct Rows : RowSink
    {
        void AddRow(std::u16string text) override { rows << QStringList{qt(text)}; }
        void SetSubItem(int, std::u16string text) override { rows.last() << qt(text); }
        QList<QStringList> rows;
    } rows;
    const std::string path = QUrl(qt(source.address(choice))).path().toStdString();
    const QString page = QString::fromStdString(sample::FindPage(path)->body);
    source.extract(QString(page).replace("&amp;", "&").toStdU16String(), rows);
    return rows.rows;
}

} // namespace vandrel::test
