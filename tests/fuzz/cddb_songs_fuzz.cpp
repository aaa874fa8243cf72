#include "fuzz/checked_extraction.h"
#include "sources/cddb.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    return vandrel::fuzz::RunExtraction(
        data, size, 4, [](std::u16string text, vandrel::RowSink& rows) {
            vandrel::ExtractCddb(std::move(text), vandrel::CddbSongs, rows);
        });
}
