#pragma once
// TRELex turns a pattern into tokens for the parser, one per GetToken: escapes and code
// points, bounds, group openers with their names and numbers, inline options, POSIX brackets,
// Unicode properties, backtracking verbs and line-break conventions. It raises every syntax
// error visible at character level, keeps the option stack the parser drives, and can step
// back over the last three tokens.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "regex/compile/messages.h"
#include "regex/types.h"

namespace zel {

class TREOwner;

enum TREToken : std::uint8_t {
    tkEnd,
    tkChar,
    tkUnion,
    tkQuest,
    tkDot,
    tkRangeChar,
    tkLHead,
    tkLTail,
    tkEmpty,
    tkLPar,
    tkRPar,
    tkStar,
    tkPlus,
    tkBound,
    tkCharClassFirst,
    tkNegativeCharClassFirst,
    tkCharClassEnd,
    tkGroupBegin,
    tkReference,
    tkReferenceRelative,
    tkNamedReference,
    tkLParWithOption,
    tkWordChar,
    tkNEWordChar,
    tkDigitChar,
    tkNEDigitChar,
    tkSpaceChar,
    tkNESpaceChar,
    tkTHead,
    tkTTail,
    tkTTailEnd,
    tkWordBoundary,
    tkNEWordBoundary,
    tkOption,
    tkHorizontalSpaceChar,
    tkNEHorizontalSpaceChar,
    tkVerticalSpaceChar,
    tkNEVerticalSpaceChar,
    tkLineBreak,
    tkPosixBracket,
    tkNEPosixBracket,
    tkProperty,
    tkNEProperty,
    tkNoBackTrack,
    tkKeepPattern,
    tkAheadMatch,
    tkAheadNoMatch,
    tkBehindMatch,
    tkBehindNoMatch,
    tkCombiningSequence,
    tkGoSub,
    tkGoSubName,
    tkGoSubRelative,
    tkIfMatch,
    tkIfMatchRef,
    tkGlobalPos,
    tkBranchReset,
    tkExceptEOL,
    tkFail,
    tkCallout,
    tkInSubRef,
    tkDefine,
    tkbcPrune,
    tkbcSkip,
    tkbcMark,
    tkbcThen,
    tkbcCommit,
    tkbcAccept,
    tkEOLType,
    tkPosixCharProperty,
    tkNEPosixCharProperty,
};

enum TREContextKind : std::uint8_t { ctNormal, ctCharClass, ctNegativeCharClass, ctQuote };

// 32767 stands for "no upper limit" throughout the engine.
inline constexpr int kRepeatUnbounded = 32767;

class TRELex {
public:
    // Expression must outlive the lexer (group positions point into it).
    TRELex(TREOwner& ARegExp, std::u16string_view Expression);

    // Reads the next token. Skip is only used by the lexer itself when it re-reads after a
    // comment or a quoted run; otherwise the current state is saved for PushToken first.
    void GetToken(bool Skip = false);
    // Steps back to the state before the last GetToken (up to three times).
    void PushToken();

    void PushOption();
    void PopOption();
    void UpdateOptions() { FS.Options = FS.NewOptions; }

    // Estimated number of capturing groups of a pattern.
    static int CountGroup(std::u16string_view S);

    // 1-based position of the character the lexer stands on.
    int GetCompileErrorPos() const { return static_cast<int>(FS.P - FTopP) + 1; }

    // Error at the reading position: the message (its "%s" filled with the current token's
    // text plus suffix) and the pattern marked after the character the lexer stands on.
    enum class Suffix : std::uint8_t { Dots, DotsParen, None };
    [[noreturn]] void Error(TREMessageId id, Suffix suffix = Suffix::Dots);
    // Error at the reading position with a message already filled with a name or number.
    [[noreturn]] void ErrorFilled(std::u16string text);
    // Error at a given position, the message filled with a name or number (or its "%s" with
    // the token text, without suffix).
    [[noreturn]] void ErrorAt(std::u16string text, int pos);
    [[noreturn]] void ErrorAt(TREMessageId id, int pos);

