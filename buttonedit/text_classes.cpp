#include "buttonedit/text_classes.h"

#include "core/chars.h"

#include <algorithm>

namespace zel {

namespace {

bool IsHexLetter(char16_t c) {
    return HexDigitValue(c) >= 10;
}

// Thousand separators with fewer than three characters between two of them.
bool ThousandSeparatorsCrowded(std::u16string_view Text, char16_t Separator) {
    size_t last = std::u16string_view::npos;
    for (size_t i = 0; i < Text.size(); ++i) {
        if (Text[i] != Separator)
            continue;
        if (last != std::u16string_view::npos && i - last <= 3)
            return true;
        last = i;
    }
    return false;
}

} // namespace

TTextClass TextClassOf(std::u16string_view Text, const LocaleData& Locale) {
    if (Text.empty() || std::count(Text.begin(), Text.end(), u'-') > 1 ||
        std::count(Text.begin(), Text.end(), Locale.DecimalSeparator) > 1)
        return TTextClass::tcOther;
    const auto all = [&](auto test) { return std::all_of(Text.begin(), Text.end(), test); };
    if (all([](char16_t c) { return IsDecimalDigit(c) || c == u'-'; }))
        return TTextClass::tcInteger;
    if (all([](char16_t c) { return HexDigitValue(c) >= 0; }) &&
        std::any_of(Text.begin(), Text.end(), IsHexLetter))
        return TTextClass::tcHex;
    if (all([&](char16_t c) {
            return IsDecimalDigit(c) || c == u'-' || c == Locale.DecimalSeparator ||
                   c == Locale.ThousandSeparator;
        }) &&
        !ThousandSeparatorsCrowded(Text, Locale.ThousandSeparator))
        return TTextClass::tcDecimal;
    return TTextClass::tcOther;
}

bool ClassFitsType(TTextClass Class, TExtEditType Type) {
    switch (Type) {
    case TExtEditType::etNumeric:
        return Class == TTextClass::tcInteger;
    case TExtEditType::etFloat:
    case TExtEditType::etMoney:
        return Class == TTextClass::tcInteger || Class == TTextClass::tcDecimal;
    case TExtEditType::etHex:
        return Class == TTextClass::tcInteger || Class == TTextClass::tcHex;
    default:
        return true;
    }
}

bool IsDecimalType(TExtEditType Type) {
    return Type == TExtEditType::etFloat || Type == TExtEditType::etMoney;
}

bool IsSignedType(TExtEditType Type) {
    return Type == TExtEditType::etNumeric || IsDecimalType(Type);
}

int IntegerPartEnd(std::u16string_view Text, const LocaleData& Locale) {
    return static_cast<int>(std::min(Text.find(Locale.DecimalSeparator), Text.size()));
}

int IntegerPartLength(std::u16string_view Text, TExtEditType Type, bool Signed,
                      const LocaleData& Locale) {
    const std::u16string_view part =
        Text.substr(0, static_cast<size_t>(IntegerPartEnd(Text, Locale)));
    int length =
        static_cast<int>(part.size() - static_cast<size_t>(std::count(part.begin(), part.end(),
                                                                      Locale.ThousandSeparator)));
    if (Signed && IsSignedType(Type) && !part.empty() && part.front() == u'-')
        --length;
    return length;
}

} // namespace zel
