#pragma once
// TVisualListBox: the inner list of TFilterListBox. Its rows hold only a placeholder; each row
// is drawn from the item the owner maps it to. Clicks in the check-box column
// toggle check boxes (check-list style), typed letters never select a row, and the owner
// re-raises the list's clicks, keys and mouse actions as its own events.
#include "listbox/gdi_row_painter.h"
#include "ui/list_box.h"

#include <functional>
#include <string>

namespace zel {

class TFilterListBox;

using TCheckBoxClickEvent = std::function<void(Component* Sender, int Index)>;

class TVisualListBox : public ListBox {
public:
    TVisualListBox(Component* owner, TFilterListBox& listBox);

    const std::u16string& HighlightText() const noexcept { return FHighlightText; }
    void SetHighlightText(std::u16string value);

    // All rows take the owner's item height, or the image height and a margin when larger.
    void UpdateRowHeight();

    // The owner's hint for the row under a client point: HintStr starts as the owner's Hint,
    // and OnItemHint may change it when the point lies on a row that shows an item.
    std::u16string HintAt(int x, int y);

    TCheckBoxClickEvent OnCheckBoxClick;

    // A drag of the inner list is a drag of the list box.
    Component* DragSource() override;

protected:
    void HandleCreated() override;
    // Each row has its own hint: a move onto another row asks for the hint again.
    HintInfo HintFor(POINT client) override;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void DrawItem(HDC dc, int index, const RECT& rect, bool selected) override;
    virtual void CheckBoxClick(int Index);
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    bool KeyPress(char16_t& key) override;

private:
    bool FIsThemed = false;
    TFilterListBox& FOwner;
    int chk = -1; // row under the last press in the check-box column, -1 for none
    std::u16string FHighlightText;
    GdiRowPainter painter_;
    std::u16string typedPrefix_; // type-ahead
    int hintRow_ = -1;           // the row under the mouse when it last moved
    DWORD lastKeyTime_ = 0;
};

} // namespace zel
