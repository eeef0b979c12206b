#pragma once
// Capture groups of a compiled pattern: group 0 is the whole match, the others are numbered in
// the order of their opening parentheses and may bear names (several groups may share one).
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "regex/types.h"

namespace zel {

class TRENFAState;
class TGroupCollection;

// Shortest and longest length in characters; Max -1 means unbounded.
struct TRETextPosRec {
    int Min = 0;
    int Max = 0;
    friend bool operator==(const TRETextPosRec&, const TRETextPosRec&) = default;
};

class TGroup {
public:
    explicit TGroup(std::u16string name) : FGroupName(std::move(name)) {}

    // Clears what the last match attempt recorded.
    void Reset() {
        FStartP = FStartPBuf = FEndP = nullptr;
        FSuccess = false;
    }
    const std::u16string& GroupName() const { return FGroupName; }
    bool Success() const { return FSuccess; }
    // The captured text; empty when the group did not match.
    std::u16string Strings() const;
    // 1-based start in the subject and length in units; 0 when the group did not match.
    int Index() const;
    int Length() const;
    // The pattern text of the group's body (up to its closing parenthesis, found by counting
    // parentheses without regard to escapes), trailing characters up to U+0020 removed.
    std::u16string SubExpression() const;
    bool JoinMatch() const { return FJoinMatch; }
    TRETextPosRec CharLength() const { return FCharLength; }

    std::u16string FGroupName;
    const TRENFAState* FGroupBegin = nullptr; // not owned: the group's begin transition
    const TRENFAState* FGroupEnd = nullptr;   // not owned: the group's end transition
    const char16_t* FSubExp = nullptr;        // pattern text just after the opening parenthesis
    int FSameGroup = 0;                       // next group of the same name, 0 = none
    bool FJoinMatch = false;                  // the target of a back-reference
    TRETextPosRec FCharLength{0, -1};         // unknown until the NFA builder measures the group
    const char16_t* FStartP = nullptr;
    const char16_t* FStartPBuf = nullptr;
    const char16_t* FEndP = nullptr;
    bool FSuccess = false;
    const TGroupCollection* FCollection = nullptr; // not owned: the collection holding it
};

class TGroupCollection {
public:
    TGroupCollection();

    int Count() const { return static_cast<int>(FItems.size()); }
    // Raises EZelRegExpRuntime "グループ番号<%d>は範囲を越えています" when index is out of range.
    TGroup& Items(int index) const;
    // The matcher's access, to an index it took from the compiled pattern (0 <= index < Count).
    TGroup& At(int index) const { return *FItems[static_cast<std::size_t>(index)]; }
    // Appends a group (numbered Count() before the call) and enters its name when not empty.
    int Add(std::u16string_view name);
    void AddGroupName(std::u16string_view name, int index);
    // First index bearing name, or -1.
    int IndexOfName(std::u16string_view name) const;
    // First index bearing name whose group matched, or -1.
    int IndexOfMatchedName(std::u16string_view name) const;
    // Every index bearing name, in the order they were entered.
    std::vector<int> EnumIndexOfName(std::u16string_view name) const;
    bool NameExists(std::u16string_view name) const { return IndexOfName(name) >= 0; }
    // The first group of name, moving along FSameGroup past groups that did not match.
    // Raises EZelRegExpRuntime "グループ名<%s>は存在しません" for an unknown name.
    TGroup& Names(std::u16string_view name) const;

    // Back to group 0 alone, for a new compile.
    void Clear();
    // Resets every group, for a new match attempt.
    void ResetMatch();

    // First unit of the subject the positions point into (group Index counts from it).
    const char16_t* FTextTopP = nullptr;

private:
    const std::vector<int>* Lookup(std::u16string_view name) const;

    std::vector<std::unique_ptr<TGroup>> FItems;
    std::unordered_map<std::u16string, std::vector<int>> FNames;
};

} // namespace zel
