#include "fuzz/checked_extraction.h"
#include "sources/hot97.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    return vandrel::fuzz::RunExtraction(data, size, 3, vandrel::ExtractHot97);
}
