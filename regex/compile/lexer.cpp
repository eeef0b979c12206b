#include "regex/compile/lexer.h"

#include <climits>

#include "core/chars.h"
#include "regex/compile/owner.h"
#include "regex/compile/posix_names.h"
#include "regex/unicode/unicode_prop.h"

namespace zel {

namespace {

bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r';
}
bool IsPropertyNameChar(char16_t c) {
    return IsDecimalDigit(c) || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c == u'_' ||
           c == u'&';
}
bool StartsWithIgnoreCase(std::u16string_view text, std::u16string_view prefix) {
    if (text.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        char16_t a = text[i] >= u'A' && text[i] <= u'Z' ? text[i] + 32 : text[i];
        char16_t b = prefix[i] >= u'A' && prefix[i] <= u'Z' ? prefix[i] + 32 : prefix[i];
        if (a != b)
            return false;
    }
    return true;
}

constexpr std::pair<char16_t, TREToken> kEscapeSetTokens[] = {
    {u'd', tkDigitChar},
    {u'D', tkNEDigitChar},
    {u'w', tkWordChar},
    {u'W', tkNEWordChar},
    {u's', tkSpaceChar},
    {u'S', tkNESpaceChar},
    {u'h', tkHorizontalSpaceChar},
    {u'H', tkNEHorizontalSpaceChar},
    {u'v', tkVerticalSpaceChar},
    {u'V', tkNEVerticalSpaceChar},
};
// Escapes that stand for themselves inside a class.
constexpr std::pair<char16_t, TREToken> kEscapeAnchorTokens[] = {
    {u'A', tkTHead},          {u'Z', tkTTail},
    {u'z', tkTTailEnd},       {u'b', tkWordBoundary},
    {u'B', tkNEWordBoundary}, {u'G', tkGlobalPos},
    {u'K', tkKeepPattern},    {u'N', tkExceptEOL},
    {u'R', tkLineBreak},      {u'X', tkCombiningSequence},
};
// After "(?": the constructs told by their first character alone.
constexpr std::pair<char16_t, TREToken> kExtensionTokens[] = {
    {u':', tkLPar},        {u')', tkEmpty},       {u'=', tkAheadMatch},
    {u'>', tkNoBackTrack}, {u'|', tkBranchReset},
};
constexpr std::pair<char16_t, char16_t> kEscapeControls[] = {
    {u'a', 0x07}, {u'e', 0x1B}, {u'f', 0x0C}, {u'n', 0x0A}, {u'r', 0x0D}, {u't', 0x09},
};

} // namespace

TRELex::TRELex(TREOwner& ARegExp, std::u16string_view Expression)
    : FRegExp(ARegExp), FPattern(Expression), FTopP(FPattern.data()),
      FLastP(FPattern.data() + FPattern.size()) {
    FS.Options = ARegExp.FOptions;
    FS.P = FS.TokenStartP = FTopP;
    FGroupCount = CountGroup(Expression);
}

// ---- errors --------------------------------------------------------------------------------

void TRELex::Error(TREMessageId id, Suffix suffix) {
    int pos = GetCompileErrorPos();
    auto marked = MarkErrorPosition(FPattern, pos);
    Advance();
    std::u16string token(FS.TokenStartP, FS.P);
    if (!token.empty())
        token += suffix == Suffix::Dots ? u"..." : suffix == Suffix::DotsParen ? u"...)" : u"";
    throw EZelRegExpCompile(JoinCompileError(FormatRegExpMessage(id, token), marked));
}

void TRELex::ErrorFilled(std::u16string text) {
    ErrorAt(std::move(text), GetCompileErrorPos());
}

void TRELex::ErrorAt(std::u16string text, int pos) {
    throw EZelRegExpCompile(JoinCompileError(text, MarkErrorPosition(FPattern, pos)));
}

void TRELex::ErrorAt(TREMessageId id, int pos) {
    auto marked = MarkErrorPosition(FPattern, pos);
    Advance();
    std::u16string token(FS.TokenStartP, FS.P);
    throw EZelRegExpCompile(JoinCompileError(FormatRegExpMessage(id, token), marked));
}

// ---- reading helpers -----------------------------------------------------------------------

bool TRELex::LookingAt(std::u16string_view text) const {
    return static_cast<std::size_t>(FLastP - FS.P) >= text.size() &&
           std::u16string_view(FS.P, text.size()) == text;
}

