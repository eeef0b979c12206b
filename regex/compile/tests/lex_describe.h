#pragma once
// Renders the tokens of a pattern as one line of text, for table-driven tests.
#include <string>

#include "core/utf8.h"
#include "regex/compile/lexer.h"
#include "regex/compile/owner.h"
#include "regex/unicode/unicode_prop.h"

namespace zel::test {

inline std::string TokenName(TREToken token) {
    static const char* const kNames[] = {
        "End",         "Char",     "Union",     "Quest",    "Dot",     "Range",   "LHead",
        "LTail",       "Empty",    "LPar",      "RPar",     "Star",    "Plus",    "Bound",
        "Class",       "NegClass", "ClassEnd",  "Group",    "Ref",     "RefRel",  "NamedRef",
        "LParOpt",     "w",        "W",         "d",        "D",       "s",       "S",
        "THead",       "TTail",    "TTailEnd",  "b",        "B",       "Option",  "h",
        "H",           "v",        "V",         "R",        "Posix",   "NEPosix", "Prop",
        "NEProp",      "Atomic",   "Keep",      "Ahead",    "NAhead",  "Behind",  "NBehind",
        "X",           "GoSub",    "GoSubName", "GoSubRel", "IfMatch", "IfRef",   "G",
        "BranchReset", "N",        "Fail",      "Callout",  "InSub",   "Define",  "Prune",
        "Skip",        "Mark",     "Then",      "Commit",   "Accept",  "EOLType", "PosixProp",
        "NEPosixProp"};
    return kNames[token];
}

inline std::string Hex(char32_t c) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%X", static_cast<unsigned>(c));
    return buf;
}

// One token: its name, then the data it carries.
inline std::string DescribeToken(const TRELex& lex) {
    std::string out = TokenName(lex.Token());
    switch (lex.Token()) {
    case tkChar:
        return out + ":" + Hex(lex.WChar());
    case tkRangeChar:
        return out + ":" + Hex(lex.StartWChar()) + "-" + Hex(lex.LastWChar());
    case tkBound:
    case tkStar:
    case tkPlus:
        return out + ":" + std::to_string(lex.Min()) + "," + std::to_string(lex.Max());
    case tkReference:
    case tkReferenceRelative:
    case tkGoSub:
    case tkGoSubRelative:
    case tkCallout:
        return out + ":" + std::to_string(lex.Min());
    case tkIfMatchRef:
    case tkInSubRef:
        return out + ":" +
               (lex.GroupName().empty() ? std::to_string(lex.Min()) : Utf16ToUtf8(lex.GroupName()));
    case tkGroupBegin:
    case tkNamedReference:
    case tkGoSubName:
    case tkbcPrune:
    case tkbcSkip:
    case tkbcMark:
    case tkbcThen:
    case tkbcCommit:
        return lex.GroupName().empty() ? out : out + ":" + Utf16ToUtf8(lex.GroupName());
    case tkOption:
    case tkLParWithOption:
        return out + ":" + Hex(lex.NewOptions().ToBits());
    case tkProperty:
    case tkNEProperty:
        return out + ":" + Utf16ToUtf8(UnicodePropertyName(lex.UnicodeProperty()));
    case tkPosixBracket:
    case tkNEPosixBracket:
    case tkPosixCharProperty:
    case tkNEPosixCharProperty:
        return out + ":" + std::to_string(lex.PosixClass());
    default:
        return out;
    }
}

// Every token of pattern up to the end, separated by blanks.
inline std::string DescribeTokens(std::u16string_view pattern, TREOptions options = {}) {
    TREOwner owner;
    owner.FOptions = options;
    TRELex lex(owner, pattern);
    std::string out;
    for (int guard = 0; guard < 1000; ++guard) {
        lex.GetToken();
        if (lex.Token() == tkEnd)
            break;
        if (!out.empty())
            out += ' ';
        out += DescribeToken(lex);
    }
    return out;
}

} // namespace zel::test
