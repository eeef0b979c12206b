#include "regex/compile/posix_names.h"

#include <utility>

namespace zel {

std::optional<TREPosixClassKind> FindPosixClassName(std::u16string_view name) {
    static constexpr std::pair<std::u16string_view, TREPosixClassKind> kNames[] = {
        {u"alnum", pckAlnum}, {u"alpha", pckAlpha},      {u"ascii", pckAscii},
        {u"blank", pckBlank}, {u"cntrl", pckCntrl},      {u"digit", pckDigit},
        {u"graph", pckGraph}, {u"lower", pckLower},      {u"print", pckPrint},
        {u"punct", pckPunct}, {u"space", pckSpace},      {u"spaceperl", pckSpacePerl},
        {u"upper", pckUpper}, {u"xdigit", pckXdigit},    {u"word", pckWord},
        {u"any", pckAny},     {u"assigned", pckAssigned}};
    for (const auto& [text, kind] : kNames) {
        if (text.size() != name.size())
            continue;
        bool same = true;
        for (std::size_t i = 0; i < text.size() && same; ++i) {
            char16_t c = name[i] >= u'A' && name[i] <= u'Z' ? name[i] + 32 : name[i];
            same = c == text[i];
        }
        if (same)
            return kind;
    }
    return std::nullopt;
}

} // namespace zel
