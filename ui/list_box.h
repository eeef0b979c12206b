#pragma once
// The system's list box with owner-drawn rows of one height, set by the owner, that hold no
// data: the rows are only counted, so a list of any length is filled in one call (a list with a
// height or a string per row costs time per row on every insertion). Rows are drawn by the
// subclass (the parent passes WM_DRAWITEM on through OwnerDraw);
// a selection the user makes raises OnClick, a double click OnDblClick, and key and mouse
// messages raise the key and mouse events before the system handles them (mouse events after).
// Selecting by code raises nothing.
#include "ui/control.h"
#include "ui/input_events.h"

#include <string>

namespace zel {

class ListBox : public WinControl {
public:
    explicit ListBox(Component* owner);

    int Count();
    // The selected row (the caret row with multiple selection), -1 for none.
    int ItemIndex();
    void SetItemIndex(int index);
    bool Selected(int index);
    void SetSelected(int index, bool selected);
    int TopIndex();
    void SetTopIndex(int index);

    // Makes the list hold `count` rows. Extra rows go from the front (the others move up, with
    // the selection and the scroll position; a selected row that goes leaves no selection);
    // missing rows are added at the end. Drawn once, at the end.
    void SetRowCount(int count);
    // The row under a client point, -1 when the point lies on no row. Worked out from the
    // rows' one height, so it holds for lists of any length (the system's item-from-point
    // answer has 16 bits for the row).
    int RowAtPoint(int x, int y);
    int RowHeight();
    void SetRowHeight(int height);

    bool MultiSelect() const { return multiSelect_; }
    // The system's list cannot switch its selection mode: the window is made anew, keeping
    // its rows, scroll position, selected row and focus.
    void SetMultiSelect(bool value);
    bool BorderSingle() const { return borderSingle_; }
    void SetBorderSingle(bool value);

    // For the parent: WM_DRAWITEM meant for this list.
    bool OwnerDraw(const DRAWITEMSTRUCT& draw);

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;

protected:
    void FillCreateParams(CreateParams& params) override;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void CommandNotify(WORD code) override;

    // The rows' font is selected into `dc`; the focus rectangle follows when `focused`.
    virtual void DrawItem(HDC dc, int index, const RECT& rect, bool selected) = 0;
    // Key press after OnKeyPress: return true when the character is consumed.
    virtual bool KeyPress(char16_t& key);
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);

private:
    bool multiSelect_ = false;
    bool borderSingle_ = true;
};

} // namespace zel
