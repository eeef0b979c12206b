#pragma once
// The system's list box in owner-drawn, variable-row-height mode. Rows are measured and drawn
// by the subclass (the parent passes WM_MEASUREITEM and WM_DRAWITEM on through OwnerDraw);
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

    void AddRow(const std::u16string& text);
    void DeleteRow(int index);
    void ClearRows();
    // Reserves room for `count` more rows, so that a long run of AddRow does not regrow.
    void ReserveRows(int count);
    // The system's answer for a point: nearest row in the low word, 1 in the high word when
    // the point lies outside every row.
    LRESULT ItemFromPoint(int x, int y);
    // The nearest row to a point inside the rows, -1 when the point lies outside them.
    int RowAtPoint(int x, int y);
    RECT ItemRect(int index);
    void SetRowHeight(int index, int height);

    bool MultiSelect() const { return multiSelect_; }
    void SetMultiSelect(bool value) { multiSelect_ = value; }
    bool BorderSingle() const { return borderSingle_; }
    void SetBorderSingle(bool value) { borderSingle_ = value; }

    // For the parent: WM_MEASUREITEM and WM_DRAWITEM meant for this list.
    bool OwnerDraw(UINT message, LPARAM lParam);

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
    void HandleCreated() override;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void CommandNotify(WORD code) override;

    virtual void MeasureItem(int index, int& height) = 0;
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
