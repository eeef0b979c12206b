#pragma once
// ASCII-only case rules of the markup language: tag letters, attribute names and entities
// compare with a-z folded to A-Z; every other character compares as it stands.
#include <cstddef>
#include <string_view>

namespace zel::markup {

constexpr char16_t AsciiUpper(char16_t c) {
    return c >= u'a' && c <= u'z' ? c - 32 : c;
}
constexpr char16_t AsciiLower(char16_t c) {
    return c >= u'A' && c <= u'Z' ? c + 32 : c;
}

constexpr bool StartsWithNoCase(std::u16string_view text, std::u16string_view prefix) {
    if (text.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (AsciiUpper(text[i]) != AsciiUpper(prefix[i]))
            return false;
    return true;
}

constexpr bool EqualsNoCase(std::u16string_view a, std::u16string_view b) {
    return a.size() == b.size() && StartsWithNoCase(a, b);
}

constexpr std::size_t FindNoCase(std::u16string_view text, std::u16string_view needle,
                                 std::size_t from = 0) {
    if (needle.empty() || needle.size() > text.size())
        return std::u16string_view::npos;
    for (std::size_t i = from; i + needle.size() <= text.size(); ++i)
        if (StartsWithNoCase(text.substr(i), needle))
            return i;
    return std::u16string_view::npos;
}

constexpr bool ContainsNoCase(std::u16string_view text, std::u16string_view needle) {
    return FindNoCase(text, needle) != std::u16string_view::npos;
}

} // namespace zel::markup