    TREToken Token() const { return FS.Token; }
    int TokenStartPosition() const { return static_cast<int>(FS.TokenStartP - FTopP) + 1; }
    int TokenLength() const { return static_cast<int>(FS.P - FS.TokenStartP); }
    int CurrentPosition() const { return static_cast<int>(FS.P - FTopP) + 1; }
    const char16_t* CurrentPointer() const { return FS.P; }
    int Min() const { return FS.Min; }
    int Max() const { return FS.Max; }
    TREOptions Options() const { return FS.Options; }
    TREOptions NewOptions() const { return FS.NewOptions; }
    char32_t WChar() const { return FS.WChar; }
    char32_t StartWChar() const { return FS.StartWChar; }
    char32_t LastWChar() const { return FS.LastWChar; }
    TUnicodeProperty UnicodeProperty() const { return FS.UnicodeProperty; }
    TREPosixClassKind PosixClass() const { return FS.PosixClass; }
    const std::u16string& GroupName() const { return FS.GroupName; }
    int GroupCount() const { return FGroupCount; }

private:
    // One lexer state; the option stack is an index into FOptionArena, so a saved state is
    // small and stepping back restores the stack exactly.
    struct State {
        TREToken Token = tkEnd;
        TREOptions Options;
        TREOptions NewOptions;
        const char16_t* P = nullptr;
        const char16_t* TokenStartP = nullptr;
        char32_t WChar = 0;
        char32_t StartWChar = 0;
        char32_t LastWChar = 0;
        int Min = 0;
        int Max = 0;
        TREContextKind Context = ctNormal;
        TUnicodeProperty UnicodeProperty = upC;
        TUnicodeMultiChar Fold;
        TREPosixClassKind PosixClass = pckNone;
        std::u16string GroupName;
        int OptionTop = -1;
        bool NegativeCharClassFirst = false;
    };
    struct OptionNode {
        TREOptions Options;
        int Parent;
    };

    void SaveToken();
    void ReadOne();
    bool AtEnd(const char16_t* p) const { return p >= FLastP; }
    char16_t At(const char16_t* p) const { return p < FLastP ? *p : u'\0'; }
    char16_t Peek(int offset = 0) const { return At(FS.P + offset); }
    bool LookingAt(std::u16string_view text) const;
    void Advance(int len = 1);
    void SkipBlanks();

    void ReadNormal();
    void ReadLineBreakConventions();
    void ReadSymbol(TREToken token, int len = 1);
    void ReadClassOpener();
    void ReadClassMember();
    void ReadLiteral(TRECompareOptions options);
    void ReadEscape(bool inClass);
    void ReadDigitEscape(char16_t c, bool inClass);
    bool ReadLetterEscape(char16_t c, bool inClass);
    void ReadBracedOctal();
    void ReadControlEscape();
    bool ReadPatternEscape(char16_t c);
    void ReadBound();
    void ReadPosixBracket();
    void ReadProperty(bool negative);
    void ReadGroupOpener();
    void ReadExtension(char16_t c);
    void ReadNegativeAhead();
    void ReadBehindOrNamedGroup();
    void ReadNamedGroup(char16_t close);
    void ReadPythonName();
    void SkipComment();
    std::u16string ReadUpToParen(TREMessageId unterminated);
    void ReadGoSubNumber(char16_t c);
    void ReadCondition();
    void ReadCallout();
    void ReadVerb();
    void ReadInlineOptions();
    void ReadBackReference(char16_t kind);
    void ReadGoSubEscape();

    int ReadDecimal();
    char32_t ReadOctal(int maxDigits);
    char32_t ReadHex();
    char32_t ReadHexDigit();
    std::u16string ReadName(char16_t close);
    void ExpectChar(char16_t c, TREMessageId id);
    void SetChar(char32_t c);

    TREOwner& FRegExp;
    std::u16string_view FPattern; // not owned: outlives the lexer
    const char16_t* FTopP;
    const char16_t* FLastP;
    State FS;
    std::vector<OptionNode> FOptionArena;
    std::array<std::optional<State>, 3> FPrevLex;
    int FPrevCount = 0;
    int FGroupCount = 0;
    bool FReread = false;
};

} // namespace zel
