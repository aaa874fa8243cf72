#include "fuzz/checked_extraction.h"
#include "sources/krock.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    return vandrel::fuzz::RunExtraction(data, size, 4, vandrel::ExtractKRock);
}
