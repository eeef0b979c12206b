#pragma once
// TRangeList: the integers an etRange field lists, as "1-3,5;7" reads: single values and runs
// "a-b", separated by "," or ";". Each value is held once, in the order it was added.
//
// A list holds at most kMaxCount values: a run that would take it further (as "1-2000000000"
// would, with gigabytes) is refused like a part that does not convert, so that a typed text
// can never make the field allocate without bound.
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace zel {

class TRangeList {
public:
    static constexpr int kMaxCount = 100000;

    int Count() const noexcept { return static_cast<int>(items_.size()); }
    int Items(int Index) const { return items_.at(static_cast<size_t>(Index)); }
    // A value already in the list elsewhere is not set twice: the call is then ignored.
    void SetItems(int Index, int Value);

    // Adds the value unless it is present; false when the list is full.
    bool Add(int Value);
    // Adds Value .. Value + Count - 1; nothing, and false, when they would overfill the list.
    bool AddMultiple(int Value, int Count);
    void Delete(int Index);
    void Clear();
    bool InList(int Value) const { return present_.contains(Value); }
    void Sort();

    // Clears the list and reads S: false when a part does not convert (or would overfill the
    // list); the valid parts are added all the same.
    bool StrToList(std::u16string_view S);
    // The sorted values, runs of consecutive values as "a-b", joined by ",".
    std::u16string ListToStr() const;

    // Writes every value, one a line, to the debugger's output.
    void Show() const;

private:
    bool AddPart(std::u16string_view Part);

    std::vector<int> items_;
    std::unordered_set<int> present_;
};

} // namespace zel
