#include "listbox/visual_list_box.h"

#include "listbox/filter_list_box.h"
#include "ui/buffered_paint.h"
#include "ui/wide.h"

#include <windowsx.h>

namespace zel {

namespace {

constexpr int kCheckColumn = 16; // presses left of this x hit the check box

} // namespace

TVisualListBox::TVisualListBox(Component* owner, TFilterListBox& listBox)
    : ListBox(owner), FOwner(listBox) {}

void TVisualListBox::SetHighlightText(std::u16string value) {
    FHighlightText = std::move(value);
    Invalidate();
}

void TVisualListBox::HandleCreated() {
    ListBox::HandleCreated();
    FIsThemed = PlatformSupportsThemes();
    UpdateRowHeight();
}

void TVisualListBox::UpdateRowHeight() {
    if (HandleAllocated())
        SetRowHeight(zel::RowHeight(FOwner.ItemHeight(), FOwner.ImagesForDrawing()));
}

void TVisualListBox::DrawItem(HDC dc, int index, const RECT& rect, bool selected) {
    RowStyle style;
    style.Images = FOwner.ImagesForDrawing();
    style.CheckList = FOwner.Style() == TFilterListBoxStyle::stCheckList;
    style.ListColor = Color();
    style.FontColor = SystemColor(COLOR_WINDOWTEXT);
    style.HighlightText = FHighlightText;
    style.Folder = &FOwner.Folder(FOwner.SearchOptions().CaseSensitive());
    TListBoxItem* item = FOwner.GetItem(index);
    std::u16string shown;
    if (item && FOwner.OnItemDisplayText) {
        shown = item->Text();
        FOwner.OnItemDisplayText(&FOwner, item, shown);
        style.Text = &shown;
    }
    auto paint = [&](HDC target) {
        painter_.Paint(target, rect, selected, item, style, HandleIfAllocated(), FIsThemed);
    };
    if (FOwner.DoubleBuffered())
        PaintBuffered(dc, rect, paint);
    else
        paint(dc);
}

void TVisualListBox::CheckBoxClick(int Index) {
    if (OnCheckBoxClick)
        OnCheckBoxClick(this, Index);
}

void TVisualListBox::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    ListBox::MouseDown(button, shift, x, y);
    chk = -1;
    if (button == TMouseButton::mbLeft && FOwner.Style() == TFilterListBoxStyle::stCheckList &&
        x < kCheckColumn)
        chk = RowAtPoint(x, y);
}

void TVisualListBox::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    ListBox::MouseUp(button, shift, x, y);
    if (button == TMouseButton::mbLeft && FOwner.Style() == TFilterListBoxStyle::stCheckList &&
        x < kCheckColumn && chk >= 0 && RowAtPoint(x, y) == chk) {
        CheckBoxClick(chk);
        chk = -1;
    }
}

bool TVisualListBox::KeyPress(char16_t& key) {
    if (!FOwner.AutoComplete())
        return false;
    // Typed characters within the delay of each other form a prefix searched among the rows'
    // own strings; as every row holds the placeholder, letters find no row. A backspace that
    // empties the prefix selects the first row, as a user selection.
    DWORD now = ::GetTickCount();
    if (now - lastKeyTime_ >= static_cast<DWORD>(FOwner.AutoCompleteDelay()))
        typedPrefix_.clear();
    lastKeyTime_ = now;
    if (key == VK_BACK) {
        if (!typedPrefix_.empty())
            typedPrefix_.pop_back();
    } else {
        typedPrefix_ += key;
    }
    if (typedPrefix_.empty()) {
        SetItemIndex(0);
        if (OnClick)
            OnClick(this);
    } else {
        LRESULT found = ::SendMessageW(Handle(), LB_FINDSTRING, WPARAM(-1),
                                       reinterpret_cast<LPARAM>(W(typedPrefix_)));
        if (found != LB_ERR) {
            SetItemIndex(static_cast<int>(found));
            if (OnClick)
                OnClick(this);
        }
    }
    return key != VK_RETURN && key != VK_BACK && key != VK_ESCAPE;
}

Component* TVisualListBox::DragSource() {
    return &FOwner;
}

HintInfo TVisualListBox::HintFor(POINT client) {
    return {HintAt(client.x, client.y), std::nullopt};
}

LRESULT TVisualListBox::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_MOUSEMOVE) {
        const int row = RowAtPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        if (row != hintRow_) {
            hintRow_ = row;
            RefreshHint();
        }
    }
    return ListBox::WndProc(message, wParam, lParam);
}

std::u16string TVisualListBox::HintAt(int x, int y) {
    std::u16string hint = FOwner.Hint();
    int row = RowAtPoint(x, y);
    if (TListBoxItem* item = row < 0 ? nullptr : FOwner.GetItem(row); item && FOwner.OnItemHint)
        FOwner.OnItemHint(&FOwner, item, row, hint);
    return hint;
}

} // namespace zel
