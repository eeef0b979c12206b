#include "regex/compile/literal_code.h"

#include <algorithm>

#include "regex/compile/owner.h"
#include "regex/search/quick_search.h"
#include "regex/search/trie_search.h"
#include "regex/unicode/unicode_prop.h"

namespace zel {

namespace {

std::u16string ToUtf16(const std::vector<char32_t>& chars) {
    std::u16string out;
    for (char32_t c : chars)
        AppendChar(out, c);
    return out;
}

// A surrogate pair is one character; a lone surrogate is a character of its own.
int CharCount(std::u16string_view text) {
    int count = 0;
    for (const char16_t *p = text.data(), *end = p + text.size(); p < end; p += CharUnits(p, end))
        ++count;
    return count;
}

} // namespace

TRELiteralCode::TRELiteralCode(TREOwner* ARegExp, std::u16string_view Str, TREOptions AOptions)
    : TRECode(ARegExp, AOptions), FCompareOptions(CompareOptionsOf(AOptions)) {
    FStrings = FoldLiteralText(Str, FCompareOptions);
    FLength = static_cast<int>(FStrings.size());
    FCharLength = CharCount(FStrings);
}

TRELiteralCode::TRELiteralCode(TREOwner* ARegExp, const std::vector<char32_t>& AChars,
                               TREOptions AOptions)
    : TRELiteralCode(ARegExp, ToUtf16(AChars), AOptions) {}

TRELiteralCode::TRELiteralCode(TREOwner* ARegExp, char32_t AWChar, TREOptions AOptions)
    : TRELiteralCode(ARegExp, std::vector<char32_t>{AWChar}, AOptions) {}

TRELiteralCode::~TRELiteralCode() = default;

TREQuickSearch* TRELiteralCode::Search() {
    if (!FSearch) {
        FSearch = std::make_unique<TREQuickSearch>();
        FSearch->SetFindText(FStrings);
        FSearch->SetOptions(FCompareOptions);
    }
    return FSearch.get();
}

bool TRELiteralCode::IsEqual(const char16_t* AStr, int& Len) {
    Len = 0;
    const char16_t* end = MatchEnd();
    if (AStr >= end)
        return false;
    const char16_t* pattern = FStrings.data();
    if (FCompareOptions.Contains(coIgnoreWidth) || FCompareOptions.Contains(coIgnoreKana)) {
        int len = 0;
        if (FoldCompare(AStr, end, pattern, FLength, len, FCompareOptions) != 0)
            return false;
        Len = len;
        return true;
    }
    if (FCompareOptions.Contains(coIgnoreCase) && !FCompareOptions.Contains(coASCIIOnly)) {
        int len = 0;
        if (CaseCompare(AStr, end, pattern, FLength, len) != 0)
            return false;
        Len = len;
        return true;
    }
    if (end - AStr < FLength)
        return false;
    bool same = FCompareOptions.Contains(coIgnoreCase) ? SameTextAsciiCase(AStr, pattern, FLength)
                                                       : SameText(AStr, pattern, FLength);
    if (same)
        Len = FLength;
    return same;
}

const char16_t* TRELiteralCode::Find(const char16_t* AStr) {
    const char16_t* end = MatchEnd();
    if (AStr >= end)
        return nullptr;
    auto* search = Search();
    return search->Exec(AStr, static_cast<int>(end - AStr)) ? search->MatchP() : nullptr;
}

bool TRELiteralCode::IsOverlap(TRECode* ACode) {
    if (ACode->CharLength().Min <= 0)
        return true;
    if (auto* other = dynamic_cast<TRELiteralCode*>(ACode)) {
        int n = std::min(other->FLength, FLength);
        auto options = other->FCompareOptions;
        if (options.Contains(coIgnoreWidth) || options.Contains(coIgnoreKana) ||
            (options.Contains(coIgnoreCase) && !options.Contains(coASCIIOnly))) {
            // Folded texts: compare the shorter as the pattern against the longer.
            const auto& shorter = other->FLength <= FLength ? other->FStrings : FStrings;
            const auto& longer = other->FLength <= FLength ? FStrings : other->FStrings;
            int len = 0;
            return FoldCompare(longer.data(), longer.data() + longer.size(), shorter.data(), n, len,
                               options) == 0;
        }
        return options.Contains(coIgnoreCase)
                   ? SameTextAsciiCase(FStrings.data(), other->FStrings.data(), n)
                   : SameText(FStrings.data(), other->FStrings.data(), n);
    }
    // Another kind of code: can it match this literal's own text?
    TREWindowScope window(*FRegExp, FStrings.data(), FStrings.data() + FStrings.size());
    int len = 0;
    return ACode->IsEqual(FStrings.data(), len);
}

bool TRELiteralSingleCode::IsEqual(const char16_t* AStr, int& Len) {
    Len = AStr < MatchEnd() && *AStr == FStrings[0] ? 1 : 0;
    return Len == 1;
}

bool TRELiteralSingleCode::ExecRepeat(const char16_t*& AStr, bool IsStar) {
    const char16_t* start = AStr;
    const char16_t* end = MatchEnd();
    const char16_t unit = FStrings[0];
    while (AStr < end && *AStr == unit)
        ++AStr;
    return IsStar || AStr != start;
}

bool TRELiteralSimpleCode::IsEqual(const char16_t* AStr, int& Len) {
    Len = 0;
    if (MatchEnd() - AStr < FLength || !SameText(AStr, FStrings.data(), FLength))
        return false;
    Len = FLength;
    return true;
}

TRETrieCode::TRETrieCode(TREOwner* ARegExp, TREOptions AOptions)
    : TRECode(ARegExp, AOptions), FSearch(std::make_unique<TRETrieSearch>()) {}

TRETrieCode::~TRETrieCode() = default;

void TRETrieCode::Add(TRELiteralCode* ACode) {
    FSearch->Add(ACode->Strings(), ACode->CompareOptions(), ACode);
    FCodeList.insert(FCodeList.begin(), ACode);
}

TRETextPosRec TRETrieCode::CharLength() const {
    if (FCodeList.empty())
        return {0, 0};
    TRETextPosRec result{FCodeList.front()->CharLength().Min, 0};
    for (auto* code : FCodeList) {
        result.Min = std::min(result.Min, code->CharLength().Min);
        result.Max = std::max(result.Max, code->CharLength().Max);
    }
    return result;
}

const char16_t* TRETrieCode::Find(const char16_t* AStr) {
    return FSearch->Find(AStr, MatchEnd()) ? FSearch->StartP() : nullptr;
}

bool TRETrieCode::IsEqual(const char16_t* AStr, int& Len) {
    Len = 0;
    if (AStr >= MatchEnd() || !FSearch->IsMatch(AStr, MatchEnd()))
        return false;
    Len = FSearch->MatchLength();
    return true;
}

} // namespace zel
