#include "listbox/filter_list_box.h"

#include "listbox/version.h"
#include "ui/user_locale.h"

namespace zel {

TFilterListBox::TFilterListBox(Component* owner)
    : WinControl(owner), FLocale(UserLocaleData()), model_(CreateItems()) {
    FListBox = Make<TVisualListBox>(*this);
    BindListEvents();
    FSearchEdit = Make<TMultiButtonEdit>();
    TEditButton* find = FSearchEdit->Buttons().Add();
    find->SetStyle(TButtonStyle::bsFind);
    find->SetFlat(true);
    BindSearchEvents();
    FInsertEdit = Make<TMultiButtonEdit>();
    TEditButton* add = FInsertEdit->Buttons().Add();
    add->SetStyle(TButtonStyle::bsAdd);
    add->SetFlat(true);
    BindInsertEvents();
    SetBounds(0, 0, 200, 300);
    FListBox->UpdateRowHeight();
    Items().OnChange = [this](TObject*) { ItemsChanged(); };
    FSearchOptions = std::make_unique<TSearchOptions>();
    FSearchOptions->OnChange = [this](TObject*) { ApplySearchOptions(); };
    FSearchOptions->OnAlignmentChange = [this](TObject*) { PlaceInputs(); };
    FInsertOptions = std::make_unique<TInsertOptions>();
    FInsertOptions->OnChange = [this](TObject*) { ApplyInsertOptions(); };
    FInsertOptions->OnAlignmentChange = [this](TObject*) { PlaceInputs(); };
    SetColor(clBtnFace);
    FListBox->SetColor(FListColor);
    // The whole collection is upper-cased at every filter pass: one table, made once.
    PrepareCaseTable(FLocale);
}

void TFilterListBox::BindListEvents() {
    FListBox->OnCheckBoxClick = [this](Component*, int index) { ListCheckBoxClick(index); };
    FListBox->OnClick = [this](Component*) { ListClick(); };
    FListBox->OnDblClick = [this](Component*) { ListDblClick(); };
    FListBox->OnKeyDown = [this](Component*, WORD& key, TShiftState shift) {
        ListKeyDown(key, shift);
        if (shift == 0)
            BackToSearch(key);
        CheckShortCuts(key);
    };
    FListBox->OnKeyUp = [this](Component*, WORD& key, TShiftState shift) { ListKeyUp(key, shift); };
    FListBox->OnKeyPress = [this](Component*, char16_t& key) { ListKeyPress(key); };
    FListBox->OnMouseDown = [this](Component*, TMouseButton button, TShiftState shift, int x,
                                   int y) { ListMouseDown(button, shift, x, y); };
    FListBox->OnMouseUp = [this](Component*, TMouseButton button, TShiftState shift, int x, int y) {
        ListMouseUp(button, shift, x, y);
    };
    FListBox->OnMouseMove = [this](Component*, TShiftState shift, int x, int y) {
        ListMouseMove(shift, x, y);
    };
    // Drags over the inner list are drags over this control; without a handler here, the
    // inner list accepts none.
    FListBox->OnDragOver = [this](Component*, Component* source, int x, int y, TDragState state,
                                  bool& accept) {
        accept = static_cast<bool>(OnDragOver);
        Raise(OnDragOver, source, x, y, state, accept);
    };
    FListBox->OnDragDrop = [this](Component*, Component* source, int x, int y) {
        Raise(OnDragDrop, source, x, y);
    };
}

void TFilterListBox::SetDragMode(TDragMode mode) {
    WinControl::SetDragMode(mode);
    FListBox->SetDragMode(mode);
}

void TFilterListBox::SetLocale(LocaleData locale) {
    FLocale = std::move(locale);
    PrepareCaseTable(FLocale);
    FoldingChanged();
}

void TFilterListBox::SetSearchIgnoreKana(bool value) {
    if (value == FSearchIgnoreKana)
        return;
    FSearchIgnoreKana = value;
    FoldingChanged();
}

void TFilterListBox::SetSearchIgnoreWidth(bool value) {
    if (value == FSearchIgnoreWidth)
        return;
    FSearchIgnoreWidth = value;
    FoldingChanged();
}

const TextFolder& TFilterListBox::Folder(bool caseSensitive) {
    std::unique_ptr<TextFolder>& folder = FFolders[caseSensitive ? 1 : 0];
    if (!folder)
        folder = std::make_unique<TextFolder>(caseSensitive ? nullptr : FLocale.CaseTable,
                                              FSearchIgnoreKana, FSearchIgnoreWidth);
    return *folder;
}

void TFilterListBox::FoldingChanged() {
    FFolders[0].reset();
    FFolders[1].reset();
    if (FilterActive()) {
        ApplyFilter();
        SyncRows();
    }
    Invalidate();
    FListBox->Invalidate();
}

std::unique_ptr<TListBoxItems> TFilterListBox::CreateItems() {
    return std::make_unique<TListBoxItems>();
}

std::u16string TFilterListBox::Version() {
    return VersionText(GetVersionNr());
}

void TFilterListBox::HandleCreated() {
    FSearchEdit->SetParent(this);
    FInsertEdit->SetParent(this);
    PlaceInputs();
    for (TMultiButtonEdit* field : {FSearchEdit, FInsertEdit}) {
        field->Margins() = {0, 0, 3, 2};
        field->SetAlignWithMargins(true);
    }
    FListBox->SetParent(this);
    FListBox->SetAlign(TAlign::alClient);
    FSearchEdit->SetTabOrder(0);
    FInsertEdit->SetTabOrder(1);
    FListBox->SetTabOrder(2);
    for (WinControl* child :
         {static_cast<WinControl*>(FSearchEdit), static_cast<WinControl*>(FInsertEdit),
          static_cast<WinControl*>(FListBox)})
        child->SetTabStop(true);
    SyncRows();
}

void TFilterListBox::Loaded() {
    WinControl::Loaded();
    ApplySearchOptions();
    ApplyInsertOptions();
}

void TFilterListBox::PlaceInputs() {
    const bool searchTop = FSearchOptions->Position() == TInputPosition::ipTop;
    FSearchEdit->SetBounds(FSearchEdit->Left(), searchTop ? 1 : Height() - 3, FSearchEdit->Width(),
                           FSearchEdit->Height());
    FSearchEdit->SetAlign(searchTop ? TAlign::alTop : TAlign::alBottom);
    const bool insertTop = FInsertOptions->Position() == TInputPosition::ipTop;
    FInsertEdit->SetBounds(FInsertEdit->Left(), insertTop ? 10 : Height() - 10,
                           FInsertEdit->Width(), FInsertEdit->Height());
    FInsertEdit->SetAlign(insertTop ? TAlign::alTop : TAlign::alBottom);
}

int TFilterListBox::ItemIndex() {
    if (!FListBox->HandleAllocated())
        return -1;
    int row = FListBox->ItemIndex();
    return row < 0 ? -1 : model_.ItemIndexOfRow(row);
}

void TFilterListBox::SetItemIndex(int value) {
    FListBox->SetItemIndex(value);
}

TListBoxItem* TFilterListBox::GetItemAtXY(int X, int Y) {
    int row = FListBox->RowAtPoint(X, Y);
    return row < 0 ? nullptr : GetItem(row);
}

bool TFilterListBox::Selected(int Index) {
    return FListBox->Selected(Index);
}

void TFilterListBox::SetSelected(int Index, bool Value) {
    FListBox->SetSelected(Index, Value);
}

void TFilterListBox::SetFilterActive(bool value) {
    if (value == model_.FilterActive())
        return;
    model_.SetFilterActive(value);
    // The rows now show other items: a selected row would name another item than the one the
    // user chose.
    if (value)
        ApplyFilter();
    else
        FListBox->SetItemIndex(-1);
    SyncRows();
    Invalidate();
}

void TFilterListBox::SetFilterCondition(const std::u16string& value) {
    model_.SetFilterCondition(value);
    ApplyFilter();
    SyncRows();
    Invalidate();
    FSearchEdit->SetText(value);
}

void TFilterListBox::SetItemHeight(int value) {
    if (value == FItemHeight)
        return;
    FItemHeight = value;
    FListBox->UpdateRowHeight();
    Invalidate();
}

void TFilterListBox::SetImages(BitmapImageList* value) {
    if (value == FImages)
        return;
    FImages = value;
    if (FImages)
        FreeNotification(FImages);
    FListBox->UpdateRowHeight();
}

const ImageList* TFilterListBox::ImagesForDrawing() const noexcept {
    return FImages ? FImages->Images() : nullptr;
}

void TFilterListBox::Notification(Component* component, TOperation operation) {
    WinControl::Notification(component, operation);
    if (operation == TOperation::opRemove && component == FImages) {
        FImages = nullptr;
        FListBox->UpdateRowHeight();
    }
}

void TFilterListBox::SetStyle(TFilterListBoxStyle value) {
    FStyle = value;
    FListBox->Invalidate();
    Invalidate();
}

void TFilterListBox::SetListColor(TColor value) {
    FListColor = value;
    FListBox->SetColor(value);
}

void TFilterListBox::SetBorderSingle(bool value) {
    FBorderSingle = value;
    FListBox->SetBorderSingle(value);
}

void TFilterListBox::SetMultiSelect(bool value) {
    FMultiSelect = value;
    FListBox->SetMultiSelect(value);
}

void TFilterListBox::SetFont(const FontAttributes& attributes) {
    WinControl::SetFont(attributes);
    FListBox->SetFont(attributes);
    FSearchEdit->SetFont(attributes);
    FInsertEdit->SetFont(attributes);
}

void TFilterListBox::SetEnabled(bool enabled) {
    WinControl::SetEnabled(enabled);
    FListBox->SetEnabled(enabled);
}

void TFilterListBox::ItemsChanged() {
    SyncRows();
    Invalidate();
}

void TFilterListBox::SyncRows() {
    if (FListBox->HandleAllocated())
        FListBox->SetRowCount(ItemCount());
    // Rows that stay in place may now show other items.
    FListBox->Invalidate();
}

void TFilterListBox::ListClick() {
    Raise(OnListClick);
}

void TFilterListBox::ListDblClick() {
    Raise(OnListDblClick);
}

void TFilterListBox::ListKeyDown(WORD& Key, TShiftState Shift) {
    Raise(OnListKeyDown, Key, Shift);
}

void TFilterListBox::ListKeyUp(WORD& Key, TShiftState Shift) {
    Raise(OnListKeyUp, Key, Shift);
}

void TFilterListBox::ListKeyPress(char16_t& Key) {
    if (Key == u' ') {
        Key = 0;
        return;
    }
    Raise(OnListKeyPress, Key);
}

void TFilterListBox::ListCheckBoxClick(int Index) {
    TListBoxItem* item = GetItem(Index);
    if (!item)
        return;
    item->SetChecked(!item->Checked());
    FListBox->Invalidate();
    Raise(OnListCheckBoxClick, Index);
}

void TFilterListBox::ListMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    Raise(OnListMouseDown, Button, Shift, X, Y);
}

void TFilterListBox::ListMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    Raise(OnListMouseUp, Button, Shift, X, Y);
}

void TFilterListBox::ListMouseMove(TShiftState Shift, int X, int Y) {
    Raise(OnListMouseMove, Shift, X, Y);
}

LRESULT TFilterListBox::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_DRAWITEM:
        if (FListBox->OwnerDraw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)))
            return TRUE;
        break;
    case WM_SETCURSOR:
        // Children with the default cursor (the inner list) show this control's cursor.
        if (LOWORD(lParam) == HTCLIENT) {
            ::SetCursor(::LoadCursorW(nullptr, Cursor()));
            return TRUE;
        }
        break;
    case WM_SETFOCUS:
        FListBox->SetFocus();
        return 0;
    case WM_KEYDOWN: {
        LRESULT result = WinControl::WndProc(message, wParam, lParam);
        CheckShortCuts(static_cast<WORD>(wParam));
        return result;
    }
    default:
        break;
    }
    return WinControl::WndProc(message, wParam, lParam);
}

} // namespace zel
