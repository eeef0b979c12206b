#include "buttonedit/lookup_settings.h"

#include <algorithm>

namespace zel {

void TLookupSettings::SetDisplayList(const std::vector<std::u16string>& value) {
    FDisplayList.clear();
    for (const std::u16string& text : value)
        AddDisplay(text);
}

bool TLookupSettings::AddDisplay(const std::u16string& DisplayText) {
    if (std::find(FDisplayList.begin(), FDisplayList.end(), DisplayText) != FDisplayList.end())
        return false;
    FDisplayList.push_back(DisplayText);
    return true;
}

void TLookupSettings::AddPair(const std::u16string& DisplayText, const std::u16string& Value) {
    // A value list shorter than the display list gets empty values up to the new pair.
    const size_t index = FDisplayList.size();
    if (!AddDisplay(DisplayText))
        return;
    FValueList.resize(std::max(FValueList.size(), index));
    FValueList.insert(FValueList.begin() + static_cast<std::ptrdiff_t>(index), Value);
}

void TLookupSettings::SetNumChars(int value) {
    if (value >= 1)
        FNumChars = value;
}

} // namespace zel
