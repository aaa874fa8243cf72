#include "cli/row_formats.h"

#include "cli/terminal_text.h"
#include "net/qt_text.h"
#include "sources/tsv.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace vandrel {

namespace {

std::vector<std::u16string> header(const ChartTable& table, bool manyPages)
{
    std::vector<std::u16string> titles;
    if (manyPages)
        titles.push_back(u"Page");
    for (const QString& title : table.columns)
        titles.push_back(title.toStdU16String());
    return titles;
}

QByteArray tsv(const ChartTable& table, bool manyPages)
{
    // The page's cell, with its tab, leads every line.
    std::u16string lead;
    if (manyPages) {
        const std::u16string page = table.page.toStdU16String();
        lead = tabSeparatedLine({&page, 1});
        lead.back() = u'\t';
    }
    std::u16string text;
    // A tab or line feed after each cell.
    text.reserve(table.rows.textSize() + table.rows.size() * (lead.size() + table.rows.columns()));
    for (std::size_t row = 0; row < table.rows.size(); ++row) {
        text += lead;
        appendTabSeparatedLine(text, table.rows.row(row));
    }
    return QStringView(text).toUtf8();
}

QString csvField(std::u16string_view cell)
{
    QString field = qt(cell);
    if (field.contains(QLatin1Char('"')) || field.contains(QLatin1Char(',')) ||
        field.contains(QLatin1Char('\r')) || field.contains(QLatin1Char('\n')))
        field = QLatin1Char('"') + field.replace(QStringLiteral("\""), QStringLiteral("\"\"")) +
                QLatin1Char('"');
    return field;
}

template <typename Cells> QString csvLine(const Cells& row)
{
    QStringList fields;
    for (const std::u16string_view cell : row)
        fields << csvField(cell);
    return fields.join(QLatin1Char(',')) + QStringLiteral("\r\n");
}

QByteArray csv(const ChartTable& table, bool manyPages)
{
    const QString lead = manyPages ? csvField(core(table.page)) + u',' : QString();
    QString text;
    for (std::size_t row = 0; row < table.rows.size(); ++row)
        text += lead + csvLine(table.rows.row(row));
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

QJsonObject jsonObject(const ChartTable& table)
{
    QJsonArray rows;
    for (std::size_t row = 0; row < table.rows.size(); ++row) {
        QJsonArray cells;
        for (const std::u16string_view cell : table.rows.row(row))
            cells.append(qt(cell));
        rows.append(cells);
    }
    return {
        {QStringLiteral("source"), table.source},
        {QStringLiteral("choice"), table.choice.isEmpty() ? QJsonValue() : table.choice},
        {QStringLiteral("caption"), table.caption},
        {QStringLiteral("columns"), QJsonArray::fromStringList(table.columns)},
        {QStringLiteral("page"), table.page},
        {QStringLiteral("rows"), rows},
    };
}

// The object indented as an element of an array: the array of it alone without its brackets.
QByteArray arrayElement(const QJsonObject& object)
{
    const QByteArray array = QJsonDocument(QJsonArray{object}).toJson(QJsonDocument::Indented);
    const qsizetype first = array.indexOf('\n') + 1;
    return array.sliced(first, array.lastIndexOf('\n', array.size() - 2) - first);
}

QByteArray json(const ChartTable& table, bool manyPages)
{
    const QJsonObject object = jsonObject(table);
    return escapedControls(manyPages ? arrayElement(object)
                                     : QJsonDocument(object).toJson(QJsonDocument::Indented));
}

} // namespace

QByteArray RowShape::start(const ChartTable& head) const
{
    switch (format) {
    case RowFormat::Tsv:
        return QStringView(tabSeparatedLine(header(head, manyPages))).toUtf8();
    case RowFormat::Csv:
        return csvLine(header(head, manyPages)).toUtf8();
    case RowFormat::Json:
        return manyPages ? QByteArrayLiteral("[") : QByteArray();
    case RowFormat::JsonLines:
        break;
    }
    return {};
}

QByteArray RowShape::page(const ChartTable& table) const
{
    switch (format) {
    case RowFormat::Tsv:
        return tsv(table, manyPages);
    case RowFormat::Csv:
        return csv(table, manyPages);
    case RowFormat::Json:
        return json(table, manyPages);
    case RowFormat::JsonLines:
        break;
    }
    return escapedControls(QJsonDocument(jsonObject(table)).toJson(QJsonDocument::Compact)) + '\n';
}

QByteArrayView RowShape::before(bool firstPage) const
{
    if (format != RowFormat::Json || !manyPages)
        return {};
    return firstPage ? "\n" : ",\n";
}

QByteArrayView RowShape::end(bool anyPage) const
{
    if (format != RowFormat::Json || !manyPages)
        return {};
    return anyPage ? "\n]\n" : "]\n";
}

QByteArray formatRows(const ChartTable& table, RowFormat format)
{
    const RowShape shape{format, false};
    return shape.start(table) + shape.page(table);
}

} // namespace vandrel
