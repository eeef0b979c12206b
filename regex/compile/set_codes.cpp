#include "regex/compile/set_codes.h"

#include "regex/compile/literal_code.h"
#include "regex/compile/owner.h"
#include "regex/unicode/unicode_prop.h"

namespace zel {

namespace {

bool IsMark(char32_t cp) {
    return GroupOf(CategoryOf(cp)) == upM;
}

// The first character of a literal's text, or nullopt when ACode is no literal that must
// consume something.
std::optional<char32_t> FirstLiteralChar(TRECode* ACode) {
    auto* literal = dynamic_cast<TRELiteralCode*>(ACode);
    if (literal == nullptr || ACode->CharLength().Min <= 0 || literal->Strings().empty())
        return std::nullopt;
    const auto& text = literal->Strings();
    int len = 0;
    return ReadChar(text.data(), text.data() + text.size(), len);
}

} // namespace

// ---- "." -------------------------------------------------------------------------------------

TREAnyCharCode::TREAnyCharCode(TREOwner* ARegExp, TREOptions AOptions)
    : TRECode(ARegExp, AOptions), FIsMatchAll(AOptions.Contains(roSingleLine)) {}

bool TREAnyCharCode::IsEqual(const char16_t* AStr, int& Len) {
    Len = 0;
    const char16_t* end = MatchEnd();
    if (AStr >= end || (!FIsMatchAll && FRegExp->IsLineBreak(AStr) > 0))
        return false;
    ReadChar(AStr, end, Len);
    return true;
}

bool TREAnyCharCode::ExecRepeat(const char16_t*& AStr, bool IsStar) {
    const char16_t* start = AStr;
    const char16_t* end = MatchEnd();
    if (FIsMatchAll)
        AStr = std::max(AStr, end);
    else
        while (AStr < end && FRegExp->IsLineBreak(AStr) == 0)
            ++AStr;
    return IsStar || AStr != start;
}

// ---- predefined sets ---------------------------------------------------------------------------

TRECharSetCode::TRECharSetCode(TREOwner* ARegExp, TREOptions AOptions, bool ANegative)
    : TRECode(ARegExp, AOptions),
      FIsASCII(AOptions.Contains(roDefinedCharClassLegacy) || AOptions.Contains(roASCIICharClass)) {
    FNegative = ANegative;
}

bool TRECharSetCode::IsEqual(const char16_t* AStr, int& Len) {
    Len = 0;
    const char16_t* end = MatchEnd();
    if (AStr >= end)
        return false;
    if (*AStr < 128) {
        Len = AsciiAnswer(*AStr) ? 1 : 0;
        return Len == 1;
    }
    int len = 1;
    char32_t cp = ReadChar(AStr, end, len);
    const bool member = !FIsASCII && UnicodeMember(cp);
    if (member == FNegative)
        return false;
    Len = len;
    return true;
}

void TRECharSetCode::FillAscii() const {
    for (char32_t ch = 0; ch < 128; ++ch)
        if (AsciiMember(ch) != FNegative)
            FAscii[ch >> 6] |= std::uint64_t{1} << (ch & 63);
    FAsciiReady = true;
}

bool TRECharSetCode::ExecRepeat(const char16_t*& AStr, bool IsStar) {
    const char16_t* start = AStr;
    const char16_t* end = MatchEnd();
    int len = 0;
    while (AStr < end) {
        if (*AStr < 128) {
            if (!AsciiAnswer(*AStr))
                break;
            ++AStr;
        } else if (IsEqual(AStr, len)) {
            AStr += len;
        } else {
            break;
        }
    }
    return IsStar || AStr != start;
}

bool TRECharSetCode::IsMatch(char32_t Ch) const {
    bool member = Ch < 128 ? AsciiMember(Ch) : !FIsASCII && UnicodeMember(Ch);
    return member != FNegative;
}

bool TRECharSetCode::IsOverlap(TRECode* ACode) {
    auto first = FirstLiteralChar(ACode);
    return !first || IsMatch(*first);
}

bool TRECharSetCode::SameSet(const TRECharSetCode& other) const {
    return typeid(*this) == typeid(other) && FNegative == other.FNegative &&
           FIsASCII == other.FIsASCII;
}

bool TREKindSetCode::SameSet(const TRECharSetCode& other) const {
    return TRECharSetCode::SameSet(other) &&
           static_cast<const TREKindSetCode&>(other).FKind == FKind &&
           static_cast<const TREKindSetCode&>(other).FIgnoreCase == FIgnoreCase;
}

bool TREKindSetCode::AsciiMember(char32_t ch) const {
    return IsPosixAsciiMember(FKind, ch, FIgnoreCase);
}

bool TREKindSetCode::UnicodeMember(char32_t cp) const {
    return IsPosixUnicodeMember(FKind, cp, FIgnoreCase);
}

std::unique_ptr<TRECharSetCode> TREWordCharCode::Clone() const {
    return std::make_unique<TREWordCharCode>(FRegExp, FOptions, FNegative);
}
std::unique_ptr<TRECharSetCode> TREDigitCharCode::Clone() const {
    return std::make_unique<TREDigitCharCode>(FRegExp, FOptions, FNegative);
}
std::unique_ptr<TRECharSetCode> TRESpaceCharCode::Clone() const {
    return std::make_unique<TRESpaceCharCode>(FRegExp, FOptions, FNegative);
}
std::unique_ptr<TRECharSetCode> TREHorizontalSpaceCharCode::Clone() const {
    return std::make_unique<TREHorizontalSpaceCharCode>(FRegExp, FNegative);
}
std::unique_ptr<TRECharSetCode> TREVerticalSpaceCharCode::Clone() const {
    return std::make_unique<TREVerticalSpaceCharCode>(FRegExp, FNegative);
}

TREPosixCharClassCode::TREPosixCharClassCode(TREOwner* ARegExp, TREPosixClassKind APosixClass,
                                             TREOptions AOptions, bool ANegative)
    : TREKindSetCode(ARegExp, AOptions, ANegative, APosixClass, AOptions.Contains(roIgnoreCase)),
      FCompareOptions(CompareOptionsOf(AOptions)) {}

std::unique_ptr<TRECharSetCode> TREPosixCharClassCode::Clone() const {
    return std::make_unique<TREPosixCharClassCode>(FRegExp, FKind, FOptions, FNegative);
}

std::unique_ptr<TRECharSetCode> TREPosixCharPropertyCode::Clone() const {
    return std::make_unique<TREPosixCharPropertyCode>(FRegExp, FKind, FNegative);
}

bool TREPosixCharPropertyCode::AsciiMember(char32_t ch) const {
    switch (FKind) {
    case pckSpace:
    case pckSpacePerl:
    case pckXdigit:
    // The Unicode column of these knows nothing of ASCII: "ascii" has no Unicode members and
    // TAB is a control character, not a space separator.
    case pckAscii:
    case pckBlank:
        return IsPosixAsciiMember(FKind, ch, false);
    default:
        return IsPosixUnicodeMember(FKind, ch, false);
    }
}

bool TREPropertyCode::SameSet(const TRECharSetCode& other) const {
    return TRECharSetCode::SameSet(other) &&
           static_cast<const TREPropertyCode&>(other).FUniCodeProperty == FUniCodeProperty;
}

std::unique_ptr<TRECharSetCode> TREPropertyCode::Clone() const {
    return std::make_unique<TREPropertyCode>(FRegExp, FUniCodeProperty, FNegative);
}

bool TREPropertyCode::AsciiMember(char32_t ch) const {
    return HasProperty(ch, FUniCodeProperty);
}
bool TREPropertyCode::UnicodeMember(char32_t cp) const {
    return HasProperty(cp, FUniCodeProperty);
}

// ---- "\R" and "\X" -----------------------------------------------------------------------------

bool TRELineBreakCharCode::IsEqual(const char16_t* AStr, int& Len) {
    Len = LineBreakLength(lbAny, AStr, MatchEnd());
    return Len > 0;
}

bool TRELineBreakCharCode::IsOverlap(TRECode* ACode) {
    if (dynamic_cast<TRELineBreakCharCode*>(ACode) != nullptr)
        return true;
    // A literal overlaps when it starts with a line break.
    auto first = FirstLiteralChar(ACode);
    if (!first)
        return true;
    char16_t unit = *first <= 0xFFFF ? static_cast<char16_t>(*first) : u'\0';
    return LineBreakLength(lbAny, &unit, &unit + 1) > 0;
}

bool TRECombiningSequence::IsEqual(const char16_t* AStr, int& Len) {
    Len = 0;
    const char16_t* end = MatchEnd();
    if (AStr >= end)
        return false;
    int len = 0;
    if (IsMark(ReadChar(AStr, end, len)))
        return false;
    const char16_t* p = AStr + len;
    while (p < end && IsMark(ReadChar(p, end, len)))
        p += len;
    Len = static_cast<int>(p - AStr);
    return true;
}

bool TRECombiningSequence::ExecRepeat(const char16_t*& AStr, bool IsStar) {
    const char16_t* start = AStr;
    AStr = std::max(AStr, MatchEnd());
    return IsStar || AStr != start;
}

} // namespace zel
