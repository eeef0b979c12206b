#include "buttonedit/range_list.h"

#include "buttonedit/number_text.h"
#include "ui/text_lines.h"

#include <algorithm>
#include <limits>

#ifdef _WIN32
#include <windows.h>
#else
#include <cstdio>
#endif

namespace zel {

namespace {

// An optional sign and decimal digits in the 32-bit range, with blanks around, nothing else.
bool ReadInteger(std::u16string_view Text, int& Value) {
    Text = TrimBlanks(Text);
    size_t used = 0;
    return ReadLeadingInteger(Text, Value, used) && used == Text.size();
}

std::u16string NumberText(int Value) {
    const std::string digits = std::to_string(Value);
    return std::u16string(digits.begin(), digits.end());
}

} // namespace

void TRangeList::SetItems(int Index, int Value) {
    int& item = items_.at(static_cast<size_t>(Index));
    if (item == Value || InList(Value))
        return;
    present_.erase(item);
    present_.insert(Value);
    item = Value;
}

bool TRangeList::Add(int Value) {
    if (InList(Value))
        return true;
    if (Count() >= kMaxCount)
        return false;
    items_.push_back(Value);
    present_.insert(Value);
    return true;
}

bool TRangeList::AddMultiple(int Value, int Count) {
    const int64_t last = int64_t{Value} + Count - 1;
    if (Count <= 0)
        return true;
    if (Count > kMaxCount || last > std::numeric_limits<int>::max())
        return false;
    int added = 0;
    for (int64_t v = Value; v <= last; ++v)
        added += !InList(static_cast<int>(v));
    if (this->Count() + added > kMaxCount)
        return false;
    for (int64_t v = Value; v <= last; ++v)
        Add(static_cast<int>(v));
    return true;
}

void TRangeList::Delete(int Index) {
    present_.erase(items_.at(static_cast<size_t>(Index)));
    items_.erase(items_.begin() + Index);
}

void TRangeList::Clear() {
    items_.clear();
    present_.clear();
}

void TRangeList::Sort() {
    std::sort(items_.begin(), items_.end());
}

bool TRangeList::AddPart(std::u16string_view Part) {
    int value = 0;
    if (ReadInteger(Part, value))
        return Add(value);
    const size_t dash = Part.find(u'-', 1);
    int first = 0, last = 0;
    if (dash == std::u16string_view::npos || !ReadInteger(Part.substr(0, dash), first) ||
        !ReadInteger(Part.substr(dash + 1), last))
        return false;
    if (last < first)
        return true;
    const int64_t count = int64_t{last} - first + 1;
    return count <= kMaxCount && AddMultiple(first, static_cast<int>(count));
}

bool TRangeList::StrToList(std::u16string_view S) {
    Clear();
    bool valid = true;
    for (;;) {
        const size_t end = S.find_first_of(u",;");
        valid &= AddPart(S.substr(0, end));
        if (end == std::u16string_view::npos)
            return valid;
        S.remove_prefix(end + 1);
    }
}

std::u16string TRangeList::ListToStr() const {
    std::vector<int> sorted = items_;
    std::sort(sorted.begin(), sorted.end());
    std::u16string text;
    for (size_t i = 0; i < sorted.size();) {
        size_t j = i;
        while (j + 1 < sorted.size() && int64_t{sorted[j + 1]} == int64_t{sorted[j]} + 1)
            ++j;
        if (!text.empty())
            text += u',';
        text += NumberText(sorted[i]);
        if (j > i)
            text += u'-' + NumberText(sorted[j]);
        i = j + 1;
    }
    return text;
}

void TRangeList::Show() const {
    for (int value : items_) {
#ifdef _WIN32
        const std::wstring line = std::to_wstring(value) + L"\n";
        ::OutputDebugStringW(line.c_str());
#else
        std::fprintf(stderr, "%d\n", value);
#endif
    }
}

} // namespace zel
