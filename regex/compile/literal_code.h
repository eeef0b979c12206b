#pragma once
// Literal codes: a run of characters compared with the folding options in force
// (TRELiteralCode), or exactly (TRELiteralSingleCode for one unit, TRELiteralSimpleCode for
// several), and TRETrieCode, one of a set of literals.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "regex/compile/code.h"

namespace zel {

class TRELiteralCode : public TRECode {
public:
    // The text is folded by the options (case, then width, then kana).
    TRELiteralCode(TREOwner* ARegExp, std::u16string_view Str, TREOptions AOptions);
    TRELiteralCode(TREOwner* ARegExp, const std::vector<char32_t>& AChars, TREOptions AOptions);
    TRELiteralCode(TREOwner* ARegExp, char32_t AWChar, TREOptions AOptions);
    ~TRELiteralCode() override;

    int Length() const override { return FLength; }
    TRETextPosRec CharLength() const override { return {FCharLength, FCharLength}; }
    TREQuickSearch* Search() override;
    const char16_t* Find(const char16_t* AStr) override;
    bool IsEqual(const char16_t* AStr, int& Len) override;
    bool IsOverlap(TRECode* ACode) override;

    // The literal after folding.
    const std::u16string& Strings() const { return FStrings; }
    TRECompareOptions CompareOptions() const { return FCompareOptions; }

protected:
    std::u16string FStrings;
    int FLength;
    int FCharLength;
    TRECompareOptions FCompareOptions;

private:
    std::unique_ptr<TREQuickSearch> FSearch; // made on first use: most literals never search
};

class TRELiteralSingleCode : public TRELiteralCode {
public:
    using TRELiteralCode::TRELiteralCode;
    bool IsEqual(const char16_t* AStr, int& Len) override;
    bool ExecRepeat(const char16_t*& AStr, bool IsStar) override;
    using TRECode::ExecRepeat;
};

class TRELiteralSimpleCode : public TRELiteralCode {
public:
    using TRELiteralCode::TRELiteralCode;
    bool IsEqual(const char16_t* AStr, int& Len) override;
};

// One of several literals (an alternation made only of literals), searched with a trie. The
// alternatives are tried in their order at one position, one per IsEqual call at that
// position (the trie hands them out in turn).
class TRETrieCode : public TRECode {
public:
    TRETrieCode(TREOwner* ARegExp, TREOptions AOptions);
    ~TRETrieCode() override;
    // Adds a literal's text; literals are added last alternative first.
    void Add(TRELiteralCode* ACode);
    // The alternatives' literals, first alternative first.
    const std::vector<TRELiteralCode*>& Literals() const { return FCodeList; }

    TRETextPosRec CharLength() const override;
    TRETrieSearch* TrieSearch() override { return FSearch.get(); }
    const char16_t* Find(const char16_t* AStr) override;
    bool IsEqual(const char16_t* AStr, int& Len) override;
    bool IsOverlap(TRECode*) override { return false; }

private:
    std::unique_ptr<TRETrieSearch> FSearch;
    std::vector<TRELiteralCode*> FCodeList; // not owned, first alternative first
};

} // namespace zel