void TRELex::Advance(int len) {
    FS.P += std::min<std::ptrdiff_t>(len, FLastP - FS.P);
}

void TRELex::SkipBlanks() {
    while (!AtEnd(FS.P) && IsBlank(*FS.P))
        ++FS.P;
}

void TRELex::SetChar(char32_t c) {
    FS.Token = tkChar;
    FS.WChar = c;
}

int TRELex::ReadDecimal() {
    int n = 0;
    while (IsDecimalDigit(Peek())) {
        n = n > (INT_MAX - 9) / 10 ? INT_MAX : n * 10 + (Peek() - u'0');
        Advance();
    }
    return n;
}

char32_t TRELex::ReadOctal(int maxDigits) {
    char32_t value = 0;
    for (int i = 0; i < maxDigits && IsOctalDigit(Peek()); ++i) {
        value = value * 8 + (Peek() - u'0');
        Advance();
    }
    return value;
}

void TRELex::ExpectChar(char16_t c, TREMessageId id) {
    if (Peek() != c || AtEnd(FS.P))
        Error(id);
    Advance();
}

std::u16string TRELex::ReadName(char16_t close) {
    std::u16string name;
    if (!AtEnd(FS.P) && IsDecimalDigit(Peek()))
        ErrorFilled(std::u16string(RegExpMessage(TREMessageId::rmGroupNameBadChar)));
    for (;;) {
        if (AtEnd(FS.P))
            Error(TREMessageId::rmGroupUnterminated);
        if (Peek() == close)
            break;
        int len;
        char32_t cp = ReadChar(FS.P, FLastP, len);
        if (!IsUnicodeWordChar(cp))
            ErrorFilled(std::u16string(RegExpMessage(TREMessageId::rmGroupNameBadChar)));
        name.append(FS.P, static_cast<std::size_t>(len));
        Advance(len);
    }
    Advance();
    return name;
}

// ---- option stack and stepping back ---------------------------------------------------------

void TRELex::PushOption() {
    FOptionArena.push_back({FS.Options, FS.OptionTop});
    FS.OptionTop = static_cast<int>(FOptionArena.size()) - 1;
}

void TRELex::PopOption() {
    if (FS.OptionTop < 0)
        return;
    const auto& node = FOptionArena[static_cast<std::size_t>(FS.OptionTop)];
    FS.Options = node.Options;
    FS.OptionTop = node.Parent;
}

void TRELex::SaveToken() {
    FPrevLex[static_cast<std::size_t>(FPrevCount)] = FS;
    FPrevCount = (FPrevCount + 1) % 3;
}

void TRELex::PushToken() {
    int slot = (FPrevCount + 2) % 3;
    auto& saved = FPrevLex[static_cast<std::size_t>(slot)];
    if (!saved)
        return;
    FS = std::move(*saved);
    saved.reset();
    FPrevCount = slot;
}

// ---- tokens ---------------------------------------------------------------------------------

void TRELex::GetToken(bool Skip) {
    if (!Skip)
        SaveToken();
    // Comments and quoted runs produce no token: reading starts over after them (in a loop,
    // so that a long chain of them needs no stack).
    do {
        FReread = false;
        ReadOne();
    } while (FReread);
}

void TRELex::ReadOne() {
    FS.WChar = FS.StartWChar = FS.LastWChar = 0;
    FS.Min = FS.Max = 0;
    FS.GroupName.clear();
    FS.TokenStartP = FS.P;
    if (FS.Options.Contains(roExtended))
        SkipBlanks();
    if (AtEnd(FS.P)) {
        if (FS.Context != ctNormal)
            Error(TREMessageId::rmBracketUnmatched);
        FS.Token = tkEnd;
        return;
    }
    switch (FS.Context) {
    case ctCharClass:
    case ctNegativeCharClass: {
        bool first = FS.NegativeCharClassFirst;
        FS.NegativeCharClassFirst = false;
        if (Peek() == u']' && !first && Peek(1) != u']') {
            FS.Token = tkCharClassEnd;
            FS.Context = ctNormal;
            Advance();
        } else {
            ReadClassMember();
        }
        break;
    }
    case ctQuote:
        if (LookingAt(u"\\E")) {
            FS.Context = ctNormal;
            Advance(2);
            FReread = true;
        } else {
            ReadLiteral(CompareOptionsOf(FS.Options));
        }
        break;
    case ctNormal:
        ReadNormal();
        break;
    }
}

