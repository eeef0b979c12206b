#include "buttonedit/persisted_entries.h"

#include "ui/settings_file.h"

namespace zel {

namespace {

constexpr std::u16string_view kCount = u"LOOKUPCOUNT";
constexpr std::u16string_view kDisplay = u"LOOKUPDISPL";
constexpr std::u16string_view kValue = u"LOOKUPVAL";
// What a field reads when nothing is stored under its name.
constexpr std::u16string_view kAbsent = u"@";

std::u16string Numbered(std::u16string_view name, size_t i) {
    const std::string digits = std::to_string(i);
    return std::u16string(name) + std::u16string(digits.begin(), digits.end());
}

} // namespace

std::vector<PersistedEntry> PersistedEntries(std::u16string_view FieldName,
                                             std::u16string_view WindowText,
                                             const LookupHistory* History) {
    std::vector<PersistedEntry> entries{{std::u16string(FieldName), std::u16string(WindowText)}};
    if (!History)
        return entries;
    const std::vector<std::u16string>& display = History->DisplayList;
    const std::vector<std::u16string>& values = History->ValueList;
    const std::string count = std::to_string(display.size());
    entries.push_back({std::u16string(kCount), std::u16string(count.begin(), count.end())});
    for (size_t i = 1; i <= display.size(); ++i) {
        entries.push_back({Numbered(kDisplay, i), display[i - 1]});
        if (i <= values.size())
            entries.push_back({Numbered(kValue, i), values[i - 1]});
    }
    return entries;
}

PersistedField ReadPersistedField(const PersistedReader& Read, std::u16string_view FieldName,
                                  bool WithHistory) {
    PersistedField field;
    if (WithHistory) {
        int count = 0;
        if (const std::optional<std::u16string> text = Read(kCount))
            ParseSettingsInteger(*text, count);
        for (int i = 1; i <= count; ++i) {
            const std::optional<std::u16string> display = Read(Numbered(kDisplay, i));
            if (!display)
                break;
            if (!display->empty())
                field.History.emplace_back(*display,
                                           Read(Numbered(kValue, i)).value_or(std::u16string()));
        }
    }
    if (std::optional<std::u16string> text = Read(FieldName); text && *text != kAbsent)
        field.WindowText = std::move(*text);
    return field;
}

} // namespace zel
