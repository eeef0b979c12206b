#pragma once
// The lookup list's rules that need no window: the word being completed, the entries that
// match it, their order, the popup's size and place, the keys that move in it, and the text
// an accepted entry leaves in the field.
#include "htmltext/geometry.h"
#include "ui/locale_data.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zel {

enum class TValueSeparator : uint8_t { vsBracket, vsSquareBracket, vsLargerSmaller, vsNone };

// One row of the popup: its text and the index of its display text (-1 for a row that a
// handler of OnLookupNeedData added: its value is its text).
struct TLookupEntry {
    std::u16string Text;
    int Index = -1;
    bool operator==(const TLookupEntry&) const = default;
};

struct LookupMatchOptions {
    bool FullTextSearch = false; // anywhere instead of at the start
    bool CaseSensitive = false;
    bool SearchValue = false; // the value of the same index may match too
    bool ShowValue = false;   // the row shows a non-empty value after its display text
    TValueSeparator ValueSeparator = TValueSeparator::vsBracket;
};

// The word the lookup completes: the whole text, or with Multi what follows the last
// separator.
std::u16string_view LookupWord(std::u16string_view Text, bool Multi, char16_t Separator);

// The rows for the word, in the order of the display texts.
std::vector<TLookupEntry> MatchLookup(std::u16string_view Word,
                                      const std::vector<std::u16string>& DisplayList,
                                      const std::vector<std::u16string>& ValueList,
                                      const LookupMatchOptions& Options, const LocaleData& Locale);

// Sorts the rows as the list shows them: by their text in the locale's upper case.
void SortLookupEntries(std::vector<TLookupEntry>& Entries, const LocaleData& Locale);

// The popup's outer size: DisplayCount rows at most, the widest row (at least 50 pixels) with
// room for a scroll bar when not every row fits.
Size LookupPopupSize(int EntryCount, int DisplayCount, int RowHeight, int WidestEntry,
                     int ScrollBarWidth);

// The popup's screen position: below the field, under the word's first character (WordX in
// the field, at most the field's width).
Point LookupPopupOrigin(Point ClientOrigin, int FieldWidth, int FieldHeight, int WordX);

enum class TLookupMove : uint8_t { lmUp, lmDown, lmFirst, lmLast, lmPageUp, lmPageDown };

// The selected row after a key, without wrapping; -1 when the list has no rows.
int MovedLookupIndex(int Index, int Count, TLookupMove Move, int DisplayCount);

// The value an accepted row stands for: its value when it has one, else its display text.
std::u16string LookupValue(const TLookupEntry& Entry,
                           const std::vector<std::u16string>& DisplayList,
                           const std::vector<std::u16string>& ValueList);

// The field's text after accepting Value: the value alone, or with Multi everything up to and
// including the last separator, the value and a separator.
std::u16string AcceptedLookupText(std::u16string_view Text, std::u16string_view Value, bool Multi,
                                  char16_t Separator);

} // namespace zel
