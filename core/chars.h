#pragma once
// Character tests for the digits that patterns, escapes and settings values are written with,
// and for the halves of UTF-16 surrogate pairs.

namespace zel {

constexpr bool IsDecimalDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}
constexpr bool IsOctalDigit(char16_t c) {
    return c >= u'0' && c <= u'7';
}

// The value of a hexadecimal digit in either letter case, -1 for any other character.
constexpr int HexDigitValue(char16_t c) {
    if (IsDecimalDigit(c))
        return c - u'0';
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return -1;
}

constexpr bool IsHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
constexpr bool IsLowSurrogate(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

} // namespace zel
