#include "sources_support.h"

#include "sources/text_ops.h"
#include "text/failure.h"
#include "text/utf8.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace vandrel::test {

void RecordingSink::AddRow(std::u16string firstColumn)
{
    rows.push_back({std::move(firstColumn)});
}

void RecordingSink::SetSubItem(int index, std::u16string text)
{
    if (rows.empty() || static_cast<std::size_t>(index) != rows.back().size()) {
        outOfOrder.push_back("SetSubItem(" + std::to_string(index) + ") on row " +
                             std::to_string(rows.size()));
        return;
    }
    rows.back().push_back(std::move(text));
}

Outcome Extract(const ChartSource& source, std::u16string text)
{
    RecordingSink sink;
    int failure = 0;
    try {
        source.extract(std::move(text), sink);
    } catch (const Failure& f) {
        failure = f.number();
    }
    return {std::move(sink.rows), failure, std::move(sink.outOfOrder)};
}

std::u16string LoadPage(std::string_view name)
{
    const std::string path = std::string(VANDREL_TEST_PAGES) + "/" + std::string(name);
    std::ifstream file(path, std::ios::binary);
    if (!file)
        throw std::runtime_error("cannot open " + path);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return FromUtf8(bytes.str());
}

std::u16string WithCrLf(std::u16string_view text)
{
    return ReplaceAll(WithLf(text), u"\n", u"\r\n");
}

std::u16string WithLf(std::u16string_view text)
{
    return ReplaceAll(std::u16string(text), u"\r\n", u"\n");
}

} // namespace vandrel::test
