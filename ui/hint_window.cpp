#include "ui/hint_window.h"

namespace zel {

HintWindow::HintWindow(Component* owner) : WinControl(owner) {
    SetVisible(false);
}

void HintWindow::FillCreateParams(CreateParams& params) {
    RegisterOwnClass(L"ZelHintWindow", nullptr, nullptr, CS_DBLCLKS | CS_DROPSHADOW | CS_SAVEBITS);
    params.ClassName = L"ZelHintWindow";
    params.Style = WS_POPUP | WS_BORDER | WS_CLIPCHILDREN;
    params.ExStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
    params.Owner = ownerWindow_;
}

void HintWindow::SetOwnerWindow(HWND owner) {
    ownerWindow_ = owner;
    // A top-level window's owner is what GWLP_HWNDPARENT holds.
    if (HWND window = HandleIfAllocated())
        ::SetWindowLongPtrW(window, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
}

void HintWindow::ShowAt(const TRect& screen) {
    SetBounds(screen.Left, screen.Top, screen.Width(), screen.Height());
    ::SetWindowPos(Handle(), HWND_TOPMOST, screen.Left, screen.Top, screen.Width(), screen.Height(),
                   SWP_NOACTIVATE | SWP_SHOWWINDOW);
    SetVisible(true);
}

void HintWindow::Hide() {
    if (HWND window = HandleIfAllocated())
        ::ShowWindow(window, SW_HIDE);
    SetVisible(false);
}

bool HintWindow::Showing() const {
    HWND window = HandleIfAllocated();
    return window && ::IsWindowVisible(window);
}

} // namespace zel
