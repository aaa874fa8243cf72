#pragma once

#include "net/qt_text.h"
#include "sample/pages/sample_pages.h"
#include "sources/chart_source.h"

#include <QFile>
#include <QStringList>
#include <QUrl>

// The sample server's pages, saved in pages/<source>/sample[-<choice>].html beside the rows
// they hold: what the window and vandrel-fetch must show, known without running the extraction.
namespace vandrel::test {

struct GoldenList
{
    QString page;   // as the program reads it, "&amp;" already "&"; empty where the server has none
    QString error;  // the failure that ends the extraction, if one does
    QString marker; // the marker the page lacks, if it lacks one
    QList<QStringList> rows;
};

// The saved page's file, named without its extension.
inline QString goldenFile(const ChartSource& source, std::u16string_view choice)
{
    return QStringLiteral(VANDREL_TEST_PAGES "/%1/sample%2")
        .arg(QLatin1String(source.name.data(), qsizetype(source.name.size())),
             choice.empty() ? QString() : u'-' + qt(choice).toLower());
}

// The sample server's page for a choice, found by its address's path and query as the server
// finds it; none where the server answers 404.
inline std::optional<sample::Page> servedPage(const ChartSource& source, std::u16string_view choice)
{
    const QUrl address(qt(source.address(choice)));
    return sample::findPage(
        address.toString(QUrl::RemoveScheme | QUrl::RemoveAuthority).toStdString());
}

// The case whose files are named `name` and an extension.
inline GoldenList goldenCase(const QString& name)
{
    const auto read = [&](const char* extension) {
        QFile file(name + QLatin1String(extension));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    };
    GoldenList golden{read(".html"), read(".error").trimmed(), read(".marker").trimmed(), {}};
    for (const QString& line : read(".tsv").split(u'\n', Qt::SkipEmptyParts)) {
        golden.rows << line.split(u'\t');
        for (QString& cell : golden.rows.last())
            for (qsizetype at = 0; (at = cell.indexOf(QLatin1String("\\x"), at)) >= 0; ++at)
                cell.replace(at, 4, QChar(cell.mid(at + 2, 2).toUShort(nullptr, 16)));
    }
    return golden;
}

inline GoldenList goldenList(const ChartSource& source, std::u16string_view choice)
{
    return goldenCase(goldenFile(source, choice));
}

} // namespace vandrel::test