void TRELex::ReadNormal() {
    ReadLineBreakConventions();
    if (AtEnd(FS.P)) {
        FS.Token = tkEnd;
        return;
    }
    switch (Peek()) {
    case u'$':
        ReadSymbol(tkLTail);
        break;
    case u'(':
        ReadGroupOpener();
        break;
    case u')':
        ReadSymbol(tkRPar);
        break;
    case u'*':
        ReadSymbol(tkStar);
        break;
    case u'+':
        FS.Min = 1;
        ReadSymbol(tkPlus);
        break;
    case u'.':
        ReadSymbol(tkDot);
        break;
    case u'?':
        ReadSymbol(tkQuest);
        break;
    case u'[':
        ReadClassOpener();
        break;
    case u'\\':
        Advance();
        ReadEscape(false);
        break;
    case u'^':
        ReadSymbol(tkLHead);
        break;
    case u'{':
        if (IsDecimalDigit(Peek(1)))
            ReadBound();
        else
            ReadLiteral(CompareOptionsOf(FS.Options));
        break;
    case u'|':
        ReadSymbol(tkUnion);
        break;
    default:
        ReadLiteral(CompareOptionsOf(FS.Options));
        break;
    }
}

// "(*CR)" and the other line-break conventions, wherever they stand; each sets the owner's.
void TRELex::ReadLineBreakConventions() {
    static constexpr struct {
        std::u16string_view text;
        TRELineBreakKind kind;
    } kConventions[] = {{u"(*CR)", lbCR},
                        {u"(*LF)", lbLF},
                        {u"(*CRLF)", lbCRLF},
                        {u"(*ANYCRLF)", lbAnyCRLF},
                        {u"(*ANY)", lbAny}};
    for (bool found = true; found;) {
        found = false;
        for (const auto& convention : kConventions)
            if (LookingAt(convention.text)) {
                FRegExp.SetLineBreakKind(convention.kind);
                Advance(static_cast<int>(convention.text.size()));
                found = true;
            }
    }
}

// A token of len characters that needs no further reading.
void TRELex::ReadSymbol(TREToken token, int len) {
    FS.Token = token;
    Advance(len);
}

// On the "[" of a class, or of a POSIX bracket standing alone.
void TRELex::ReadClassOpener() {
    if (Peek(1) == u'^') {
        FS.Token = tkNegativeCharClassFirst;
        FS.Context = ctNegativeCharClass;
        FS.NegativeCharClassFirst = true;
        Advance(2);
    } else if (Peek(1) == u':') {
        ReadPosixBracket();
    } else {
        FS.Token = tkCharClassFirst;
        FS.Context = ctCharClass;
        Advance();
    }
}

void TRELex::ReadLiteral(TRECompareOptions options) {
    int len = 0;
    char32_t c = FoldRead(FS.P, FLastP, len, options, FS.Fold);
    SetChar(c);
    Advance(len);
}

void TRELex::ReadClassMember() {
    if (Peek() == u'\\') {
        Advance();
        ReadEscape(true);
    } else if (Peek() == u'[' && Peek(1) == u':') {
        ReadPosixBracket();
    } else {
        ReadLiteral({});
    }
    if (FS.Token != tkChar || Peek() != u'-')
        return;
    // A range "s-l", unless what follows the "-" cannot end one.
    const State start = FS;
    Advance();
    if (Peek() == u']' || (Peek() == u'[' && Peek(1) == u':') || AtEnd(FS.P)) {
        FS = start;
        return;
    }
    if (Peek() == u'\\') {
        Advance();
        ReadEscape(true);
        if (FS.Token != tkChar) {
            FS = start;
            return;
        }
    } else {
        ReadLiteral({});
    }
    char32_t last = FS.WChar;
    FS.WChar = 0;
    if (last < start.WChar) {
        --FS.P; // the error stands on the range's last unit
        FS.Token = tkRangeChar;
        Error(TREMessageId::rmCharRangeInvalid, Suffix::None);
    }
    FS.Token = tkRangeChar;
    FS.StartWChar = start.WChar;
    FS.LastWChar = last;
}

