#pragma once
// UTF-16 text at the Win32 boundary: wchar_t is 16 bits on Windows.
#include <string>

namespace zel {

static_assert(sizeof(wchar_t) == 2, "Windows wide characters are UTF-16 units");

inline const wchar_t* W(const std::u16string& text) noexcept {
    return reinterpret_cast<const wchar_t*>(text.c_str());
}
inline const wchar_t* W(const char16_t* text) noexcept {
    return reinterpret_cast<const wchar_t*>(text);
}
inline std::u16string FromW(const wchar_t* text, size_t length) {
    return std::u16string(reinterpret_cast<const char16_t*>(text), length);
}
inline std::u16string FromW(const wchar_t* text) {
    return std::u16string(reinterpret_cast<const char16_t*>(text));
}

} // namespace zel
