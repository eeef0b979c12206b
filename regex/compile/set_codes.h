#pragma once
// Codes that match one character of a set: "." (TREAnyCharCode), the predefined sets "\w",
// "\d", "\s", "\h", "\v" and their negations, Unicode properties, POSIX classes; and the
// sequences "\R" (a line break) and "\X" (a character with its combining marks).
#include <array>
#include <cstdint>
#include <memory>

#include "regex/compile/code.h"

namespace zel {

class TREAnyCharCode : public TRECode {
public:
    TREAnyCharCode(TREOwner* ARegExp, TREOptions AOptions);
    bool IsEqual(const char16_t* AStr, int& Len) override;
    bool ExecRepeat(const char16_t*& AStr, bool IsStar) override;
    using TRECode::ExecRepeat;
    bool FIsMatchAll; // "." also matches line breaks
};

// A predefined set. Membership is decided by an ASCII column for units below 128 and a Unicode
// column above; with FIsASCII nothing above 127 is a member.
class TRECharSetCode : public TRECode {
public:
    TRECharSetCode(TREOwner* ARegExp, TREOptions AOptions, bool ANegative);
    bool IsEqual(const char16_t* AStr, int& Len) override;
    bool ExecRepeat(const char16_t*& AStr, bool IsStar) override;
    using TRECode::ExecRepeat;
    bool IsOverlap(TRECode* ACode) override;
    // Whether the code point is a member (negation applied), as a bracketed class asks.
    bool IsMatch(char32_t Ch) const;
    // The same set with the same negation (a class keeps only one of equal sets).
    virtual bool SameSet(const TRECharSetCode& other) const;
    // A copy of the set for another class.
    virtual std::unique_ptr<TRECharSetCode> Clone() const = 0;