void TRELex::ReadEscape(bool inClass) {
    if (AtEnd(FS.P))
        Error(TREMessageId::rmExpressionBadEnd);
    const char16_t c = Peek();
    if (c >= u'1' && c <= u'9') {
        ReadDigitEscape(c, inClass);
        return;
    }
    if (ReadLetterEscape(c, inClass))
        return;
    switch (c) {
    case u'0':
        SetChar(ReadOctal(3));
        return;
    case u'o':
        ReadBracedOctal();
        return;
    case u'x':
        SetChar(ReadHex());
        return;
    case u'c':
        ReadControlEscape();
        return;
    case u'p':
    case u'P':
        Advance();
        ReadProperty(c == u'P');
        return;
    default:
        break;
    }
    if (!inClass && ReadPatternEscape(c))
        return;
    ReadLiteral(inClass ? TRECompareOptions{} : CompareOptionsOf(FS.Options));
}

// "\1" to "\9": a back-reference outside a class when the group exists, else an octal code or
// the digit itself.
void TRELex::ReadDigitEscape(char16_t c, bool inClass) {
    if (!inClass) {
        const char16_t* digits = FS.P;
        int n = ReadDecimal();
        if (n <= FGroupCount) {
            FS.Token = tkReference;
            FS.Min = n;
            return;
        }
        FS.P = digits;
    }
    if (c <= u'7')
        SetChar(ReadOctal(3));
    else {
        SetChar(c);
        Advance();
    }
}

// The one-letter escapes of the tables: predefined sets, control characters and (outside a
// class) anchors.
bool TRELex::ReadLetterEscape(char16_t c, bool inClass) {
    for (const auto& [letter, token] : kEscapeSetTokens)
        if (c == letter) {
            ReadSymbol(token);
            return true;
        }
    for (const auto& [letter, value] : kEscapeControls)
        if (c == letter) {
            SetChar(value);
            Advance();
            return true;
        }
    if (!inClass)
        for (const auto& [letter, token] : kEscapeAnchorTokens)
            if (c == letter) {
                ReadSymbol(token);
                return true;
            }
    return false;
}

// "\o{...}".
void TRELex::ReadBracedOctal() {
    Advance();
    if (Peek() != u'{')
        Error(TREMessageId::rmOctalNeedsBrace);
    Advance();
    char32_t value = ReadOctal(7);
    if (Peek() != u'}')
        Error(TREMessageId::rmOctalNeedsCloseBrace);
    if (value > 0x10FFFF)
        Error(TREMessageId::rmCodePointRange);
    Advance();
    SetChar(value);
}

// On the "x" of "\x": two hex digits, or up to six in braces.
char32_t TRELex::ReadHex() {
    Advance();
    char32_t value = 0;
    if (Peek() != u'{') {
        for (int i = 0; i < 2; ++i)
            value = value * 16 + ReadHexDigit();
        return value;
    }
    Advance();
    for (int digits = 0; digits < 6 && Peek() != u'}'; ++digits)
        value = value * 16 + ReadHexDigit();
    if (Peek() != u'}')
        Error(TREMessageId::rmBraceMissing);
    if (value > 0x10FFFF)
        Error(TREMessageId::rmCodePointRange);
    Advance();
    return value;
}

char32_t TRELex::ReadHexDigit() {
    int v = HexDigitValue(Peek());
    if (v < 0)
        Error(TREMessageId::rmHexDigitRequired);
    Advance();
    return static_cast<char32_t>(v);
}

// "\cX": the control character of X; "\c\\" is 0x1C.
void TRELex::ReadControlEscape() {
    Advance();
    char16_t x = Peek();
    if (x == u'\\') {
        if (Peek(1) != u'\\')
            Error(TREMessageId::rmEscapeInvalid);
        Advance(2);
        SetChar(0x1C);
        return;
    }
    if (x >= u'a' && x <= u'z')
        x = static_cast<char16_t>(x - 32);
    if (AtEnd(FS.P) || x < 0x40 || x > 0x5F)
        Error(TREMessageId::rmEscapeInvalid);
    Advance();
    SetChar(x ^ 0x40);
}

// The escapes that only mean something outside a class: "\Q", "\E", "\g" and "\k".
bool TRELex::ReadPatternEscape(char16_t c) {
    if (c == u'Q') {
        FS.Context = ctQuote;
        Advance();
        FReread = true;
        return true;
    }
    // A "\E" that closes no quoted run is dropped: read as the letter it would silently
    // change what a hand-written "\Q...\E" matches.
    if (c == u'E') {
        Advance();
        FReread = true;
        return true;
    }
    if (c == u'g' || c == u'k') {
        ReadBackReference(c);
        return true;
    }
    return false;
}

