#include "cli/row_formats.h"

#include "cli/terminal_text.h"
#include "sources/tsv.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace vandrel {

namespace {

Row header(const ChartTable& table)
{
    Row titles;
    for (const QString& title : table.columns)
        titles.push_back(title.toStdU16String());
    return titles;
}

QByteArray tsv(const ChartTable& table)
{
    std::u16string text = tabSeparatedLine(header(table));
    for (const Row& row : table.rows)
        text += tabSeparatedLine(row);
    return QString::fromStdU16String(text).toUtf8();
}

QString csvField(const std::u16string& cell)
{
    QString field = QString::fromStdU16String(cell);
    if (field.contains(QLatin1Char('"')) || field.contains(QLatin1Char(',')) ||
        field.contains(QLatin1Char('\r')) || field.contains(QLatin1Char('\n')))
        field = QLatin1Char('"') + field.replace(QStringLiteral("\""), QStringLiteral("\"\"")) +
                QLatin1Char('"');
    return field;
}

QString csvLine(const Row& row)
{
    QStringList fields;
    for (const std::u16string& cell : row)
        fields << csvField(cell);
    return fields.join(QLatin1Char(',')) + QStringLiteral("\r\n");
}

QByteArray csv(const ChartTable& table)
{
    QString text = csvLine(header(table));
    for (const Row& row : table.rows)
        text += csvLine(row);
    return text.toUtf8();
}

// The writer escapes the C0 controls but passes DEL, C1 and the bidirectional controls raw. Such
// a character stands only inside a string, where its \u escape means the same: nothing is lost.
QByteArray escapedControls(const QByteArray& document)
{
    QString text;
    const QString written = QString::fromUtf8(document);
    for (const QChar c : written)
        text += actsOnTerminal(c.unicode()) ? unicodeEscape(c.unicode()) : QString(c);
    return text.toUtf8();
}

QByteArray json(const ChartTable& table)
{
    QJsonArray rows;
    for (const Row& row : table.rows) {
        QJsonArray cells;
        for (const std::u16string& cell : row)
            cells.append(QString::fromStdU16String(cell));
        rows.append(cells);
    }
    const QJsonObject object{
        {QStringLiteral("source"), table.source},
        {QStringLiteral("choice"), table.choice.isEmpty() ? QJsonValue() : table.choice},
        {QStringLiteral("caption"), table.caption},
        {QStringLiteral("columns"), QJsonArray::fromStringList(table.columns)},
        {QStringLiteral("page"), table.page},
        {QStringLiteral("rows"), rows},
    };
    return escapedControls(QJsonDocument(object).toJson(QJsonDocument::Indented));
}

} // namespace

QByteArray formatRows(const ChartTable& table, RowFormat format)
{
    switch (format) {
    case RowFormat::Csv:
        return csv(table);
    case RowFormat::Json:
        return json(table);
    case RowFormat::Tsv:
        break;
    }
    return tsv(table);
}

} // namespace vandrel
