#include "ui/drag.h"

#include "ui/control.h"

#include <windowsx.h>

#include <cstdlib>

namespace zel {

namespace {

POINT ScreenPoint(HWND window, LPARAM lParam) {
    POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ::ClientToScreen(window, &at);
    return at;
}

POINT ClientPoint(WinControl& control, POINT screen) {
    ::ScreenToClient(control.Handle(), &screen);
    return screen;
}

} // namespace

bool DragTracker::Filter(WinControl& control, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_LBUTTONDOWN:
        if (!source_ && control.DragMode() == TDragMode::dmAutomatic) {
            Begin(control, false);
            pressedAt_ = ScreenPoint(control.Handle(), lParam);
        }
        return false; // the press still selects what it selects
    case WM_MOUSEMOVE:
        if (pending_ == &control && (wParam & MK_LBUTTON)) {
            const POINT at = ScreenPoint(control.Handle(), lParam);
            if (std::abs(at.x - pressedAt_.x) >= ::GetSystemMetrics(SM_CXDRAG) ||
                std::abs(at.y - pressedAt_.y) >= ::GetSystemMetrics(SM_CYDRAG))
                Start(control);
        }
        if (source_ != &control)
            return false;
        Move(ScreenPoint(control.Handle(), lParam));
        return true;
    case WM_LBUTTONUP:
        pending_ = nullptr;
        if (source_ != &control)
            return false;
        Drop(ScreenPoint(control.Handle(), lParam));
        return true;
    case WM_KEYDOWN:
        if (source_ != &control || wParam != VK_ESCAPE)
            return false;
        End();
        return true;
    case WM_CAPTURECHANGED:
        if (source_ == &control && reinterpret_cast<HWND>(lParam) != control.HandleIfAllocated())
            End();
        return false;
    default:
        return false;
    }
}

void DragTracker::Begin(WinControl& control, bool immediate) {
    if (source_)
        return;
    if (immediate) {
        Start(control);
        return;
    }
    pending_ = &control;
    ::GetCursorPos(&pressedAt_);
}

void DragTracker::Start(WinControl& control) {
    pending_ = nullptr;
    source_ = &control;
    target_ = nullptr;
    accepted_ = false;
    ::SetCapture(control.Handle());
}

WinControl* DragTracker::TargetAt(POINT screen) const {
    HWND window = ::WindowFromPoint(screen);
    // Over a window of ours that is no control (a hint, say), the control below it counts.
    for (; window; window = ::GetParent(window))
        if (WinControl* control = WinControl::FindControl(window))
            return control;
    return nullptr;
}

void DragTracker::Move(POINT screen) {
    WinControl* target = TargetAt(screen);
    Component* source = source_->DragSource();
    TDragState state = TDragState::dsDragMove;
    if (target != target_) {
        if (target_) {
            const POINT at = ClientPoint(*target_, screen);
            bool ignored = false;
            target_->DragOver(source, at.x, at.y, TDragState::dsDragLeave, ignored);
        }
        target_ = target;
        state = TDragState::dsDragEnter;
    }
    accepted_ = false;
    if (target_) {
        const POINT at = ClientPoint(*target_, screen);
        target_->DragOver(source, at.x, at.y, state, accepted_);
    }
    ::SetCursor(::LoadCursorW(nullptr, accepted_ ? IDC_ARROW : IDC_NO));
}

void DragTracker::Drop(POINT screen) {
    WinControl* target = target_;
    const bool accepted = accepted_ && target == TargetAt(screen);
    Component* source = source_->DragSource();
    End();
    if (accepted) {
        const POINT at = ClientPoint(*target, screen);
        target->DragDrop(source, at.x, at.y);
    }
}

void DragTracker::End() {
    WinControl* source = source_;
    source_ = nullptr;
    target_ = nullptr;
    accepted_ = false;
    if (source && ::GetCapture() == source->HandleIfAllocated())
        ::ReleaseCapture();
}

void DragTracker::Forget(const WinControl& control) noexcept {
    if (pending_ == &control)
        pending_ = nullptr;
    if (target_ == &control)
        target_ = nullptr;
    if (source_ == &control) {
        source_ = nullptr;
        target_ = nullptr;
    }
}

} // namespace zel