    bool FIsASCII;

protected:
    virtual bool AsciiMember(char32_t ch) const = 0;   // ch < 128
    virtual bool UnicodeMember(char32_t cp) const = 0; // cp >= 128

private:
    // Whether the code matches the ASCII unit u, from a map filled on first use (the members
    // come from virtual calls, which a constructor cannot make).
    bool AsciiAnswer(char16_t u) const {
        if (!FAsciiReady)
            FillAscii();
        return (FAscii[u >> 6] >> (u & 63) & 1) != 0;
    }
    void FillAscii() const;
    mutable std::array<std::uint64_t, 2> FAscii{};
    mutable bool FAsciiReady = false;
};

// Sets whose columns are those of a POSIX class kind.
class TREKindSetCode : public TRECharSetCode {
public:
    TREKindSetCode(TREOwner* ARegExp, TREOptions AOptions, bool ANegative, TREPosixClassKind AKind,
                   bool AIgnoreCase = false)
        : TRECharSetCode(ARegExp, AOptions, ANegative), FKind(AKind), FIgnoreCase(AIgnoreCase) {}
    bool SameSet(const TRECharSetCode& other) const override;

protected:
    bool AsciiMember(char32_t ch) const override;
    bool UnicodeMember(char32_t cp) const override;
    TREPosixClassKind FKind;
    bool FIgnoreCase;
};

class TREWordCharCode : public TREKindSetCode {
public:
    TREWordCharCode(TREOwner* ARegExp, TREOptions AOptions, bool ANegative)
        : TREKindSetCode(ARegExp, AOptions, ANegative, pckWord) {}
    std::unique_ptr<TRECharSetCode> Clone() const override;
};

class TREDigitCharCode : public TREKindSetCode {
public:
    TREDigitCharCode(TREOwner* ARegExp, TREOptions AOptions, bool ANegative)
        : TREKindSetCode(ARegExp, AOptions, ANegative, pckDigit) {}
    std::unique_ptr<TRECharSetCode> Clone() const override;
};

// "\s": U+0009, U+000A, U+000C, U+000D, U+0020 (not U+000B), U+0085, U+2028, U+2029, group Z.
class TRESpaceCharCode : public TREKindSetCode {
public:
    TRESpaceCharCode(TREOwner* ARegExp, TREOptions AOptions, bool ANegative)
        : TREKindSetCode(ARegExp, AOptions, ANegative, pckSpacePerl) {}
    std::unique_ptr<TRECharSetCode> Clone() const override;
};

// "\h" and "\v" are never limited to ASCII.
class TREHorizontalSpaceCharCode : public TREKindSetCode {
public:
    TREHorizontalSpaceCharCode(TREOwner* ARegExp, bool ANegative)
        : TREKindSetCode(ARegExp, {}, ANegative, pckSpaceHorizontal) {}
    std::unique_ptr<TRECharSetCode> Clone() const override;
};

class TREVerticalSpaceCharCode : public TREKindSetCode {
public:
    TREVerticalSpaceCharCode(TREOwner* ARegExp, bool ANegative)
        : TREKindSetCode(ARegExp, {}, ANegative, pckSpaceVertical) {}
    std::unique_ptr<TRECharSetCode> Clone() const override;
};

// A POSIX bracket class "[:name:]" inside a class; the case option widens lower and upper.
class TREPosixCharClassCode : public TREKindSetCode {
public:
    TREPosixCharClassCode(TREOwner* ARegExp, TREPosixClassKind APosixClass, TREOptions AOptions,
                          bool ANegative);
    std::unique_ptr<TRECharSetCode> Clone() const override;
    TREPosixClassKind PosixClass() const { return FKind; }
    TRECompareOptions FCompareOptions;
};

// "\p{Alpha}": a POSIX class judged by the Unicode column for ASCII units too (except the
// space classes, xdigit, ascii and blank, whose Unicode column cannot speak for ASCII).
class TREPosixCharPropertyCode : public TREPosixCharClassCode {
public:
    TREPosixCharPropertyCode(TREOwner* ARegExp, TREPosixClassKind APosixClass, bool ANegative)
        : TREPosixCharClassCode(ARegExp, APosixClass, {}, ANegative) {}
    std::unique_ptr<TRECharSetCode> Clone() const override;

protected:
    bool AsciiMember(char32_t ch) const override;
};

class TREPropertyCode : public TRECharSetCode {
public:
    TREPropertyCode(TREOwner* ARegExp, TUnicodeProperty AUnicodeProperty, bool ANegative)
        : TRECharSetCode(ARegExp, {}, ANegative), FUniCodeProperty(AUnicodeProperty) {}
    bool SameSet(const TRECharSetCode& other) const override;
    std::unique_ptr<TRECharSetCode> Clone() const override;
    TUnicodeProperty FUniCodeProperty;

protected:
    bool AsciiMember(char32_t ch) const override;
    bool UnicodeMember(char32_t cp) const override;
};

// "\R": CR LF, or one of LF, U+000B, U+000C, CR, U+0085, U+2028, U+2029, whatever the
// owner's line-break convention.
class TRELineBreakCharCode : public TRECode {
public:
    TRELineBreakCharCode(TREOwner* ARegExp, TREOptions AOptions) : TRECode(ARegExp, AOptions) {}
    int Length() const override { return 2; }
    TRETextPosRec CharLength() const override { return {1, 2}; }
    bool IsEqual(const char16_t* AStr, int& Len) override;
    bool IsOverlap(TRECode* ACode) override;
    bool IsVariable() const override { return true; }
};

// "\X": a character that is not a mark, with every mark that directly follows it.
class TRECombiningSequence : public TRECode {
public:
    TRECombiningSequence(TREOwner* ARegExp, TREOptions AOptions) : TRECode(ARegExp, AOptions) {}
    TRETextPosRec CharLength() const override { return {1, -1}; }
    bool IsEqual(const char16_t* AStr, int& Len) override;
    // The matcher gives back the run one sequence at a time; the run itself is the window.
    bool ExecRepeat(const char16_t*& AStr, bool IsStar) override;
    using TRECode::ExecRepeat;
    bool IsVariable() const override { return true; }
};

} // namespace zel
