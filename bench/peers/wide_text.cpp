#include "wide_text.h"

namespace zel::bench {

std::wstring WideText(std::u16string_view text) {
    std::wstring wide;
    wide.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char32_t c = text[i];
        if constexpr (sizeof(wchar_t) == 4) {
            const bool pair = c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() &&
                              text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF;
            if (pair) {
                wide += static_cast<wchar_t>(0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00));
                continue;
            }
        }
        wide += static_cast<wchar_t>(c);
    }
    return wide;
}

} // namespace zel::bench
