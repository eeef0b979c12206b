#include "ui/list_box.h"

#include "ui/wide.h"

#include <windowsx.h>

#include <algorithm>

namespace zel {

namespace {

TMouseButton ButtonOf(UINT message) {
    switch (message) {
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
        return TMouseButton::mbRight;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
        return TMouseButton::mbMiddle;
    default:
        return TMouseButton::mbLeft;
    }
}

} // namespace

TShiftState KeyboardShiftState() {
    TShiftState shift = 0;
    if (::GetKeyState(VK_SHIFT) < 0)
        shift |= ssShift;
    if (::GetKeyState(VK_CONTROL) < 0)
        shift |= ssCtrl;
    if (::GetKeyState(VK_MENU) < 0)
        shift |= ssAlt;
    return shift;
}

TShiftState MouseShiftState(WPARAM wParam) {
    TShiftState shift = 0;
    if (wParam & MK_SHIFT)
        shift |= ssShift;
    if (wParam & MK_CONTROL)
        shift |= ssCtrl;
    if (::GetKeyState(VK_MENU) < 0)
        shift |= ssAlt;
    if (wParam & MK_LBUTTON)
        shift |= ssLeft;
    if (wParam & MK_RBUTTON)
        shift |= ssRight;
    if (wParam & MK_MBUTTON)
        shift |= ssMiddle;
    return shift;
}

ListBox::ListBox(Component* owner) : WinControl(owner) {
    SetTabStop(true);
    SetColor(clWindow);
}

void ListBox::SetMultiSelect(bool value) {
    if (value == multiSelect_)
        return;
    HWND list = HandleIfAllocated();
    if (!list) {
        multiSelect_ = value;
        return;
    }
    const int count = Count(), top = TopIndex(), height = RowHeight();
    // The row that is current and selected stays so; further selected rows of a
    // multi-selection do not survive the change to a single one.
    const int current = ItemIndex();
    const int selected = current >= 0 && Selected(current) ? current : -1;
    const bool focused = ::GetFocus() == list;
    multiSelect_ = value;
    DestroyHandle();
    Handle();
    SetRowHeight(height);
    SetRowCount(count);
    SetTopIndex(top);
    if (selected >= 0) {
        SetSelected(selected, true);
        SetItemIndex(selected);
    }
    if (focused)
        SetFocus();
}

void ListBox::SetBorderSingle(bool value) {
    if (value == borderSingle_)
        return;
    borderSingle_ = value;
    HWND list = HandleIfAllocated();
    if (!list)
        return;
    LONG_PTR ex = ::GetWindowLongPtrW(list, GWL_EXSTYLE) & ~LONG_PTR(WS_EX_CLIENTEDGE);
    ::SetWindowLongPtrW(list, GWL_EXSTYLE, ex | (value ? WS_EX_CLIENTEDGE : 0));
    ::SetWindowPos(list, nullptr, 0, 0, 0, 0,
                   SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ListBox::FillCreateParams(CreateParams& params) {
    params.ClassName = L"LISTBOX";
    params.SystemClass = true;
    params.Style |= WS_VSCROLL | LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_NODATA |
                    LBS_NOINTEGRALHEIGHT | (multiSelect_ ? LBS_EXTENDEDSEL : 0);
    params.ExStyle |= borderSingle_ ? WS_EX_CLIENTEDGE : 0;
}

int ListBox::Count() {
    return static_cast<int>(::SendMessageW(Handle(), LB_GETCOUNT, 0, 0));
}

int ListBox::ItemIndex() {
    if (multiSelect_)
        return static_cast<int>(::SendMessageW(Handle(), LB_GETCARETINDEX, 0, 0));
    LRESULT index = ::SendMessageW(Handle(), LB_GETCURSEL, 0, 0);
    return index == LB_ERR ? -1 : static_cast<int>(index);
}

void ListBox::SetItemIndex(int index) {
    if (multiSelect_)
        ::SendMessageW(Handle(), LB_SETCARETINDEX, static_cast<WPARAM>(index), FALSE);
    else
        ::SendMessageW(Handle(), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

bool ListBox::Selected(int index) {
    return ::SendMessageW(Handle(), LB_GETSEL, static_cast<WPARAM>(index), 0) > 0;
}

void ListBox::SetSelected(int index, bool selected) {
    if (multiSelect_)
        ::SendMessageW(Handle(), LB_SETSEL, selected, static_cast<LPARAM>(index));
    else
        ::SendMessageW(Handle(), LB_SETCURSEL, selected ? static_cast<WPARAM>(index) : WPARAM(-1),
                       0);
}

int ListBox::TopIndex() {
    return static_cast<int>(::SendMessageW(Handle(), LB_GETTOPINDEX, 0, 0));
}

void ListBox::SetTopIndex(int index) {
    ::SendMessageW(Handle(), LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
}

namespace {

// WM_SETREDRAW off and on again as a pair; the list repaints once at the end.
class RedrawPause {
public:
    explicit RedrawPause(HWND list) : list_(list) { ::SendMessageW(list_, WM_SETREDRAW, FALSE, 0); }
    RedrawPause(const RedrawPause&) = delete;
    RedrawPause& operator=(const RedrawPause&) = delete;
    ~RedrawPause() {
        ::SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
        ::InvalidateRect(list_, nullptr, TRUE);
    }

private:
    HWND list_;
};

} // namespace

void ListBox::SetRowCount(int count) {
    HWND list = Handle();
    const int rows = Count();
    if (rows == count)
        return;
    RedrawPause pause(list);
    const int selected = ItemIndex();
    const int top = TopIndex();
    const int removed = std::max(0, rows - count);
    ::SendMessageW(list, LB_SETCOUNT, static_cast<WPARAM>(count), 0);
    if (removed > 0 && count > 0) {
        SetItemIndex(selected >= removed ? selected - removed : -1);
        SetTopIndex(std::max(0, top - removed));
    }
}

int ListBox::RowAtPoint(int x, int y) {
    RECT client{};
    ::GetClientRect(Handle(), &client);
    const int height = RowHeight();
    if (x < 0 || y < 0 || x >= client.right || y >= client.bottom || height <= 0)
        return -1;
    const int row = TopIndex() + y / height;
    return row < Count() ? row : -1;
}

int ListBox::RowHeight() {
    return static_cast<int>(::SendMessageW(Handle(), LB_GETITEMHEIGHT, 0, 0));
}

void ListBox::SetRowHeight(int height) {
    if (height != RowHeight()) {
        ::SendMessageW(Handle(), LB_SETITEMHEIGHT, 0, MAKELPARAM(height, 0));
        Invalidate();
    }
}

bool ListBox::OwnerDraw(const DRAWITEMSTRUCT& draw) {
    if (!HandleAllocated() || draw.hwndItem != HandleIfAllocated())
        return false;
    SelectGuard font(draw.hDC, GetFont().Handle());
    // Every request redraws the whole row, a change of focus too: the focus rectangle that
    // follows is then drawn on a clean row, and a row that lost the focus loses its rectangle.
    if (static_cast<int>(draw.itemID) >= 0)
        DrawItem(draw.hDC, static_cast<int>(draw.itemID), draw.rcItem,
                 (draw.itemState & ODS_SELECTED) != 0);
    if (draw.itemState & ODS_FOCUS)
        ::DrawFocusRect(draw.hDC, &draw.rcItem);
    return true;
}

void ListBox::CommandNotify(WORD code) {
    if (code == LBN_SELCHANGE && OnClick)
        OnClick(this);
    else if (code == LBN_DBLCLK && OnDblClick)
        OnDblClick(this);
}

bool ListBox::KeyPress(char16_t&) {
    return false;
}

void ListBox::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseDown)
        OnMouseDown(this, button, shift, x, y);
}

void ListBox::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseUp)
        OnMouseUp(this, button, shift, x, y);
}

LRESULT ListBox::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_KEYDOWN:
    case WM_KEYUP: {
        WORD key = static_cast<WORD>(wParam);
        if (const TKeyEvent& event = message == WM_KEYDOWN ? OnKeyDown : OnKeyUp)
            event(this, key, KeyboardShiftState());
        if (key == 0)
            return 0;
        return DefaultHandler(message, key, lParam);
    }
    case WM_CHAR: {
        char16_t key = static_cast<char16_t>(wParam);
        if (OnKeyPress)
            OnKeyPress(this, key);
        if (key == 0 || KeyPress(key))
            return 0;
        return DefaultHandler(message, key, lParam);
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK: {
        LRESULT result = DefaultHandler(message, wParam, lParam);
        TShiftState shift = MouseShiftState(wParam);
        if (message == WM_LBUTTONDBLCLK || message == WM_RBUTTONDBLCLK ||
            message == WM_MBUTTONDBLCLK)
            shift |= ssDouble;
        MouseDown(ButtonOf(message), shift, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return result;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
        LRESULT result = DefaultHandler(message, wParam, lParam);
        MouseUp(ButtonOf(message), MouseShiftState(wParam), GET_X_LPARAM(lParam),
                GET_Y_LPARAM(lParam));
        return result;
    }
    case WM_MOUSEMOVE: {
        LRESULT result = DefaultHandler(message, wParam, lParam);
        if (OnMouseMove)
            OnMouseMove(this, MouseShiftState(wParam), GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return result;
    }
    case WM_SETCURSOR:
        // The list keeps the default cursor: the system asks the parent first, which shows its own.
        return DefaultHandler(message, wParam, lParam);
    default:
        return WinControl::WndProc(message, wParam, lParam);
    }
}

} // namespace zel