void TRELex::ReadBound() {
    Advance();
    int n = ReadDecimal();
    if (n > kRepeatUnbounded)
        Error(TREMessageId::rmRepeatTooLarge);
    FS.Min = n;
    if (Peek() == u',') {
        Advance();
        SkipBlanks();
        if (!IsDecimalDigit(Peek())) {
            FS.Max = kRepeatUnbounded;
        } else {
            int m = ReadDecimal();
            if (m > kRepeatUnbounded)
                Error(TREMessageId::rmRepeatTooLarge);
            if (m < n)
                Error(TREMessageId::rmRepeatMinAboveMax);
            FS.Max = m;
        }
    } else {
        FS.Max = n;
    }
    if (Peek() != u'}' || AtEnd(FS.P))
        Error(TREMessageId::rmBraceUnmatched);
    Advance();
    FS.Token = tkBound;
}

// "[:name:]" or "[:^name:]"; FS.P stands on the "[".
void TRELex::ReadPosixBracket() {
    const char16_t* q = FS.P + 2;
    bool negated = At(q) == u'^';
    if (negated)
        ++q;
    const char16_t* colon = q;
    while (!AtEnd(colon) && *colon != u':' && *colon != u']')
        ++colon;
    if (AtEnd(colon) || *colon != u':') {
        // No bracket after all: the "[" opens a class at top level and is a member inside one.
        if (FS.Context == ctNormal) {
            FS.Token = tkCharClassFirst;
            FS.Context = ctCharClass;
            Advance();
        } else {
            ReadLiteral({});
        }
        return;
    }
    FS.P = colon;
    if (FS.Context == ctNormal)
        Error(TREMessageId::rmPosixOutsideClass);
    std::u16string_view name(q, static_cast<std::size_t>(colon - q));
    auto kind = FindPosixClassName(name);
    if (!kind)
        ErrorFilled(FormatRegExpMessage(TREMessageId::rmPosixUnknown, name));
    Advance();
    if (Peek() != u']' || AtEnd(FS.P))
        Error(TREMessageId::rmBracketUnmatched);
    Advance();
    FS.Token = negated ? tkNEPosixBracket : tkPosixBracket;
    FS.PosixClass = *kind;
}

void TRELex::ReadProperty(bool negative) {
    if (Peek() != u'{') {
        static constexpr std::pair<char16_t, TUnicodeProperty> kLetters[] = {
            {u'L', upL}, {u'M', upM}, {u'N', upN}, {u'P', upP}, {u'S', upS}, {u'Z', upZ}};
        for (const auto& [letter, prop] : kLetters)
            if (Peek() == letter && !AtEnd(FS.P)) {
                Advance();
                FS.Token = negative ? tkNEProperty : tkProperty;
                FS.UnicodeProperty = prop;
                return;
            }
        Error(TREMessageId::rmPropertyInvalid);
    }
    Advance();
    if (!negative && Peek() == u'^') {
        negative = true;
        Advance();
    }
    const char16_t* start = FS.P;
    while (Peek() != u'}' || AtEnd(FS.P)) {
        if (AtEnd(FS.P))
            Error(TREMessageId::rmPropertyUnterminated);
        if (!IsPropertyNameChar(Peek()))
            Error(TREMessageId::rmPropertyInvalid);
        Advance();
    }
    std::u16string_view name(start, static_cast<std::size_t>(FS.P - start));
    Advance();
    if (auto prop = FindUnicodeProperty(name)) {
        FS.Token = negative ? tkNEProperty : tkProperty;
        FS.UnicodeProperty = *prop;
        return;
    }
    auto posixName = StartsWithIgnoreCase(name, u"Is") ? name.substr(2) : name;
    if (auto kind = FindPosixClassName(posixName)) {
        FS.Token = negative ? tkNEPosixCharProperty : tkPosixCharProperty;
        FS.PosixClass = *kind;
        return;
    }
    std::u16string blockName = u"In";
    blockName += name.substr(std::min<std::size_t>(2, name.size()));
    if (auto prop = FindUnicodeProperty(blockName)) {
        FS.Token = negative ? tkNEProperty : tkProperty;
        FS.UnicodeProperty = *prop;
        return;
    }
    ErrorFilled(FormatRegExpMessage(TREMessageId::rmPropertyUnknown, name));
}

