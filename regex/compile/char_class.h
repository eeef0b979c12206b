#pragma once
// Bracketed classes "[...]". The parser collects the members on a TRECharClassCode (single
// characters and ranges with the variants that the case, width and kana options ask for,
// predefined sets and POSIX classes); Build then makes the subclass whose test is cheapest for
// that mix. With the case option the members are kept case-folded and the subject character
// is folded before it is looked up; predefined sets judge the character as it stands.
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "regex/compile/char_range.h"
#include "regex/compile/code.h"
#include "regex/compile/set_codes.h"

namespace zel {

// A bit for each code point 0-127: bit (c & 7) of byte (c / 8).
using TREASCIICharMapArray = std::array<std::uint8_t, 16>;

class TRECharClassCode : public TRECode {
public:
    TRECharClassCode(TREOwner* ARegExp, bool ANegative, TREOptions AOptions);

    void Clear();
    void Assign(const TRECharClassCode& Source);
    void Add(char32_t AWChar) { Add(AWChar, CompareOptionsOf(FOptions)); }
    void Add(char32_t AWChar, TRECompareOptions ACompareOptions);
    void Add(char32_t AStartWChar, char32_t ALastWChar) {
        Add(AStartWChar, ALastWChar, CompareOptionsOf(FOptions));
    }
    void Add(char32_t AStartWChar, char32_t ALastWChar, TRECompareOptions ACompareOptions);
    // Takes a predefined set; an equal one already present is kept instead.
    void Add(std::unique_ptr<TRECharSetCode> ACode);
    void Add(const TREASCIICharMapArray& AMap, bool IsNegative);
    void Add(const TRECharClassCode& ACharClass);
    // The built class (same owner, negation and options); raises when the class is empty.
    std::unique_ptr<TRECharClassCode> Build() const;
    int IndexOfCharSet(const TRECharSetCode& ACode) const;
    bool IsExists(const char16_t* AStr) {
        int len = 0;
        return IsEqual(AStr, len);
    }

    const char16_t* Find(const char16_t* AStr) override;
    bool IsEqual(const char16_t* AStr, int& Len) override;
    bool IsOverlap(TRECode* ACode) override;

    bool SimpleClass() const { return FCharSetCount == 0 && !FHasRange; }
    bool IgnoreCase() const { return FIgnoreCase; }
    bool ASCIIOnly() const { return FASCIIOnly; }
    bool HasChars() const { return FHasMap || FHasRange; }
    int CharCount() const { return FCharCount; }
    int CharSetCount() const { return FCharSetCount; }
    char32_t WChar() const { return FWChar; }
    const TREASCIICharMapArray& ASCIIMap() const { return FASCIIMap; }
    const TRECharRange& CharRange() const { return FCharRange; }
    // Takes the only predefined set out of the class.
    std::unique_ptr<TRECharSetCode> ReleaseOnlyCharSet();

protected:
    bool MapBit(char32_t c) const { return (FASCIIMap[c >> 3] >> (c & 7)) & 1; }
    // The subject character as the members are kept: case-folded when the class ignores case.
    char32_t FoldSubject(char32_t cp) const;
    bool SharesMembersWith(const TRECharClassCode& other) const;
    bool InMapOrRange(char32_t cp) const { return cp < 128 ? MapBit(cp) : FCharRange.IsMatch(cp); }

    TREASCIICharMapArray FASCIIMap{};
    char32_t FWChar = 0;
    int FCharCount = 0;
    int FCharSetCount = 0;
    bool FIgnoreCase;
    bool FASCIIOnly;
    bool FHasMap = false;
    bool FHasUnicode = false;
    std::vector<std::unique_ptr<TRECharSetCode>> FCharSetList;
    TRECharRange FCharRange;
    bool FHasRange = false;

private:
    void AddCodePoint(char32_t c, TRECompareOptions options);
    void AddPlainRange(char32_t s, char32_t l, TRECompareOptions options);
};

// ASCII members only, compared as they stand.
class TRECharClassMapACode : public TRECharClassCode {
public:
    using TRECharClassCode::TRECharClassCode;
    bool IsEqual(const char16_t* AStr, int& Len) override;
};

// ASCII members only, "A"-"Z" compared in lower case.
class TRECharClassMapIACode : public TRECharClassCode {
public:
    using TRECharClassCode::TRECharClassCode;
    bool IsEqual(const char16_t* AStr, int& Len) override;
};

// Characters and ranges beyond ASCII (I: ignoring case); predefined sets without (I) or with
// other members (NI, and the plain TRECharClassCode with the case option).
class TRECharClassMapUCode : public TRECharClassCode {
public:
    using TRECharClassCode::TRECharClassCode;
};
class TRECharClassMapIUCode : public TRECharClassCode {
public:
    using TRECharClassCode::TRECharClassCode;
};
class TRECharClassSimpleCharSetCode : public TRECharClassCode {
public:
    using TRECharClassCode::TRECharClassCode;
};
class TRECharClassSimpleCharSetICode : public TRECharClassCode {
public:
    using TRECharClassCode::TRECharClassCode;
};
class TRECharClassNICode : public TRECharClassCode {
public:
    using TRECharClassCode::TRECharClassCode;
};

} // namespace zel
