#include "buttonedit/lookup_match.h"

#include <algorithm>

namespace zel {

namespace {

struct Brackets {
    std::u16string_view Opening, Closing;
};

Brackets BracketsOf(TValueSeparator Separator) {
    constexpr Brackets kBrackets[] = {{u"(", u")"}, {u"[", u"]"}, {u"<", u">"}, {u"", u""}};
    return kBrackets[static_cast<size_t>(Separator)];
}

class WordMatcher {
public:
    WordMatcher(std::u16string_view Word, const LookupMatchOptions& Options,
                const LocaleData& Locale)
        : options_(Options), locale_(Locale),
          word_(Options.CaseSensitive ? std::u16string(Word) : UpperText(Word, Locale)) {}

    bool Matches(std::u16string_view Text) const {
        const std::u16string compared =
            options_.CaseSensitive ? std::u16string(Text) : UpperText(Text, locale_);
        return options_.FullTextSearch ? compared.find(word_) != std::u16string::npos
                                       : compared.starts_with(word_);
    }

private:
    const LookupMatchOptions& options_;
    const LocaleData& locale_;
    std::u16string word_;
};

const std::u16string* EntryAt(const std::vector<std::u16string>& List, int Index) {
    if (Index < 0 || static_cast<size_t>(Index) >= List.size())
        return nullptr;
    return &List[static_cast<size_t>(Index)];
}

} // namespace

std::u16string_view LookupWord(std::u16string_view Text, bool Multi, char16_t Separator) {
    if (!Multi)
        return Text;
    const size_t last = Text.rfind(Separator);
    return last == std::u16string_view::npos ? Text : Text.substr(last + 1);
}

std::vector<TLookupEntry> MatchLookup(std::u16string_view Word,
                                      const std::vector<std::u16string>& DisplayList,
                                      const std::vector<std::u16string>& ValueList,
                                      const LookupMatchOptions& Options, const LocaleData& Locale) {
    const WordMatcher matcher(Word, Options, Locale);
    std::vector<TLookupEntry> entries;
    for (size_t i = 0; i < DisplayList.size(); ++i) {
        const int index = static_cast<int>(i);
        const std::u16string* value = EntryAt(ValueList, index);
        const bool valueMatches = Options.SearchValue && value && matcher.Matches(*value);
        if (!valueMatches && !matcher.Matches(DisplayList[i]))
            continue;
        std::u16string text = DisplayList[i];
        if (Options.ShowValue && value && !value->empty()) {
            const Brackets brackets = BracketsOf(Options.ValueSeparator);
            text += u' ';
            text += brackets.Opening;
            text += *value;
            text += brackets.Closing;
        }
        entries.push_back({std::move(text), index});
    }
    return entries;
}

void SortLookupEntries(std::vector<TLookupEntry>& Entries, const LocaleData& Locale) {
    std::vector<std::pair<std::u16string, TLookupEntry>> keyed;
    keyed.reserve(Entries.size());
    for (TLookupEntry& entry : Entries)
        keyed.emplace_back(UpperText(entry.Text, Locale), std::move(entry));
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (size_t i = 0; i < Entries.size(); ++i)
        Entries[i] = std::move(keyed[i].second);
}

Size LookupPopupSize(int EntryCount, int DisplayCount, int RowHeight, int WidestEntry,
                     int ScrollBarWidth) {
    const int rows = std::min(EntryCount, DisplayCount);
    int width = std::max(WidestEntry, 50) + 8;
    if (EntryCount > DisplayCount)
        width += ScrollBarWidth;
    return {width, rows * RowHeight + 4};
}

Point LookupPopupOrigin(Point ClientOrigin, int FieldWidth, int FieldHeight, int WordX) {
    return {ClientOrigin.X + std::min(WordX, FieldWidth) + 8, ClientOrigin.Y + FieldHeight - 4};
}

int MovedLookupIndex(int Index, int Count, TLookupMove Move, int DisplayCount) {
    if (Count <= 0)
        return -1;
    switch (Move) {
    case TLookupMove::lmUp:
        Index -= 1;
        break;
    case TLookupMove::lmDown:
        Index += 1;
        break;
    case TLookupMove::lmFirst:
        Index = 0;
        break;
    case TLookupMove::lmLast:
        Index = Count - 1;
        break;
    case TLookupMove::lmPageUp:
        Index -= std::max(DisplayCount, 1);
        break;
    case TLookupMove::lmPageDown:
        Index += std::max(DisplayCount, 1);
        break;
    }
    return std::clamp(Index, 0, Count - 1);
}

std::u16string LookupValue(const TLookupEntry& Entry,
                           const std::vector<std::u16string>& DisplayList,
                           const std::vector<std::u16string>& ValueList) {
    if (const std::u16string* value = EntryAt(ValueList, Entry.Index); value && !value->empty())
        return *value;
    if (const std::u16string* display = EntryAt(DisplayList, Entry.Index))
        return *display;
    return Entry.Text;
}

std::u16string AcceptedLookupText(std::u16string_view Text, std::u16string_view Value, bool Multi,
                                  char16_t Separator) {
    if (!Multi)
        return std::u16string(Value);
    const size_t last = Text.rfind(Separator);
    std::u16string text(last == std::u16string_view::npos ? std::u16string_view{}
                                                          : Text.substr(0, last + 1));
    text += Value;
    text += Separator;
    return text;
}

} // namespace zel
