#include "listbox/filter_list_box.h"

#include "listbox/version.h"

namespace zel {

TFilterListBox::TFilterListBox(Component* owner) : WinControl(owner) {
    FListBox = Make<TVisualListBox>(*this);
    FListBox->OnCheckBoxClick = [this](Component*, int index) { ListCheckBoxClick(index); };
    FListBox->OnClick = [this](Component*) { ListClick(); };
    FListBox->OnDblClick = [this](Component*) { ListDblClick(); };
    FListBox->OnKeyDown = [this](Component*, WORD& key, TShiftState shift) {
        ListKeyDown(key, shift);
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
    SetBounds(0, 0, 200, 300);
    Items().OnChange = [this](TObject*) { ItemsChanged(); };
    SetColor(clBtnFace);
    FListBox->SetColor(FListColor);
    FListBox->SetParent(this);
    FListBox->SetAlign(TAlign::alClient);
    FListBox->SetTabOrder(2);
}

std::u16string TFilterListBox::Version() {
    return VersionText(GetVersionNr());
}

void TFilterListBox::HandleCreated() {
    SyncRows();
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
    SyncRows();
    Invalidate();
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

void TFilterListBox::SetFont(const FontSpec& spec) {
    WinControl::SetFont(spec);
    FListBox->SetFont(spec);
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
    if (OnListClick)
        OnListClick(this);
}

void TFilterListBox::ListDblClick() {
    if (OnListDblClick)
        OnListDblClick(this);
}

void TFilterListBox::ListKeyDown(WORD& Key, TShiftState Shift) {
    if (OnListKeyDown)
        OnListKeyDown(this, Key, Shift);
}

void TFilterListBox::ListKeyUp(WORD& Key, TShiftState Shift) {
    if (OnListKeyUp)
        OnListKeyUp(this, Key, Shift);
}

void TFilterListBox::ListKeyPress(char16_t& Key) {
    if (Key == u' ') {
        Key = 0;
        return;
    }
    if (OnListKeyPress)
        OnListKeyPress(this, Key);
}

void TFilterListBox::ListCheckBoxClick(int Index) {
    TListBoxItem* item = GetItem(Index);
    if (!item)
        return;
    item->SetChecked(!item->Checked());
    FListBox->Invalidate();
    if (OnListCheckBoxClick)
        OnListCheckBoxClick(this, Index);
}

void TFilterListBox::ListMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (OnListMouseDown)
        OnListMouseDown(this, Button, Shift, X, Y);
}

void TFilterListBox::ListMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (OnListMouseUp)
        OnListMouseUp(this, Button, Shift, X, Y);
}

void TFilterListBox::ListMouseMove(TShiftState Shift, int X, int Y) {
    if (OnListMouseMove)
        OnListMouseMove(this, Shift, X, Y);
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
    default:
        break;
    }
    return WinControl::WndProc(message, wParam, lParam);
}

} // namespace zel
