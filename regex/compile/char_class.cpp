#include "regex/compile/char_class.h"

#include <algorithm>
#include <string>

#include "regex/compile/literal_code.h"
#include "regex/compile/messages.h"
#include "regex/compile/owner.h"
#include "regex/unicode/unicode_prop.h"

namespace zel {

namespace {

char32_t FirstFold(char32_t cp) {
    auto fold = CaseFold(cp);
    return fold.Count > 0 ? fold.Chars[static_cast<std::size_t>(fold.Count - 1)] : cp;
}

// The members of ToCaseFold's first code point for a class under the case option.
char32_t FoldMember(char32_t c, TRECompareOptions options) {
    if (!options.Contains(coIgnoreCase))
        return c;
    if (c < 128)
        return c >= U'A' && c <= U'Z' ? c + 32 : c;
    return options.Contains(coASCIIOnly) ? c : FirstFold(c);
}

// A one-character conversion: the converted code point, or c when it converts to nothing
// single.
template <typename Convert>
char32_t ConvertChar(char32_t c, Convert convert) {
    std::u16string text;
    AppendChar(text, c);
    std::u16string out = convert(text);
    int len = 0;
    if (out.empty())
        return c;
    char32_t result = ReadChar(out.data(), out.data() + out.size(), len);
    return static_cast<std::size_t>(len) == out.size() ? result : c;
}

char32_t FullWidthOf(char32_t c) {
    return ConvertChar(c, [](std::u16string_view t) { return ToFullWidth(t); });
}
char32_t HalfWidthOf(char32_t c) {
    return ConvertChar(c, [](std::u16string_view t) { return ToHalfWidth(t); });
}
char32_t HiraganaOf(char32_t c) {
    return ConvertChar(c, [](std::u16string_view t) { return ToHiragana(t); });
}
char32_t KatakanaOf(char32_t c) {
    return ConvertChar(c, [](std::u16string_view t) { return ToKatakana(t); });
}

// Every code point whose case folding starts with another code point, with that one, sorted:
// what a range must add so that folded subject characters find its members.
const std::vector<std::pair<char32_t, char32_t>>& FoldingCodePoints() {
    static const auto table = [] {
        std::vector<std::pair<char32_t, char32_t>> out;
        for (char32_t cp = 0x80; cp <= 0x10FFFF; ++cp) {
            if (cp >= 0xD800 && cp <= 0xDFFF)
                continue;
            char32_t folded = FirstFold(cp);
            if (folded != cp)
                out.emplace_back(cp, folded);
        }
        return out;
    }();
    return table;
}

} // namespace

TRECharClassCode::TRECharClassCode(TREOwner* ARegExp, bool ANegative, TREOptions AOptions)
    : TRECode(ARegExp, AOptions), FIgnoreCase(AOptions.Contains(roIgnoreCase)),
      FASCIIOnly(AOptions.Contains(roASCIIOnly) || AOptions.Contains(roASCIICharClass)) {
    FNegative = ANegative;
}

void TRECharClassCode::Clear() {
    FASCIIMap.fill(0);
    FWChar = 0;
    FCharCount = FCharSetCount = 0;
    FHasMap = FHasUnicode = FHasRange = false;
    FCharSetList.clear();
    FCharRange.Clear();
}

void TRECharClassCode::Assign(const TRECharClassCode& Source) {
    FASCIIMap = Source.FASCIIMap;
    FWChar = Source.FWChar;
    FCharCount = Source.FCharCount;
    FCharSetCount = Source.FCharSetCount;
    FIgnoreCase = Source.FIgnoreCase;
    FASCIIOnly = Source.FASCIIOnly;
    FHasMap = Source.FHasMap;
    FHasUnicode = Source.FHasUnicode;
    FHasRange = Source.FHasRange;
    FCharRange.Assign(Source.FCharRange);
    FCharSetList.clear();
    for (const auto& set : Source.FCharSetList)
        FCharSetList.push_back(set->Clone());
}

void TRECharClassCode::AddCodePoint(char32_t c, TRECompareOptions options) {
    c = FoldMember(c, options);
    if (c < 128) {
        FASCIIMap[c >> 3] |= static_cast<std::uint8_t>(1u << (c & 7));
        FHasMap = true;
    } else {
        FCharRange.Add(c, c);
        FHasUnicode = FHasRange = true;
    }
    ++FCharCount;
}

void TRECharClassCode::Add(char32_t AWChar, TRECompareOptions ACompareOptions) {
    FWChar = AWChar;
    if (ACompareOptions.Contains(coIgnoreCase))
        FIgnoreCase = true;
    // The width and kana variants are members too (folded like the character itself).
    if (ACompareOptions.Contains(coIgnoreWidth))
        for (char32_t v : {FullWidthOf(AWChar), HalfWidthOf(AWChar)})
            if (v != AWChar)
                AddCodePoint(v, ACompareOptions);
    if (ACompareOptions.Contains(coIgnoreKana))
        for (char32_t v : {HiraganaOf(AWChar), KatakanaOf(AWChar)})
            if (v != AWChar)
                AddCodePoint(v, ACompareOptions);
    AddCodePoint(AWChar, ACompareOptions);
}

// A range beyond ASCII as given, with its members' case foldings when the case is ignored.
void TRECharClassCode::AddPlainRange(char32_t s, char32_t l, TRECompareOptions options) {
    if (l < 128) {
        for (char32_t c = s; c <= l; ++c)
            AddCodePoint(c, options);
        return;
    }
    if (s < 128) {
        for (char32_t c = s; c < 128; ++c)
            AddCodePoint(c, options);
        s = 128;
    }
    FCharRange.Add(s, l);
    FCharCount += static_cast<int>(l - s + 1);
    FHasUnicode = FHasRange = true;
    if (!options.Contains(coIgnoreCase) || options.Contains(coASCIIOnly))
        return;
    const auto& folds = FoldingCodePoints();
    auto it = std::lower_bound(folds.begin(), folds.end(), std::make_pair(s, char32_t{0}));
    for (; it != folds.end() && it->first <= l; ++it) {
        if (it->second < 128) {
            FASCIIMap[it->second >> 3] |= static_cast<std::uint8_t>(1u << (it->second & 7));
            FHasMap = true;
        } else {
            FCharRange.Add(it->second, it->second);
        }
    }
}

void TRECharClassCode::Add(char32_t AStartWChar, char32_t ALastWChar,
                           TRECompareOptions ACompareOptions) {
    if (ACompareOptions.Contains(coIgnoreCase))
        FIgnoreCase = true;
    if (ACompareOptions.Contains(coASCIIOnly))
        FASCIIOnly = true;
    FWChar = AStartWChar;
    if (ALastWChar < 128) {
        for (char32_t c = AStartWChar; c <= ALastWChar; ++c)
            Add(c, ACompareOptions);
        return;
    }
    AddPlainRange(AStartWChar, ALastWChar, ACompareOptions);
    auto addConverted = [&](char32_t (*convert)(char32_t), char32_t s, char32_t l) {
        char32_t cs = convert(s);
        char32_t cl = convert(l);
        if (cs != s && cl != l && cs <= cl)
            AddPlainRange(cs, cl, ACompareOptions);
    };
    if (ACompareOptions.Contains(coIgnoreWidth)) {
        addConverted(FullWidthOf, AStartWChar, ALastWChar);
        addConverted(HalfWidthOf, AStartWChar, ALastWChar);
    }
    if (ACompareOptions.Contains(coIgnoreKana)) {
        char32_t s = FullWidthOf(AStartWChar);
        char32_t l = FullWidthOf(ALastWChar);
        addConverted(HiraganaOf, s, l);
        addConverted(KatakanaOf, s, l);
    }
}

void TRECharClassCode::Add(std::unique_ptr<TRECharSetCode> ACode) {
    if (IndexOfCharSet(*ACode) >= 0)
        return;
    FCharSetList.push_back(std::move(ACode));
    ++FCharSetCount;
}

void TRECharClassCode::Add(const TREASCIICharMapArray& AMap, bool IsNegative) {
    for (std::size_t i = 0; i < AMap.size(); ++i)
        FASCIIMap[i] |= IsNegative ? static_cast<std::uint8_t>(~AMap[i]) : AMap[i];
    FHasMap = FHasMap || std::any_of(FASCIIMap.begin(), FASCIIMap.end(),
                                     [](std::uint8_t b) { return b != 0; });
}

void TRECharClassCode::Add(const TRECharClassCode& ACharClass) {
    Add(ACharClass.FASCIIMap, false);
    FCharCount += ACharClass.FCharCount;
    FIgnoreCase = FIgnoreCase || ACharClass.FIgnoreCase;
    FASCIIOnly = FASCIIOnly || ACharClass.FASCIIOnly;
    FHasUnicode = FHasUnicode || ACharClass.FHasUnicode;
    FHasRange = FHasRange || ACharClass.FHasRange;
    for (int i = 0; i < ACharClass.FCharRange.Count(); ++i) {
        auto [s, l] = ACharClass.FCharRange.Get(i);
        FCharRange.Add(s, l);
    }
    for (const auto& set : ACharClass.FCharSetList)
        Add(set->Clone());
}

int TRECharClassCode::IndexOfCharSet(const TRECharSetCode& ACode) const {
    for (std::size_t i = 0; i < FCharSetList.size(); ++i)
        if (FCharSetList[i]->SameSet(ACode))
            return static_cast<int>(i);
    return -1;
}

std::unique_ptr<TRECharSetCode> TRECharClassCode::ReleaseOnlyCharSet() {
    if (FCharSetList.size() != 1)
        return nullptr;
    auto set = std::move(FCharSetList.front());
    FCharSetList.clear();
    FCharSetCount = 0;
    return set;
}

std::unique_ptr<TRECharClassCode> TRECharClassCode::Build() const {
    const bool sets = FCharSetCount > 0;
    const bool chars = HasChars();
    if (!sets && !chars)
        throw EZelRegExpRuntime(std::u16string(sBugCharClass));
    std::unique_ptr<TRECharClassCode> built;
    if (sets && chars && FIgnoreCase)
        built = std::make_unique<TRECharClassCode>(FRegExp, FNegative, FOptions);
    else if (sets && chars)
        built = std::make_unique<TRECharClassNICode>(FRegExp, FNegative, FOptions);
    else if (sets && FIgnoreCase)
        built = std::make_unique<TRECharClassSimpleCharSetICode>(FRegExp, FNegative, FOptions);
    else if (sets)
        built = std::make_unique<TRECharClassSimpleCharSetCode>(FRegExp, FNegative, FOptions);
    else if (FHasUnicode && FIgnoreCase)
        built = std::make_unique<TRECharClassMapIUCode>(FRegExp, FNegative, FOptions);
    else if (FHasUnicode)
        built = std::make_unique<TRECharClassMapUCode>(FRegExp, FNegative, FOptions);
    else if (FIgnoreCase)
        built = std::make_unique<TRECharClassMapIACode>(FRegExp, FNegative, FOptions);
    else
        built = std::make_unique<TRECharClassMapACode>(FRegExp, FNegative, FOptions);
    built->Assign(*this);
    return built;
}

char32_t TRECharClassCode::FoldSubject(char32_t cp) const {
    if (!FIgnoreCase)
        return cp;
    if (cp < 128)
        return cp >= U'A' && cp <= U'Z' ? cp + 32 : cp;
    return FOptions.Contains(roASCIIOnly) ? cp : FirstFold(cp);
}

bool TRECharClassCode::IsEqual(const char16_t* AStr, int& Len) {
    Len = 0;
    const char16_t* end = MatchEnd();
    if (AStr >= end)
        return false;
    int len = 0;
    const char32_t cp = ReadChar(AStr, end, len);
    bool member = InMapOrRange(FoldSubject(cp));
    for (std::size_t i = 0; !member && i < FCharSetList.size(); ++i)
        member = FCharSetList[i]->IsMatch(cp);
    if (member == FNegative)
        return false;
    Len = len;
    return true;
}

const char16_t* TRECharClassCode::Find(const char16_t* AStr) {
    const char16_t* end = MatchEnd();
    int len = 0;
    for (const char16_t* p = AStr; p < end; p += len) {
        if (IsEqual(p, len))
            return p;
        ReadChar(p, end, len);
    }
    return nullptr;
}

// Two classes of plain members folded alike overlap exactly where their members meet; with
// negation or predefined sets they are assumed to.
bool TRECharClassCode::SharesMembersWith(const TRECharClassCode& other) const {
    if (FNegative || other.FNegative || FCharSetCount > 0 || other.FCharSetCount > 0 ||
        FIgnoreCase != other.FIgnoreCase || FASCIIOnly != other.FASCIIOnly)
        return true;
    for (std::size_t i = 0; i < FASCIIMap.size(); ++i)
        if ((FASCIIMap[i] & other.FASCIIMap[i]) != 0)
            return true;
    int i = 0;
    int j = 0;
    while (i < FCharRange.Count() && j < other.FCharRange.Count()) {
        const auto a = FCharRange.Get(i);
        const auto b = other.FCharRange.Get(j);
        if (a.second < b.first)
            ++i;
        else if (b.second < a.first)
            ++j;
        else
            return true;
    }
    return false;
}

bool TRECharClassCode::IsOverlap(TRECode* ACode) {
    if (auto* other = dynamic_cast<TRECharClassCode*>(ACode))
        return SharesMembersWith(*other);
    auto* literal = dynamic_cast<TRELiteralCode*>(ACode);
    if (literal == nullptr || ACode->CharLength().Min <= 0)
        return true;
    const auto& text = literal->Strings();
    TREWindowScope window(*FRegExp, text.data(), text.data() + text.size());
    return IsExists(text.data());
}

bool TRECharClassMapACode::IsEqual(const char16_t* AStr, int& Len) {
    Len = 0;
    const char16_t* end = MatchEnd();
    if (AStr >= end)
        return false;
    int len = 1;
    const bool member = *AStr < 128 ? MapBit(*AStr) : (ReadChar(AStr, end, len), false);
    if (member == FNegative)
        return false;
    Len = len;
    return true;
}

bool TRECharClassMapIACode::IsEqual(const char16_t* AStr, int& Len) {
    Len = 0;
    const char16_t* end = MatchEnd();
    if (AStr >= end)
        return false;
    int len = 1;
    // A character beyond ASCII may fold into ASCII (the Kelvin sign to "k").
    const char32_t folded = FoldSubject(*AStr < 128 ? char32_t{*AStr} : ReadChar(AStr, end, len));
    const bool member = folded < 128 && MapBit(folded);
    if (member == FNegative)
        return false;
    Len = len;
    return true;
}

} // namespace zel