// "\k..." and "\g..." (FS.P on the letter).
void TRELex::ReadBackReference(char16_t kind) {
    const char16_t* letter = FS.P;
    Advance();
    const char16_t opener = Peek();
    if (kind == u'g' && (opener == u'<' || opener == u'\'')) {
        ReadGoSubEscape();
        return;
    }
    char16_t close = 0;
    if (opener == u'<' && kind == u'k')
        close = u'>';
    else if (opener == u'\'' && kind == u'k')
        close = u'\'';
    else if (opener == u'{')
        close = u'}';
    if (close == 0) {
        bool relative = Peek() == u'-';
        if (relative)
            Advance();
        if (!IsDecimalDigit(Peek()) || AtEnd(FS.P))
            Error(TREMessageId::rmGroupNumberMissing);
        FS.Min = ReadDecimal();
        FS.Token = relative ? tkReferenceRelative : tkReference;
        return;
    }
    Advance();
    bool relative = Peek() == u'-';
    if (relative)
        Advance();
    if (IsDecimalDigit(Peek())) {
        FS.Min = ReadDecimal();
        ExpectChar(close, TREMessageId::rmExpressionUnterminated);
        FS.Token = relative ? tkReferenceRelative : tkReference;
        return;
    }
    std::u16string name = ReadName(close);
    if (name.empty() && !relative) {
        // "\k<>" and "\g{}" name nothing: the escape stands for its letter alone.
        FS.P = letter;
        ReadLiteral(CompareOptionsOf(FS.Options));
        return;
    }
    FS.GroupName = relative ? u"-" + name : name;
    FS.Token = tkNamedReference;
}

// "\g<...>" and "\g'...'" (FS.P on the opener).
void TRELex::ReadGoSubEscape() {
    const char16_t close = Peek() == u'<' ? u'>' : u'\'';
    Advance();
    char16_t sign = 0;
    if (Peek() == u'-' || Peek() == u'+') {
        sign = Peek();
        Advance();
    }
    if (IsDecimalDigit(Peek())) {
        int n = ReadDecimal();
        ExpectChar(close, TREMessageId::rmExpressionUnterminated);
        FS.Min = sign == u'-' ? -n : n;
        FS.Token = sign ? tkGoSubRelative : tkGoSub;
        return;
    }
    std::u16string name = ReadName(close);
    FS.GroupName = sign ? std::u16string(1, sign) + name : name;
    FS.Token = tkGoSubName;
}

// After "(": every opener of a group, an assertion, a call, an option group or a verb.
// On the "(" of a group, a lookaround, a verb or another construct.
void TRELex::ReadGroupOpener() {
    Advance();
    if (Peek() == u'*') {
        Advance();
        ReadVerb();
        return;
    }
    if (Peek() != u'?' || AtEnd(FS.P)) {
        FS.Token = FS.Options.Contains(roNamedGroupOnly) ? tkLPar : tkGroupBegin;
        return;
    }
    Advance();
    if (AtEnd(FS.P))
        Error(TREMessageId::rmExpressionUnknown);
    ReadExtension(Peek());
}

// After "(?" on the character that tells the construct.
void TRELex::ReadExtension(char16_t c) {
    for (const auto& [letter, token] : kExtensionTokens)
        if (c == letter) {
            ReadSymbol(token);
            return;
        }
    switch (c) {
    case u'!':
        ReadNegativeAhead();
        return;
    case u'<':
        ReadBehindOrNamedGroup();
        return;
    case u'\'':
        ReadNamedGroup(u'\'');
        return;
    case u'P':
        ReadPythonName();
        return;
    case u'#':
        SkipComment();
        return;
    case u'&':
        Advance();
        FS.GroupName = ReadUpToParen(TREMessageId::rmParenUnmatched);
        ReadSymbol(tkGoSubName);
        return;
    case u'R':
        Advance();
        ExpectChar(u')', TREMessageId::rmParenUnmatched);
        FS.Token = tkGoSub;
        return;
    case u'C':
        ReadCallout();
        return;
    case u'(':
        ReadCondition();
        return;
    default:
        break;
    }
    if (c == u'+' || IsDecimalDigit(c) || ((c == u'-' || c == u'^') && IsDecimalDigit(Peek(1))))
        ReadGoSubNumber(c);
    else if (c == u'-' || c == u'^' ||
             std::u16string_view(u"adiklmnsuwx").find(c) != std::u16string_view::npos)
        ReadInlineOptions();
    else
        Error(TREMessageId::rmExpressionUnknown);
}

