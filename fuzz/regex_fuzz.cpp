// libFuzzer target: the regex compiler and matcher with every option combination.
#include "fuzz/regex_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    zel::RunRegexFuzzCase(data, size);
    return 0;
}
