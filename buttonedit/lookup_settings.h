#pragma once
// TLookupSettings: what the edit field's lookup list offers and how it looks, and the events
// with which a program fills the list and takes the chosen value.
#include "buttonedit/lookup_match.h"
#include "ui/control.h"

#include <string>
#include <vector>

namespace zel {

using TLookupNeedDataEvent = std::function<void(Component* Sender, const std::u16string& Value,
                                                std::vector<TLookupEntry>& Items, int& ItemIndex)>;
using TLookupSelectEvent = std::function<void(Component* Sender, std::u16string& Value)>;
using TLookupIndexSelectEvent =
    std::function<void(Component* Sender, int Index, std::u16string& Value)>;

class TLookupSettings {
public:
    // The texts offered, each once: a text already present is not added again.
    const std::vector<std::u16string>& DisplayList() const noexcept { return FDisplayList; }
    void SetDisplayList(const std::vector<std::u16string>& value);
    // Optional values of the display texts, by index.
    const std::vector<std::u16string>& ValueList() const noexcept { return FValueList; }
    void SetValueList(std::vector<std::u16string> value) { FValueList = std::move(value); }
    // Appends a display text and its value; a display text already present adds neither, so
    // that the values stay beside their texts.
    void AddPair(const std::u16string& DisplayText, const std::u16string& Value);
    // Adds a display text unless it is present; false when it was.
    bool AddDisplay(const std::u16string& DisplayText);
    void Assign(const TLookupSettings& Source) { *this = Source; }

    int DisplayCount = 4;
    TColor Color = clWindow;
    bool Enabled = false;
    int NumChars() const noexcept { return FNumChars; }
    // Values below 1 are refused.
    void SetNumChars(int value);
    bool CaseSensitive = false;
    bool History = false;
    bool Multi = false;
    char16_t Separator = u';';
    bool AcceptOnTab = false;
    bool ShowValue = false;
    bool SearchValue = false;
    FontAttributes Font{FontDesc{u"Arial", 11}}; // 8 points at 96 pixels per inch
    int Spacing = 0;
    TValueSeparator ValueSeparator = TValueSeparator::vsBracket;

private:
    std::vector<std::u16string> FDisplayList;
    std::vector<std::u16string> FValueList;
    int FNumChars = 2;
};

} // namespace zel