// After "(?" on the "!": a negative lookahead, or "(?!)", which always fails.
void TRELex::ReadNegativeAhead() {
    if (Peek(1) == u')')
        ReadSymbol(tkFail, 2);
    else
        ReadSymbol(tkAheadNoMatch);
}

// After "(?" on the "<": a lookbehind, or a group named "(?<name>".
void TRELex::ReadBehindOrNamedGroup() {
    if (Peek(1) == u'=' || Peek(1) == u'!')
        ReadSymbol(Peek(1) == u'=' ? tkBehindMatch : tkBehindNoMatch, 2);
    else
        ReadNamedGroup(u'>');
}

// After "(?" on the character that opens the name.
void TRELex::ReadNamedGroup(char16_t close) {
    Advance();
    FS.GroupName = ReadName(close);
    FS.Token = tkGroupBegin;
}

// After "(?" on the "P" of "(?P<name>", "(?P=name)" or "(?P>name)".
void TRELex::ReadPythonName() {
    Advance();
    const char16_t form = Peek();
    if (form != u'<' && form != u'=' && form != u'>')
        Error(TREMessageId::rmGroupNameMissing, Suffix::DotsParen);
    Advance();
    FS.GroupName = ReadName(form == u'<' ? u'>' : u')');
    FS.Token = form == u'<' ? tkGroupBegin : form == u'=' ? tkNamedReference : tkGoSubName;
}

// A comment: skipped up to its ")"; an unclosed one is an unclosed parenthesis.
void TRELex::SkipComment() {
    while (Peek() != u')') {
        if (AtEnd(FS.P))
            Error(TREMessageId::rmParenUnmatched);
        Advance();
    }
    Advance();
    FReread = true;
}

// The text up to the next ")", which is left to read; unterminated is the error without one.
std::u16string TRELex::ReadUpToParen(TREMessageId unterminated) {
    const char16_t* start = FS.P;
    while (Peek() != u')' || AtEnd(FS.P)) {
        if (AtEnd(FS.P))
            Error(unterminated);
        Advance();
    }
    return {start, FS.P};
}

// After "(?" on a call by number: "(?1)", "(?+1)", "(?-1)" (or "(?^1)").
void TRELex::ReadGoSubNumber(char16_t c) {
    const bool relative = !IsDecimalDigit(c);
    if (relative)
        Advance();
    if (c == u'+' && !IsDecimalDigit(Peek()))
        Error(TREMessageId::rmGroupNumberMissing);
    FS.Min = c == u'-' || c == u'^' ? -ReadDecimal() : ReadDecimal();
    ExpectChar(u')', TREMessageId::rmParenUnmatched);
    FS.Token = relative ? tkGoSubRelative : tkGoSub;
}

// After "(?" on the "(" of the condition.
void TRELex::ReadCondition() {
    const char16_t* paren = FS.P;
    Advance();
    const char16_t c = Peek();
    auto close = [this](TREToken token) {
        if (Peek() != u')' || AtEnd(FS.P))
            Error(TREMessageId::rmConditionUnknown, Suffix::DotsParen);
        Advance();
        FS.Token = token;
    };
    if (IsDecimalDigit(c)) {
        FS.Min = ReadDecimal();
        close(tkIfMatchRef);
        return;
    }
    // "(?(<=" and "(?(<!" are lookbehind conditions, not names.
    if ((c == u'<' && Peek(1) != u'=' && Peek(1) != u'!') || c == u'\'') {
        Advance();
        FS.GroupName = ReadName(c == u'<' ? u'>' : u'\'');
        close(tkIfMatchRef);
        return;
    }
    if (c == u'R') {
        Advance();
        if (Peek() == u'&') {
            Advance();
            FS.GroupName = ReadName(u')');
            FS.Token = tkInSubRef;
            return;
        }
        FS.Min = ReadDecimal();
        close(tkInSubRef);
        return;
    }
    if (LookingAt(u"DEFINE")) {
        Advance(6);
        close(tkDefine);
        return;
    }
    FS.P = paren;
    FS.Token = tkIfMatch;
}

// After "(?" on the "C".
void TRELex::ReadCallout() {
    Advance();
    int n = ReadDecimal();
    if (n >= 256)
        Error(TREMessageId::rmCalloutNumberRange);
    ExpectChar(u')', TREMessageId::rmParenUnmatched);
    FS.Min = n;
    FS.Token = tkCallout;
}

