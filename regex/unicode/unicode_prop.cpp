// Lookups in the Unicode tables: category, script, block, folding, the property test, the word
// and POSIX class tests and the property names.
#include "regex/unicode/unicode_prop.h"

#include "regex/unicode/unicode_tables.h"

#include <algorithm>
#include <iterator>

namespace zel {

using namespace unicode_data;

namespace {

constexpr char32_t kMaxCodePoint = 0x10FFFF;

// Records of code points beyond U+10FFFF: unassigned, no script, no folding.
constexpr TCharRecord kNoRecord{0, upCn - kFirstCategory, 0};

const TCharRecord& Record(char32_t cp) {
    return cp <= kMaxCodePoint ? RecordOf(cp) : kNoRecord;
}

constexpr TAsciiMap MapOf(char32_t first, char32_t last) {
    TAsciiMap map;
    for (char32_t ch = first; ch <= last; ++ch) {
        if (ch < 64)
            map.Low |= std::uint64_t{1} << ch;
        else
            map.High |= std::uint64_t{1} << (ch - 64);
    }
    return map;
}

constexpr TAsciiMap operator|(TAsciiMap a, TAsciiMap b) {
    return {a.Low | b.Low, a.High | b.High};
}

constexpr TAsciiMap kDigits = MapOf('0', '9');
constexpr TAsciiMap kUpper = MapOf('A', 'Z');
constexpr TAsciiMap kLower = MapOf('a', 'z');
constexpr TAsciiMap kPunct = MapOf('!', '/') | MapOf(':', '@') | MapOf('[', '`') | MapOf('{', '~');

char16_t Lower(char16_t ch) {
    return ch >= u'A' && ch <= u'Z' ? static_cast<char16_t>(ch + 0x20) : ch;
}

} // namespace

void AppendChar(std::u16string& text, char32_t cp) {
    if (cp > 0xFFFF) {
        cp -= 0x10000;
        text += static_cast<char16_t>(0xD800 + (cp >> 10));
        text += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    } else {
        text += static_cast<char16_t>(cp);
    }
}

TUnicodeMultiChar CaseFold(char32_t cp) noexcept {
    const TFoldEntry& entry = kFoldEntries[Record(cp).Fold];
    TUnicodeMultiChar result;
    if (entry.Count == 0) {
        result.Count = 1;
        result.Chars[0] = cp;
    } else if (entry.Count == 1) {
        result.Count = 1;
        result.Chars[0] = static_cast<char32_t>(static_cast<std::int32_t>(cp) - entry.Values[0]);
    } else {
        result.Count = entry.Count;
        for (int i = 0; i < entry.Count; ++i)
            result.Chars[static_cast<std::size_t>(i)] = static_cast<char32_t>(entry.Values[i]);
    }
    return result;
}

TUnicodeProperty CategoryOf(char32_t cp) noexcept {
    return static_cast<TUnicodeProperty>(kFirstCategory + Record(cp).Category);
}

TUnicodeProperty ScriptOf(char32_t cp) noexcept {
    return static_cast<TUnicodeProperty>(kFirstScript + Record(cp).Script);
}

TUnicodeProperty BlockOf(char32_t cp) noexcept {
    const auto* end = std::end(kBlocks);
    const auto* block = std::upper_bound(
        std::begin(kBlocks), end, cp, [](char32_t c, const TBlockRange& b) { return c < b.First; });
    if (block == std::begin(kBlocks) || cp > std::prev(block)->Last)
        return upInBasicLatin;
    return static_cast<TUnicodeProperty>(kFirstBlock + (std::prev(block) - std::begin(kBlocks)));
}

TUnicodeProperty GroupOf(TUnicodeProperty category) noexcept {
    if (category <= upCs)
        return upC;
    if (category <= upLu)
        return upL;
    if (category <= upMn)
        return upM;
    if (category <= upNo)
        return upN;
    if (category <= upPs)
        return upP;
    if (category <= upSo)
        return upS;
    return upZ;
}

bool HasProperty(char32_t cp, TUnicodeProperty prop) noexcept {
    if (prop >= kFirstBlock)
        return BlockOf(cp) == prop;
    if (prop >= kFirstScript)
        return ScriptOf(cp) == prop;
    const TUnicodeProperty category = CategoryOf(cp);
    if (prop < kFirstCategory)
        return GroupOf(category) == prop;
    if (prop == upLC)
        return category == upLl || category == upLt || category == upLu;
    return category == prop;
}

bool IsUnicodeWordChar(char32_t cp) noexcept {
    const TUnicodeProperty category = CategoryOf(cp);
    const TUnicodeProperty group = GroupOf(category);
    return group == upL || group == upM || category == upNd || category == upPc;
}

TAsciiMap PosixAsciiMap(TREPosixClassKind kind, bool ignoreCase) noexcept {
    switch (kind) {
    case pckAlnum:
        return kDigits | kUpper | kLower;
    case pckAlpha:
        return kUpper | kLower;
    case pckBlank:
    case pckSpaceHorizontal:
        return MapOf(0x09, 0x09) | MapOf(0x20, 0x20);
    case pckCntrl:
        return MapOf(0x00, 0x1F) | MapOf(0x7F, 0x7F);
    case pckDigit:
        return kDigits;
    case pckGraph:
        return MapOf('!', '~');
    case pckLower:
        return ignoreCase ? kUpper | kLower : kLower;
    case pckPrint:
        return MapOf(0x20, '~');
    case pckUpper:
        return ignoreCase ? kUpper | kLower : kUpper;
    case pckPunct:
        return kPunct;
    case pckSpace:
        return MapOf(0x09, 0x0D) | MapOf(0x20, 0x20);
    case pckSpacePerl:
        return MapOf(0x09, 0x0A) | MapOf(0x0C, 0x0D) | MapOf(0x20, 0x20);
    case pckSpaceVertical:
        return MapOf(0x0A, 0x0D);
    case pckXdigit:
        return kDigits | MapOf('A', 'F') | MapOf('a', 'f');
    case pckWord:
        return kDigits | kUpper | kLower | MapOf('_', '_');
    case pckAscii:
    case pckAny:
    case pckNone:
    case pckAssigned:
        return MapOf(0x00, 0x7F);
    }
    return {};
}

bool IsPosixUnicodeMember(TREPosixClassKind kind, char32_t cp, bool ignoreCase) noexcept {
    const TUnicodeProperty category = CategoryOf(cp);
    const TUnicodeProperty group = GroupOf(category);
    const bool lineBreak = cp == 0x85 || cp == 0x2028 || cp == 0x2029;
    switch (kind) {
    case pckAlnum:
        return group == upL || group == upM || category == upNd;
    case pckAlpha:
        return group == upL || group == upM;
    case pckBlank:
        return category == upZs;
    case pckCntrl:
        return category == upCc;
    case pckDigit:
        return category == upNd;
    case pckGraph:
        return group != upZ && category != upCc && category != upCn && category != upCs;
    case pckLower:
        return category == upLl || (ignoreCase && category == upLu);
    case pckPrint:
        return cp == 0x85 || (category != upCc && category != upCn && category != upCs);
    case pckUpper:
        return category == upLu || (ignoreCase && category == upLl);
    case pckPunct:
        return group == upP;
    case pckSpace:
        return group == upZ;
    case pckSpacePerl:
        return lineBreak || group == upZ;
    case pckSpaceVertical:
        return lineBreak;
    case pckSpaceHorizontal:
        return cp == 0xA0 || cp == 0x1680 || cp == 0x180E || (cp >= 0x2000 && cp <= 0x200A) ||
               cp == 0x202F || cp == 0x205F || cp == 0x3000;
    case pckWord:
        return IsUnicodeWordChar(cp);
    case pckAny:
    case pckNone:
        return true;
    case pckAssigned:
        return category != upCn;
    case pckAscii:
    case pckXdigit:
        return false;
    }
    return false;
}

std::optional<TUnicodeProperty> FindUnicodeProperty(std::u16string_view name) noexcept {
    const auto less = [](std::u16string_view a, std::u16string_view b) {
        return std::lexicographical_compare(
            a.begin(), a.end(), b.begin(), b.end(),
            [](char16_t x, char16_t y) { return Lower(x) < Lower(y); });
    };
    const auto* end = std::end(kPropertyIndex);
    const auto* it = std::lower_bound(
        std::begin(kPropertyIndex), end, name,
        [&](const TPropertyKey& key, std::u16string_view n) { return less(key.LowerName, n); });
    if (it == end || less(name, it->LowerName))
        return std::nullopt;
    return static_cast<TUnicodeProperty>(it->Prop);
}

std::u16string_view UnicodePropertyName(TUnicodeProperty prop) noexcept {
    return prop < kUnicodePropertyCount ? kPropertyNames[prop] : std::u16string_view{};
}

} // namespace zel
