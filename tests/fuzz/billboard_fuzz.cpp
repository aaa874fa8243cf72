#include "fuzz/checked_extraction.h"
#include "sources/billboard.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    return vandrel::fuzz::RunExtraction(data, size, 6, vandrel::ExtractBillboard);
}
