// TExtEdit's lookup list: the matching rules are portable (lookup_match); this file shows them
// in the popup below the word being typed, moves through them by keys and takes the choice.
#include "buttonedit/ext_edit.h"

#include "ui/text_lines.h"

#include <optional>
#include <utility>

namespace zel {

namespace {

// The keys that move in a shown lookup list.
std::optional<TLookupMove> MoveOfKey(WORD key) {
    using enum TLookupMove;
    constexpr std::pair<WORD, TLookupMove> kMoves[] = {
        {VK_UP, lmUp},    {VK_DOWN, lmDown},    {VK_HOME, lmFirst},
        {VK_END, lmLast}, {VK_PRIOR, lmPageUp}, {VK_NEXT, lmPageDown},
    };
    for (const auto& [moving, move] : kMoves)
        if (moving == key)
            return move;
    return std::nullopt;
}

} // namespace

void TExtEdit::BindLookupList() {
    TListBoxTab& list = FLookupWindow->List();
    list.OnKeyDown = [this](Component*, WORD& key, TShiftState) {
        if (key == VK_RETURN || (key == VK_TAB && FLookup.AcceptOnTab)) {
            AcceptLookup();
            key = 0;
        } else if (key == VK_ESCAPE) {
            HideLookup();
            SetFocus();
            key = 0;
        }
    };
    list.OnMouseUp = [this](Component*, TMouseButton button, TShiftState, int, int) {
        if (button == TMouseButton::mbLeft)
            AcceptLookup();
    };
}

bool TExtEdit::LookupVisible() const {
    return FLookupWindow->Showing();
}

void TExtEdit::HideLookup() {
    FLookupWindow->Hide();
}

void TExtEdit::DoLookupNeedData(const std::u16string& Value, std::vector<TLookupEntry>& Items,
                                int& ItemIndex) {
    if (OnLookupNeedData)
        OnLookupNeedData(this, Value, Items, ItemIndex);
}

void TExtEdit::UpdateLookup() {
    if (!FLookup.Enabled || !HasFocus())
        return;
    const std::u16string value = Text();
    const std::u16string word(LookupWord(value, FLookup.Multi, FLookup.Separator));
    if (static_cast<int>(word.size()) < FLookup.NumChars()) {
        HideLookup();
        return;
    }
    const LookupMatchOptions options{FFullTextSearch, FLookup.CaseSensitive, FLookup.SearchValue,
                                     FLookup.ShowValue, FLookup.ValueSeparator};
    std::vector<TLookupEntry> entries =
        MatchLookup(word, FLookup.DisplayList(), FLookup.ValueList(), options, FLocale);
    int index = 0;
    DoLookupNeedData(word, entries, index);
    SortLookupEntries(entries, FLocale);
    if (entries.empty()) {
        HideLookup();
        return;
    }
    // Below the field, under the word's first character.
    POINT origin{0, 0};
    ::ClientToScreen(Handle(), &origin);
    const int wordStart = static_cast<int>(FTyped.Prefix.size() + value.size() - word.size());
    const Point at =
        LookupPopupOrigin({origin.x, origin.y}, Width(), Height(), PosFromChar(wordStart).x);
    TListBoxTab& list = FLookupWindow->List();
    list.SetFont(FLookup.Font);
    list.SetColor(FLookup.Color);
    list.SetHandleTab(FLookup.AcceptOnTab);
    FLookupWindow->SetOwnerWindow(::GetAncestor(Handle(), GA_ROOT));
    FLookupWindow->ShowEntries(std::move(entries), index, at, FLookup.Spacing,
                               FLookup.DisplayCount);
}

bool TExtEdit::LookupKey(WORD key) {
    if (key == VK_RETURN) {
        AcceptLookup();
        return true;
    }
    const std::optional<TLookupMove> move = MoveOfKey(key);
    if (!move)
        return false;
    TListBoxTab& list = FLookupWindow->List();
    list.SetItemIndex(
        MovedLookupIndex(list.ItemIndex(), list.Count(), *move, FLookup.DisplayCount));
    return true;
}

void TExtEdit::AcceptLookup() {
    TListBoxTab& list = FLookupWindow->List();
    const int row = list.ItemIndex();
    if (row < 0 || row >= static_cast<int>(list.Entries().size())) {
        HideLookup();
        return;
    }
    const TLookupEntry entry = list.Entries()[static_cast<size_t>(row)];
    std::u16string value = LookupValue(entry, FLookup.DisplayList(), FLookup.ValueList());
    SetFocus();
    HideLookup();
    if (OnLookupSelect)
        OnLookupSelect(this, value);
    if (OnLookupIndexSelect)
        OnLookupIndexSelect(this, entry.Index, value);
    if (!FLookup.Multi) {
        SetText(value);
        SelectAll();
        return;
    }
    SetText(AcceptedLookupText(Text(), value, true, FLookup.Separator));
    const int end = ValueRange().End;
    SetSelection({end, end});
}

void TExtEdit::AddLookupHistory() {
    if (!FLookup.History || !FLookup.Enabled)
        return;
    const std::u16string text(TrimBlanks(Text()));
    if (!text.empty())
        FLookup.AddDisplay(text);
}

} // namespace zel
