#pragma once
// A list of 32-bit integers that tells a listener about its changes: the filter result of the
// list box (indexes into the whole item collection, in item order).
#include "listbox/list_items.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zel {

class TIntList : public TObject {
public:
    int Count() const noexcept { return static_cast<int>(values_.size()); }

    // Add, Delete, SetInteger and DeleteValue raise OnChange after the change; Insert and
    // Clear do not.
    int Add(int32_t Value);
    void Insert(int Index, int32_t Value);
    void Delete(int Index);
    void Clear() noexcept { values_.clear(); }
    int32_t GetInteger(int Index) const;
    void SetInteger(int Index, int32_t Value);
    int32_t operator[](int Index) const { return GetInteger(Index); }
    void DeleteValue(int32_t Value);
    bool HasValue(int32_t Value) const;

    // The values in decimal joined by ",". Assigning clears the list and adds each element of
    // the comma text (commas and unquoted blanks separate, double quotes group); an element
    // that is not an integer fails with the conversion error.
    std::u16string StrValue() const;
    void SetStrValue(std::u16string_view text);

    TChangeEvent OnChange;

private:
    void Changed();
    void CheckIndex(int Index, int limit) const;

    std::vector<int32_t> values_;
};

// The elements of a comma text as the framework's reader splits it.
std::vector<std::u16string> SplitCommaText(std::u16string_view text);

} // namespace zel
