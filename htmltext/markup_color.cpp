#include "htmltext/markup_color.h"

#include "htmltext/markup_chars.h"

namespace zel::markup {
namespace {

struct NamedColor {
    std::u16string_view name;
    Color value;
};

constexpr NamedColor kNamedColors[] = {
    {u"clred", 0x0000FF},
    {u"clblack", 0x000000},
    {u"clblue", 0xFF0000},
    {u"clgreen", 0x008000},
    {u"claqua", 0xFFFF00},
    {u"clyellow", 0x00FFFF},
    {u"clfuchsia", 0xFF00FF},
    {u"clwhite", 0xFFFFFF},
    {u"cllime", 0x00FF00},
    {u"clsilver", 0xC0C0C0},
    {u"clgray", 0x808080},
    {u"clolive", 0x008080},
    {u"clnavy", 0x800000},
    {u"clpurple", 0x800080},
    {u"clteal", 0x808000},
    {u"clmaroon", 0x000080},
    {u"clbackground", SystemColor(1)},
    {u"clactivecaption", SystemColor(2)},
    {u"clinactivecaption", SystemColor(3)},
    {u"clmenu", SystemColor(4)},
    {u"clwindow", SystemColor(5)},
    {u"clwindowframe", SystemColor(6)},
    {u"clmenutext", SystemColor(7)},
    {u"clwindowtext", SystemColor(8)},
    {u"clcaptiontext", SystemColor(9)},
    {u"clactiveborder", SystemColor(10)},
    {u"clinactiveborder", SystemColor(11)},
    {u"clappworkspace", SystemColor(12)},
    {u"clhighlight", SystemColor(13)},
    {u"clhighlighttext", SystemColor(14)},
    {u"clbtnface", SystemColor(15)},
    {u"clbtnshadow", SystemColor(16)},
    {u"clgraytext", SystemColor(17)},
    {u"clbtntext", SystemColor(18)},
    {u"clinactivecaptiontext", SystemColor(19)},
    {u"clbtnhighlight", SystemColor(20)},
    {u"cl3ddkshadow", SystemColor(21)},
    {u"cl3dlight", SystemColor(22)},
    {u"clinfotext", SystemColor(23)},
    {u"clinfobk", SystemColor(24)},
};

int HexDigit(char16_t c, bool upperCased) {
    if (upperCased)
        c = AsciiUpper(c);
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return 0;
}

int HexPair(std::u16string_view digits, std::size_t at, bool upperCased) {
    if (at + 2 > digits.size())
        return 0;
    return HexDigit(digits[at], upperCased) * 16 + HexDigit(digits[at + 1], upperCased);
}

} // namespace

Color ParseMarkupColor(std::u16string_view value, bool upperCased) {
    if (!value.empty() && value[0] == u'#') {
        const auto digits = value.substr(1);
        return Rgb(HexPair(digits, 0, upperCased), HexPair(digits, 2, upperCased),
                   HexPair(digits, 4, upperCased));
    }
    for (const NamedColor& c : kNamedColors)
        if (EqualsNoCase(value, c.name))
            return c.value;
    return clBlack;
}

} // namespace zel::markup