// After "(*".
void TRELex::ReadVerb() {
    static constexpr std::pair<std::u16string_view, TREToken> kVerbs[] = {
        {u"PRUNE", tkbcPrune},   {u"SKIP", tkbcSkip},     {u"MARK", tkbcMark}, {u"THEN", tkbcThen},
        {u"COMMIT", tkbcCommit}, {u"ACCEPT", tkbcAccept}, {u"FAIL", tkFail}};
    FS.Token = tkbcMark;
    bool named = true;
    bool found = false;
    for (const auto& [text, token] : kVerbs)
        if (LookingAt(text)) {
            Advance(static_cast<int>(text.size()));
            FS.Token = token;
            named = token != tkbcAccept && token != tkFail;
            found = true;
            break;
        }
    if (!found && Peek() == u'F') {
        Advance();
        FS.Token = tkFail;
        named = false;
    }
    if (named && Peek() == u':') {
        Advance();
        FS.GroupName = ReadUpToParen(TREMessageId::rmVerbUnterminated);
    }
    if (Peek() != u')' || AtEnd(FS.P))
        Error(TREMessageId::rmVerbUnterminated);
    Advance();
}

// After "(?" on the first option character.
void TRELex::ReadInlineOptions() {
    static constexpr std::pair<char16_t, TREOption> kLetters[] = {
        {u'i', roIgnoreCase}, {u'm', roMultiLine},   {u'n', roNamedGroupOnly}, {u's', roSingleLine},
        {u'x', roExtended},   {u'w', roIgnoreWidth}, {u'k', roIgnoreKana}};
    FS.NewOptions = FS.Options;
    bool caret = Peek() == u'^';
    if (caret) {
        FS.NewOptions = TREOptions{roMultiLine, roSingleLine, roExtended};
        Advance();
    }
    bool negate = false;
    bool any = caret;
    int aCount = 0;
    char16_t charset = 0; // the letter of "a", "d", "l", "u" given so far
    for (;;) {
        if (AtEnd(FS.P))
            Error(TREMessageId::rmOptionUnterminated);
        const char16_t c = Peek();
        if (any && !negate && (c == u')' || c == u':'))
            break;
        if (c == u'-') {
            if (caret)
                Error(TREMessageId::rmOptionCaretNegation);
            negate = true;
            Advance();
            continue;
        }
        bool known = false;
        for (const auto& [letter, option] : kLetters)
            if (c == letter) {
                negate ? FS.NewOptions.Exclude(option) : FS.NewOptions.Include(option);
                known = true;
            }
        if (!known) {
            if (c == u'a' || c == u'd' || c == u'l' || c == u'u') {
                if (negate)
                    Error(TREMessageId::rmOptionNotNegatable);
                if (c == u'a' && aCount == 2)
                    Error(TREMessageId::rmOptionAOverTwo);
                if (charset != 0 && charset != c)
                    Error(TREMessageId::rmOptionAdluConflict);
                charset = c;
                if (c == u'a') {
                    ++aCount;
                    FS.NewOptions.Include(roASCIICharClass);
                } else {
                    FS.NewOptions.Exclude(roASCIICharClass).Exclude(roASCIIOnly);
                }
            } else {
                Error(TREMessageId::rmExpressionUnknown);
            }
        }
        negate = false;
        any = true;
        Advance();
    }
    if (aCount == 2 && FS.NewOptions.Contains(roIgnoreCase))
        FS.NewOptions.Include(roASCIIOnly);
    FS.Token = Peek() == u')' ? tkOption : tkLParWithOption;
    Advance();
}

int TRELex::CountGroup(std::u16string_view S) {
    int count = 0;
    for (std::size_t i = 0; i < S.size(); ++i) {
        if (S[i] == u'\\') {
            ++i;
            continue;
        }
        if (S[i] != u'(')
            continue;
        auto rest = S.substr(i + 1);
        if (rest.empty() || rest[0] != u'?')
            ++count;
        else if (rest.starts_with(u"?<"))
            count += !rest.starts_with(u"?<=") && !rest.starts_with(u"?<!");
        else if (rest.starts_with(u"?'") || rest.starts_with(u"?P<"))
            ++count;
    }
    return count;
}

} // namespace zel
