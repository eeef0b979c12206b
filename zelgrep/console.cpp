#include "zelgrep/console.h"

#include <string>

namespace zel {

TUtf16StreamBuf::TUtf16StreamBuf(TWrite write) : FWrite(std::move(write)) {
    setp(FBuffer.data(), FBuffer.data() + FBuffer.size());
}

TUtf16StreamBuf::~TUtf16StreamBuf() {
    Flush();
}

TUtf16StreamBuf::int_type TUtf16StreamBuf::overflow(int_type c) {
    if (!Flush())
        return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof()))
        sputc(traits_type::to_char_type(c));
    return traits_type::not_eof(c);
}

int TUtf16StreamBuf::sync() {
    return Flush() ? 0 : -1;
}

bool TUtf16StreamBuf::Flush() {
    std::u16string text;
    try {
        FDecoder.Append(std::string_view(pbase(), static_cast<std::size_t>(pptr() - pbase())),
                        text);
    } catch (const Utf8Error&) {
        return false; // bytes that are no UTF-8 fail the stream, as a failed write does
    }
    setp(FBuffer.data(), FBuffer.data() + FBuffer.size());
    return text.empty() || FWrite(text);
}

} // namespace zel
