#include "cli/row_formats.h"
#include "cli/terminal_text.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cassert>

// The command line's formats on any rows: the first byte gives the number of columns, the rest
// splits at every byte 0xff into cells read as UTF-8, the first row of them the column titles.
// The CSV reads back to the same cells by RFC 4180, the JSON to the same titles and cells and
// carries no character that acts on a terminal.
namespace {

// RFC 4180, strictly: a quote opens a field or doubles inside a quoted one, CR LF ends a record,
// and only a quoted field holds a line break.
QList<QStringList> readCsv(const QString& text)
{
    QList<QStringList> records{{}};
    QString field;
    bool quoted = false, wasQuoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (quoted && text.mid(i, 2) == QLatin1String("\"\"")) {
            field += text[i++];
        } else if (text[i] == u'"') {
            assert(quoted || (field.isEmpty() && !wasQuoted));
            quoted = !quoted;
            wasQuoted = true;
        } else if (!quoted && (text[i] == u',' || text.mid(i, 2) == QLatin1String("\r\n"))) {
            records.back() << std::exchange(field, {});
            wasQuoted = false;
            if (text[i] == u'\r')
                records << QStringList(), ++i;
        } else {
            assert(quoted || (!wasQuoted && text[i] != u'\r' && text[i] != u'\n'));
            field += text[i];
        }
    }
    assert(!quoted && field.isEmpty() && records.takeLast().isEmpty());
    return records;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace vandrel;
    if (size < 1)
        return 0;
    const qsizetype columns = data[0] % 4 + 1;
    QList<QStringList> cells;
    QJsonArray rows;
    for (const QByteArray& cell :
         QByteArray(reinterpret_cast<const char*>(data) + 1, qsizetype(size - 1)).split('\xff')) {
        if (cells.isEmpty() || cells.back().size() == columns)
            cells.append(QStringList());
        cells.back() << QString::fromUtf8(cell);
    }
    cells.back().resize(columns);
    ChartTable table{"source", "choice", "caption", "page", cells.front(), {}};
    for (const QStringList& row : cells.mid(1)) {
        rows << QJsonArray::fromStringList(row);
        table.rows.emplace_back();
        for (const QString& cell : row)
            table.rows.back().push_back(cell.toStdU16String());
    }
    assert(readCsv(QString::fromUtf8(formatRows(table, RowFormat::Csv))) == cells);
    const QString json = QString::fromUtf8(formatRows(table, RowFormat::Json));
    for (const QChar c : json)
        assert(!actsOnTerminal(c.unicode()));
    const QJsonObject object = QJsonDocument::fromJson(json.toUtf8()).object();
    assert(object[QStringLiteral("columns")] == QJsonArray::fromStringList(cells.front()));
    assert(object[QStringLiteral("rows")] == rows);
    return 0;
}
