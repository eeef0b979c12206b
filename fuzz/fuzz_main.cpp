// One libFuzzer target; ZEL_FUZZ_CASE names its fuzz case.
#include "fuzz/fuzz_cases.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    zel::ZEL_FUZZ_CASE(data, size);
    return 0;
}
