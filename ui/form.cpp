#include "ui/form.h"

#include "ui/application.h"
#include "ui/wide.h"

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

LRESULT Form::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CLOSE:
        Close();
        return 0;
    case WM_WINDOWPOSCHANGED: {
        LRESULT result = WinControl::WndProc(message, wParam, lParam);
        SyncBoundsFromWindow();
        return result;
    }
    default:
        return WinControl::WndProc(message, wParam, lParam);
    }
}

} // namespace zel
