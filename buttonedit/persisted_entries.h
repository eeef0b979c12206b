#pragma once
// What an edit field keeps in an INI file or the registry: its window text under its name,
// and its lookup history as "LOOKUPCOUNT", "LOOKUPDISPL" i and "LOOKUPVAL" i (i from 1).
// Portable: the entries out, and the field read back through any reader of named values.
//
// Each display text is written with its value, the last one too, and read back as a pair, so
// that a value stays with its text; reading stops at the first display text missing, so that
// a damaged count cannot make it read without end.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zel {

struct PersistedEntry {
    std::u16string Name;
    std::u16string Value;
    bool operator==(const PersistedEntry&) const = default;
};

// The display texts and their values of a lookup list with a history.
struct LookupHistory {
    const std::vector<std::u16string>& DisplayList;
    const std::vector<std::u16string>& ValueList;
};

std::vector<PersistedEntry> PersistedEntries(std::u16string_view FieldName,
                                             std::u16string_view WindowText,
                                             const LookupHistory* History);

// A stored value by name; none when it is absent.
using PersistedReader = std::function<std::optional<std::u16string>(std::u16string_view Name)>;

struct PersistedField {
    // None when the field has no stored text (absent, or the default "@"): it keeps its own.
    std::optional<std::u16string> WindowText;
    // Display texts and their values, the empty display texts left out.
    std::vector<std::pair<std::u16string, std::u16string>> History;
};

PersistedField ReadPersistedField(const PersistedReader& Read, std::u16string_view FieldName,
                                  bool WithHistory);

} // namespace zel
