#include "listbox/int_list.h"

#include "core/error.h"
#include "ui/settings_file.h"

#include <algorithm>

namespace zel {

void TIntList::CheckIndex(int Index, int limit) const {
    if (Index < 0 || Index >= limit)
        throw Exception(ListIndexErrorText(Index));
}

void TIntList::Changed() {
    if (OnChange)
        OnChange(this);
}

int TIntList::Add(int32_t Value) {
    values_.push_back(Value);
    Changed();
    return Count() - 1;
}

void TIntList::Insert(int Index, int32_t Value) {
    CheckIndex(Index, Count() + 1);
    values_.insert(values_.begin() + Index, Value);
}

void TIntList::Delete(int Index) {
    CheckIndex(Index, Count());
    values_.erase(values_.begin() + Index);
    Changed();
}

int32_t TIntList::GetInteger(int Index) const {
    CheckIndex(Index, Count());
    return values_[static_cast<size_t>(Index)];
}

void TIntList::SetInteger(int Index, int32_t Value) {
    CheckIndex(Index, Count());
    values_[static_cast<size_t>(Index)] = Value;
    Changed();
}

void TIntList::DeleteValue(int32_t Value) {
    auto found = std::find(values_.begin(), values_.end(), Value);
    if (found != values_.end())
        Delete(static_cast<int>(found - values_.begin()));
}

bool TIntList::HasValue(int32_t Value) const {
    return std::find(values_.begin(), values_.end(), Value) != values_.end();
}

std::u16string TIntList::StrValue() const {
    std::u16string text;
    for (size_t i = 0; i < values_.size(); ++i) {
        if (i > 0)
            text += u',';
        std::string digits = std::to_string(values_[i]);
        text.append(digits.begin(), digits.end());
    }
    return text;
}

void TIntList::SetStrValue(std::u16string_view text) {
    Clear();
    for (const std::u16string& element : SplitCommaText(text)) {
        int value = 0;
        if (!ParseSettingsInteger(element, value))
            throw Exception(u"'" + element + u"' is not a valid integer value");
        Add(value);
    }
}

std::vector<std::u16string> SplitCommaText(std::u16string_view text) {
    auto blank = [](char16_t c) { return c >= 1 && c <= u' '; };
    // The reader stops at a NUL, as at the end of the text.
    text = text.substr(0, text.find(u'\0'));
    std::vector<std::u16string> elements;
    size_t p = 0;
    const size_t end = text.size();
    while (p < end && blank(text[p]))
        ++p;
    while (p < end) {
        std::u16string element;
        if (text[p] == u'"') {
            // Quoted: a doubled quote stands for one; the element ends at the lone closing quote.
            ++p;
            while (p < end) {
                if (text[p] == u'"') {
                    if (p + 1 < end && text[p + 1] == u'"') {
                        element += u'"';
                        p += 2;
                        continue;
                    }
                    ++p;
                    break;
                }
                element += text[p++];
            }
        } else {
            size_t start = p;
            while (p < end && text[p] > u' ' && text[p] != u',')
                ++p;
            element.assign(text.substr(start, p - start));
        }
        elements.push_back(std::move(element));
        while (p < end && blank(text[p]))
            ++p;
        if (p < end && text[p] == u',') {
            if (p + 1 == end)
                elements.emplace_back();
            do
                ++p;
            while (p < end && blank(text[p]));
        }
    }
    return elements;
}

} // namespace zel
