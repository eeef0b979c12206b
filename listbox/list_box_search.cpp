// TFilterListBox's search and insert fields: their options, the filter pass, the three search
// styles, the shortcuts that show the fields, and inserting typed texts as items.
#include "listbox/filter_list_box.h"
#include "listbox/filter_pattern.h"

namespace zel {

uint16_t ShortCutOf(WORD key, TShiftState shift) {
    uint16_t shortCut = key & 0xFF;
    if (shift & ssShift)
        shortCut |= scShift;
    if (shift & ssCtrl)
        shortCut |= scCtrl;
    if (shift & ssAlt)
        shortCut |= scAlt;
    return shortCut;
}

void TFilterListBox::BindSearchEvents() {
    TMultiButtonEdit& field = *FSearchEdit;
    field.OnChange = [this](Component*) { SearchEditChange(); };
    field.OnClickFind = [this](Component*) { SearchButtonClick(); };
    field.OnClickClose = [this](Component*) { SearchCloseClick(); };
    field.OnKeyDown = [this](Component*, WORD& key, TShiftState shift) {
        SearchEditKeyDown(key, shift);
    };
    field.OnKeyUp = [this](Component*, WORD& key, TShiftState shift) {
        SearchEditKeyUp(key, shift);
    };
    field.OnKeyPress = [this](Component*, char16_t& key) { SearchEditKeyPress(key); };
    field.OnClick = [this](Component*) { SearchEditClick(); };
    field.OnDblClick = [this](Component*) { SearchEditDblClick(); };
}

void TFilterListBox::BindInsertEvents() {
    TMultiButtonEdit& field = *FInsertEdit;
    field.OnChange = [this](Component*) { InsertEditChange(); };
    field.OnClickAdd = [this](Component*) { InsertButtonClick(); };
    field.OnClickClose = [this](Component*) { InsertCloseClick(); };
    field.OnKeyDown = [this](Component*, WORD& key, TShiftState shift) {
        InsertEditKeyDown(key, shift);
    };
    field.OnKeyUp = [this](Component*, WORD& key, TShiftState shift) {
        InsertEditKeyUp(key, shift);
    };
    field.OnKeyPress = [this](Component*, char16_t& key) { InsertEditKeyPress(key); };
    field.OnClick = [this](Component*) { InsertEditClick(); };
    field.OnDblClick = [this](Component*) { InsertEditDblClick(); };
}

// ---- Options -----------------------------------------------------------------------------

TEditButton* TFilterListBox::KeepButton(TMultiButtonEdit& field, TButtonStyle style, bool wanted,
                                        bool flat) {
    TEditButton* button = field.Buttons().FindButton(style);
    if (wanted && !button) {
        button = field.Buttons().Add();
        button->SetStyle(style);
        button->SetFlat(flat);
    } else if (!wanted && button) {
        field.Buttons().Delete(button->Index());
        button = nullptr;
    }
    return button;
}

void TFilterListBox::ApplySearchOptions() {
    const TSearchOptions& options = *FSearchOptions;
    FSearchEdit->SetVisible(options.Visible());
    if (TEditButton* close =
            KeepButton(*FSearchEdit, TButtonStyle::bsClose, options.ShowClose(), options.Flat()))
        close->SetHint(options.HintClose());
    if (TEditButton* find =
            KeepButton(*FSearchEdit, TButtonStyle::bsFind, options.ShowFind(), options.Flat()))
        find->SetHint(options.HintFind());
    FSearchEdit->SetEditColor(options.EditColor());
    FSearchEdit->Edit().SetEmptyText(options.TextHint());
    if (options.Style() != TSearchStyle::ssHighlight)
        FListBox->SetHighlightText(u"");
}

void TFilterListBox::ApplyInsertOptions() {
    const TInsertOptions& options = *FInsertOptions;
    FInsertEdit->SetVisible(options.Visible());
    if (TEditButton* close =
            KeepButton(*FInsertEdit, TButtonStyle::bsClose, options.ShowClose(), options.Flat()))
        close->SetHint(options.HintClose());
    if (TEditButton* add = FInsertEdit->Buttons().FindButton(TButtonStyle::bsAdd))
        add->SetHint(options.HintInsert());
    FInsertEdit->SetEditColor(options.EditColor());
    FInsertEdit->Edit().SetEmptyText(options.TextHint());
}

// ---- Searching ---------------------------------------------------------------------------

void TFilterListBox::SearchEditChange() {
    Raise(OnSearchEditChange);
    if (!FSearchOptions->AutoFind())
        return;
    DoSearch(true);
    if (FSearchOptions->Style() == TSearchStyle::ssFilter)
        SetFindButtonDown(true);
}

void TFilterListBox::SetFindButtonDown(bool down) {
    TEditButton* find = FSearchEdit->Buttons().FindButton(TButtonStyle::bsFind);
    if (!find)
        return;
    TPNGSpeedButton& button = *find->Button();
    button.SetAllowAllUp(!down);
    button.SetGroupIndex(down ? 1 : 0);
    button.SetDown(down);
}

void TFilterListBox::SearchButtonClick() {
    Raise(OnSearchClick);
    if (FSearchOptions->Style() != TSearchStyle::ssFilter) {
        DoSearch(true);
        return;
    }
    TEditButton* find = FSearchEdit->Buttons().FindButton(TButtonStyle::bsFind);
    if (find && find->Button()->Down()) {
        SetFindButtonDown(false);
        DoSearch(false);
    } else if (!FSearchEdit->Text().empty()) {
        SetFindButtonDown(true);
        DoSearch(true);
    }
}

void TFilterListBox::SearchCloseClick() {
    Raise(OnSearchClose);
    FListBox->SetFocus();
}

void TFilterListBox::DoSearchShow() {
    Raise(OnSearchShow);
}

void TFilterListBox::SearchEditKeyDown(WORD& Key, TShiftState Shift) {
    Raise(OnSearchEditKeyDown, Key, Shift);
    if (Key == VK_ESCAPE && FSearchOptions->Style() == TSearchStyle::ssFilter &&
        FSearchOptions->AutoFind())
        FSearchEdit->SetText(u"");
    // Down from the field goes on to the rows: the first one is chosen, as a click would.
    if ((Key == VK_DOWN || Key == VK_NEXT) && Shift == 0 && ItemCount() > 0) {
        Key = 0;
        FListBox->SetFocus();
        FListBox->SetItemIndex(0);
        ListClick();
    }
}

void TFilterListBox::BackToSearch(WORD& Key) {
    // Up from the first row, or Escape in the rows, returns to the search field.
    const bool back = Key == VK_ESCAPE || (Key == VK_UP && FListBox->ItemIndex() <= 0);
    if (back && FSearchEdit->Visible() && FSearchEdit->HandleAllocated()) {
        Key = 0;
        FSearchEdit->SetFocus();
    }
}

void TFilterListBox::SearchEditKeyUp(WORD& Key, TShiftState Shift) {
    Raise(OnSearchEditKeyUp, Key, Shift);
}

void TFilterListBox::SearchEditKeyPress(char16_t& Key) {
    Raise(OnSearchEditKeyPress, Key);
}

void TFilterListBox::SearchEditClick() {
    Raise(OnSearchEditClick);
}

void TFilterListBox::SearchEditDblClick() {
    Raise(OnSearchEditDblClick);
}

void TFilterListBox::DoSearch(bool Apply) {
    const std::u16string text = FSearchEdit->Text();
    if (text.empty() || !Apply) {
        SetFilterActive(false);
        FListBox->SetHighlightText(u"");
        FListBox->Invalidate();
        return;
    }
    switch (FSearchOptions->Style()) {
    case TSearchStyle::ssFilter:
        SetFilterCondition(text);
        SetFilterActive(false);
        SetFilterActive(true);
        break;
    case TSearchStyle::ssHighlight:
        FListBox->SetHighlightText(text);
        FListBox->Invalidate();
        break;
    case TSearchStyle::ssGoto:
        GotoMatch(text);
        break;
    }
}

void TFilterListBox::GotoMatch(const std::u16string& text) {
    TFilterMatcher matcher(BuildFilterPattern(FSearchOptions->FilterMethod(), text),
                           Folder(FSearchOptions->CaseSensitive()), FLocale);
    const int count = Items().Count();
    auto first = [&](int from) {
        for (int i = from; i < count; ++i)
            if (matcher.Matches(Items()[i]->Text()))
                return i;
        return -1;
    };
    // From the top while the selected item matches; else after it, wrapping round.
    const int current = FListBox->ItemIndex();
    const bool wrap = current >= 0 && !matcher.Matches(Items()[current]->Text());
    int found = first(wrap ? current + 1 : 0);
    if (found < 0 && wrap)
        found = first(0);
    if (found >= 0)
        FListBox->SetItemIndex(found);
}

void TFilterListBox::ApplyFilter() {
    FListBox->SetItemIndex(-1);
    // Always without regard to case: the option is for the other search styles.
    TFilterMatcher matcher(BuildFilterPattern(FSearchOptions->FilterMethod(), FilterCondition()),
                           Folder(false), FLocale);
    model_.ApplyFilter(matcher);
}

void TFilterListBox::CheckShortCuts(WORD key) {
    const uint16_t shortCut = ShortCutOf(key, KeyboardShiftState());
    if (FSearchShortCut != 0 && shortCut == FSearchShortCut) {
        DoSearchShow();
        FSearchOptions->SetVisible(false);
        FSearchOptions->SetVisible(true);
        FSearchEdit->SetFocus();
    }
    if (FInsertShortCut != 0 && shortCut == FInsertShortCut) {
        DoInsertShow();
        FInsertOptions->SetVisible(false);
        FInsertOptions->SetVisible(true);
        FInsertEdit->SetFocus();
    }
}

// ---- Inserting ---------------------------------------------------------------------------

void TFilterListBox::InsertText(const std::u16string& text) {
    TListBoxItem* item = Items().Add();
    item->SetImageIndex(-1);
    item->SetText(text);
    if (FListBox->HandleAllocated())
        FListBox->SetItemIndex(FListBox->Count() - 1);
    if (FInsertOptions->InsertAndClear())
        FInsertEdit->SetText(u"");
    if (OnInsertItem) {
        OnInsertItem(this, item);
        Invalidate();
    }
}

void TFilterListBox::InsertButtonClick() {
    Raise(OnInsertClick);
    if (const std::u16string text = FInsertEdit->Text(); !text.empty())
        InsertText(text);
}

void TFilterListBox::InsertCloseClick() {
    Raise(OnInsertClose);
    FListBox->SetFocus();
}

void TFilterListBox::DoInsertShow() {
    Raise(OnInsertShow);
}

void TFilterListBox::InsertEditKeyDown(WORD& Key, TShiftState Shift) {
    Raise(OnInsertEditKeyDown, Key, Shift);
    if (Key == VK_RETURN && FInsertOptions->AutoInsert())
        if (const std::u16string text = FInsertEdit->Text(); !text.empty())
            InsertText(text);
}

void TFilterListBox::InsertEditKeyUp(WORD& Key, TShiftState Shift) {
    Raise(OnInsertEditKeyUp, Key, Shift);
}

void TFilterListBox::InsertEditKeyPress(char16_t& Key) {
    Raise(OnInsertEditKeyPress, Key);
}

void TFilterListBox::InsertEditChange() {
    Raise(OnInsertEditChange);
}

void TFilterListBox::InsertEditClick() {
    Raise(OnInsertEditClick);
}

void TFilterListBox::InsertEditDblClick() {
    Raise(OnInsertEditDblClick);
}

} // namespace zel
