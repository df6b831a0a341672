#include "CityDbFuzzEntry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    return CityDbFuzzOne(pData, nSize);
}
