#include "fuzz/fuzz_input.h"

#include <cstdio>
#include <cstdlib>

namespace zel::fuzz {

std::u16string FuzzInput::Units(std::u16string_view special) const {
    std::u16string text;
    text.reserve(size_);
    for (std::size_t i = 0; i < size_; ++i)
        text += data_[i] < 0xF0 ? static_cast<char16_t>(data_[i])
                                : special[(data_[i] - 0xF0) % special.size()];
    return text;
}

std::string CppLiteral(std::u16string_view text) {
    std::string literal = "u\"";
    for (char16_t c : text) {
        if (c >= 0x20 && c < 0x7F && c != u'"' && c != u'\\') {
            literal += static_cast<char>(c);
            continue;
        }
        // A unit is closed off by its own string piece, so no digit after it joins it.
        char escaped[16];
        std::snprintf(escaped, sizeof escaped, "\\x%04X\"u\"", static_cast<unsigned>(c));
        literal += escaped;
    }
    return literal + "\"";
}

void CheckInput(bool holds, const char* what, std::string_view input) {
    if (holds)
        return;
    std::fprintf(stderr, "fuzz case: %s\ninput: %s\n", what,
                 CppLiteral(std::u16string(input.begin(), input.end())).c_str());
    std::abort();
}

bool PrintCases() {
    return std::getenv("ZEL_FUZZ_PRINT") != nullptr;
}

} // namespace zel::fuzz
