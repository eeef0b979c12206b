#include "ui/form.h"

#include "ui/application.h"
#include "ui/wide.h"

#include <algorithm>
#include <vector>

namespace zel {

namespace {

constexpr DWORD kFormStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;

} // namespace

Form::Form(Component* owner, std::u16string className, int clientWidth, int clientHeight,
           bool topmost)
    : WinControl(owner), className_(std::move(className)), topmost_(topmost) {
    SetVisible(false);
    RECT r{0, 0, clientWidth, clientHeight};
    ::AdjustWindowRectEx(&r, kFormStyle, FALSE, topmost_ ? WS_EX_TOPMOST : 0);
    SetBounds(0, 0, r.right - r.left, r.bottom - r.top);
    Handle();
}

void Form::FillCreateParams(CreateParams& params) {
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    // The program's icon is the first icon resource, named MAINICON.
    HICON icon = ::LoadIconW(instance, L"MAINICON");
    RegisterOwnClass(W(className_), icon, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    params.ClassName = W(className_);
    params.Style = kFormStyle;
    // The form carries its own task-bar button.
    params.ExStyle = WS_EX_APPWINDOW | (topmost_ ? WS_EX_TOPMOST : 0);
}

void Form::SyncBoundsFromWindow() {
    HWND window = HandleIfAllocated();
    if (!window)
        return;
    RECT r{};
    if (::IsIconic(window)) {
        // Minimised: keep the restored rectangle, in screen coordinates.
        WINDOWPLACEMENT placement{};
        placement.length = sizeof(placement);
        ::GetWindowPlacement(window, &placement);
        r = placement.rcNormalPosition;
        MONITORINFO monitor{};
        monitor.cbSize = sizeof(monitor);
        if (::GetMonitorInfoW(::MonitorFromRect(&r, MONITOR_DEFAULTTOPRIMARY), &monitor))
            ::OffsetRect(&r, monitor.rcWork.left - monitor.rcMonitor.left,
                         monitor.rcWork.top - monitor.rcMonitor.top);
    } else {
        ::GetWindowRect(window, &r);
    }
    StoreBounds({r.left, r.top, r.right, r.bottom});
}

void Form::SetTop(int top) {
    SetBounds(Left(), top, Width(), Height());
}
void Form::SetLeft(int left) {
    SetBounds(left, Top(), Width(), Height());
}

void Form::SetClientWidth(int width) {
    SetBounds(Left(), Top(), Width() - ClientWidth() + width, Height());
}

void Form::SetClientHeight(int height) {
    SetBounds(Left(), Top(), Width(), Height() - ClientHeight() + height);
}

void Form::Show() {
    SetVisible(true);
    ::ShowWindow(Handle(), SW_SHOWNORMAL);
    ::SetForegroundWindow(Handle());
}

void Form::DoCreate() {
    if (!OnCreate)
        return;
    // A failure in the creation handler ends it and is reported; the form is still shown.
    try {
        OnCreate(this);
    } catch (...) {
        Application::Instance().HandleException();
    }
}

void Form::Close() {
    TCloseAction action = TCloseAction::caFree;
    if (OnClose)
        OnClose(this, action);
    if (action == TCloseAction::caNone)
        return;
    ::ShowWindow(Handle(), SW_HIDE);
    SetVisible(false);
    if (OnClosed)
        OnClosed(this);
}

void Form::SetActiveControl(WinControl* control) {
    if (control == activeControl_)
        return;
    activeControl_ = control;
    if (control)
        control->FreeNotification(this);
}

void Form::FocusedControlChanged(WinControl* control) {
    if (control != this)
        SetActiveControl(control);
}

void Form::Notification(Component* component, TOperation operation) {
    WinControl::Notification(component, operation);
    if (operation == TOperation::opRemove && component == activeControl_)
        activeControl_ = nullptr;
}

bool Form::IsTabStop(WinControl* control) {
    return control->TabStop() && control->CanFocus();
}

bool Form::FocusActiveControl() {
    WinControl* target = activeControl_ && activeControl_->CanFocus() ? activeControl_ : nullptr;
    if (!target) {
        std::vector<WinControl*> order;
        GetTabOrderList(order);
        const auto first = std::find_if(order.begin(), order.end(), IsTabStop);
        if (first == order.end())
            return false;
        target = *first;
    }
    target->SetFocus();
    return true;
}

bool Form::SelectNext(WinControl* current, bool forward) {
    std::vector<WinControl*> order;
    GetTabOrderList(order);
    if (!forward)
        std::reverse(order.begin(), order.end());
    // Round the form from just after `current`; from the start when it is not in the list.
    auto from = std::find(order.begin(), order.end(), current);
    from = from == order.end() ? order.begin() : from + 1;
    std::rotate(order.begin(), from, order.end());
    const auto next = std::find_if(order.begin(), order.end(), [current](WinControl* control) {
        return control != current && IsTabStop(control);
    });
    if (next == order.end())
        return false;
    (*next)->SetFocus();
    return true;
}

bool Form::DialogKey(const MSG& msg) {
    if (msg.message != WM_KEYDOWN || msg.wParam != VK_TAB || ::GetKeyState(VK_CONTROL) < 0 ||
        ::GetKeyState(VK_MENU) < 0)
        return false;
    auto* form = dynamic_cast<Form*>(FindControl(::GetAncestor(msg.hwnd, GA_ROOT)));
    if (!form)
        return false;
    const auto code = ::SendMessageW(msg.hwnd, WM_GETDLGCODE, VK_TAB,
                                     reinterpret_cast<LPARAM>(const_cast<MSG*>(&msg)));
    if (code & (DLGC_WANTTAB | DLGC_WANTALLKEYS))
        return false;
    form->SelectNext(ControlHolding(msg.hwnd), ::GetKeyState(VK_SHIFT) >= 0);
    return true;
}

WinControl* Form::ControlHolding(HWND window) {
    WinControl* control = nullptr;
    for (; window && !control; window = ::GetParent(window))
        control = FindControl(window);
    return control;
}

LRESULT Form::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CLOSE:
        Close();
        return 0;
    case WM_ACTIVATE:
        // Activated, not minimised: the focus goes to the active control instead of the form.
        if (LOWORD(wParam) != WA_INACTIVE && HIWORD(wParam) == 0 && FocusActiveControl())
            return 0;
        break;
    case WM_SETFOCUS:
        // The form itself got the focus (from the system, after a dialog): pass it on.
        if (FocusActiveControl())
            return 0;
        break;
    case WM_NEXTDLGCTL:
        // A control moves the focus on as Tab would (wParam 0) or back; with lParam set, to
        // the window wParam names.
        if (LOWORD(lParam))
            ::SetFocus(reinterpret_cast<HWND>(wParam));
        else
            SelectNext(ControlHolding(::GetFocus()), wParam == 0);
        return 0;
    case WM_SYSCOMMAND:
        // Alt with a character: a label's accelerator comes before the window menu.
        if ((wParam & 0xFFF0) == SC_KEYMENU && lParam > u' ' &&
            DialogChar(static_cast<char16_t>(lParam)))
            return 0;
        break;
    case WM_WINDOWPOSCHANGED: {
        LRESULT result = WinControl::WndProc(message, wParam, lParam);
        SyncBoundsFromWindow();
        return result;
    }
    default:
        break;
    }
    return WinControl::WndProc(message, wParam, lParam);
}

} // namespace zel
