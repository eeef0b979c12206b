#pragma once
// Compiling patterns in tests: the owner with its tree, the tree as one line of text, and the
// text of a compile error.
#include <memory>
#include <string>
#include <typeinfo>

#include "core/utf8.h"
#include "regex/compile/anchor_codes.h"
#include "regex/compile/bin_code.h"
#include "regex/compile/char_class.h"
#include "regex/compile/literal_code.h"
#include "regex/compile/owner.h"
#include "regex/compile/parser.h"
#include "regex/compile/reference_codes.h"
#include "regex/compile/set_codes.h"

namespace zel::test {

struct Compiled {
    std::unique_ptr<TREOwner> Owner = std::make_unique<TREOwner>();
    bool HasGoSub = false;
    bool HasTailAnchor = false;
    bool HasReference = false;
    TRECode* Root() const { return Owner->FCode; }
};

inline Compiled CompilePattern(std::u16string_view pattern, TREOptions options = {}) {
    Compiled out;
    out.Owner->FExpression = pattern;
    out.Owner->FOptions = options;
    TREParser parser(*out.Owner, out.Owner->FExpression);
    parser.Parse();
    out.HasGoSub = parser.HasGoSub();
    out.HasTailAnchor = parser.HasTailAnchor();
    out.HasReference = parser.HasReference();
    return out;
}

// The message of the compile error of pattern, or "" when it compiles.
inline std::string CompileError(std::u16string_view pattern, TREOptions options = {}) {
    try {
        CompilePattern(pattern, options);
    } catch (const EZelRegExp& e) {
        return Utf16ToUtf8(e.Message());
    }
    return "";
}

inline std::string DescribeLeaf(TRECode* code) {
    if (auto* literal = dynamic_cast<TRELiteralCode*>(code)) {
        const char* kind = dynamic_cast<TRELiteralSingleCode*>(code)   ? "Single"
                           : dynamic_cast<TRELiteralSimpleCode*>(code) ? "Simple"
                                                                       : "Lit";
        return std::string(kind) + "'" + Utf16ToUtf8(literal->Strings()) + "'";
    }
    std::string name = typeid(*code).name();
    // Strip the mangling and the "zel" namespace: "N3zel15TREDigitCharCodeE" -> "TREDigitCharCode".
    auto pos = name.find("zel");
    if (pos != std::string::npos)
        name = name.substr(pos + 3);
    while (!name.empty() && std::isdigit(static_cast<unsigned char>(name.front())))
        name.erase(0, 1);
    if (!name.empty() && name.back() == 'E')
        name.pop_back();
    if (name.rfind("TRE", 0) == 0)
        name.erase(0, 3);
    if (code->FNegative)
        name = "!" + name;
    if (auto* ref = dynamic_cast<TREReferenceCode*>(code))
        name += std::to_string(ref->GroupIndex());
    return name;
}

inline std::string Describe(TRECode* code) {
    if (code == nullptr)
        return "nil";
    auto* node = dynamic_cast<TREBinCode*>(code);
    if (node == nullptr)
        return DescribeLeaf(code);
    static const char* const kOps[] = {"Empty",  "Concat", "Union",  "Group",   "LHead",  "LTail",
                                       "Plus",   "Star",   "Bound",  "Loop",    "Atomic", "Keep",
                                       "Ahead",  "NAhead", "Behind", "NBehind", "GoSub",  "IfMatch",
                                       "IfThen", "Define", "Fail",   "Prune",   "Skip",   "Mark",
                                       "Then",   "Commit", "Accept", "Quest"};
    static const char* const kKinds[] = {"none", "", "lazy", "slazy", "poss", "any", "X"};
    std::string out = kOps[node->FOp];
    switch (node->FOp) {
    case opGroup:
    case opGoSub:
        out += std::to_string(node->FGroupIndex);
        break;
    case opPlus:
    case opStar:
    case opBound:
    case opLoop:
        out += "{" + std::to_string(node->FMin) + "," + std::to_string(node->FMax) + "}" +
               kKinds[node->FMatchKind];
        break;
    case opPrune:
    case opSkip:
    case opMark:
    case opThen:
    case opCommint:
        out += std::to_string(node->FGroupIndex);
        break;
    default:
        break;
    }
    if (node->FLeft == nullptr && node->FRight == nullptr)
        return out;
    out += "(" + Describe(node->FLeft);
    if (node->FRight != nullptr)
        out += "," + Describe(node->FRight);
    return out + ")";
}

inline std::string DescribePattern(std::u16string_view pattern, TREOptions options = {}) {
    return Describe(CompilePattern(pattern, options).Root());
}

} // namespace zel::test
