#include "regex/compile/reference_codes.h"

#include "regex/unicode/unicode_prop.h"

namespace zel {

TREReferenceCode::TREReferenceCode(TREOwner* ARegExp, int AGroupIndex, TREOptions AOptions)
    : TRECode(ARegExp, AOptions), FGroupIndex(AGroupIndex),
      FCompareOptions(CompareOptionsOf(AOptions)) {}

TRETextPosRec TREReferenceCode::CharLength() const {
    const auto& groups = FRegExp->FGroups;
    if (FGroupIndex < 0 || FGroupIndex >= groups.Count())
        return {0, -1};
    return groups.Items(FGroupIndex).FCharLength;
}

bool TREReferenceCode::MatchCapture(const TGroup& group, const char16_t* AStr, int& Len) const {
    Len = 0;
    if (!group.FSuccess || group.FStartP == nullptr || group.FEndP == nullptr ||
        group.FEndP < group.FStartP)
        return false;
    const int n = static_cast<int>(group.FEndP - group.FStartP);
    if (n == 0)
        return true;
    const char16_t* end = MatchEnd();
    if (AStr >= end)
        return false;
    const auto options = FCompareOptions;
    if (options.Contains(coIgnoreWidth) || options.Contains(coIgnoreKana) ||
        (options.Contains(coIgnoreCase) && !options.Contains(coASCIIOnly))) {
        int len = 0;
        if (FoldCompare(AStr, end, group.FStartP, n, len, options) != 0)
            return false;
        Len = len;
        return true;
    }
    if (end - AStr < n)
        return false;
    bool same = options.Contains(coIgnoreCase) ? SameTextAsciiCase(AStr, group.FStartP, n)
                                               : SameText(AStr, group.FStartP, n);
    if (same)
        Len = n;
    return same;
}

bool TREReferenceCode::IsEqual(const char16_t* AStr, int& Len) {
    Len = 0;
    const auto& groups = FRegExp->FGroups;
    if (FGroupIndex < 0 || FGroupIndex >= groups.Count())
        return false;
    return MatchCapture(groups.Items(FGroupIndex), AStr, Len);
}

bool TRENamedReferenceCode::IsEqual(const char16_t* AStr, int& Len) {
    return MatchCapture(FRegExp->FGroups.Names(FGroupName), AStr, Len);
}

bool TREConditionCode::IsEqual(const char16_t*, int& Len) {
    Len = 0;
    return Holds();
}

bool TREIfThenReferenceCode::Holds() const {
    const auto& groups = FRegExp->FGroups;
    return FGroupIndex >= 0 && FGroupIndex < groups.Count() && groups.Items(FGroupIndex).FSuccess;
}

bool TREIfThenNamedReferenceCode::Holds() const {
    return FRegExp->FGroups.Names(FGroupName).FSuccess;
}

bool TREInSubReferenceCode::Holds() const {
    const auto& calls = FRegExp->FSubStack;
    return !calls.empty() && (FGroupIndex <= 0 || calls.back().GroupIndex == FGroupIndex);
}

bool TREInSubNameReferenceCode::Holds() const {
    const auto& calls = FRegExp->FSubStack;
    if (calls.empty())
        return false;
    const auto& groups = FRegExp->FGroups;
    int index = calls.back().GroupIndex;
    return index > 0 && index < groups.Count() && groups.Items(index).GroupName() == FGroupName;
}

TRECalloutCode::TRECalloutCode(TREOwner* ARegExp, int ACalloutNumber, int APatternPosition,
                               int APatternLength)
    : TRECode(ARegExp, {}) {
    FData.CalloutNumber = ACalloutNumber;
    FData.CurrentPosition = 1;
    FData.StartMatch = 1;
    FData.PatternPosition = APatternPosition;
    FData.PatternLength = APatternLength;
}

bool TRECalloutCode::IsEqual(const char16_t* AStr, int& Len) {
    Len = 0;
    if (!FRegExp->FOnCallout)
        return false;
    FData.CurrentPosition = static_cast<std::int32_t>(AStr - FRegExp->FTextTopP) + 1;
    FData.StartMatch = FRegExp->FStartMatch;
    bool isMatch = false;
    std::int32_t matchLength = 0;
    FRegExp->FOnCallout(FData, isMatch, matchLength);
    // A handler cannot make the match run outside the window.
    if (!isMatch || matchLength < 0 || matchLength > MatchEnd() - AStr)
        return false;
    Len = matchLength;
    return true;
}

} // namespace zel
