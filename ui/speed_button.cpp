#include "ui/speed_button.h"

#include "ui/buffered_paint.h"

#include <windowsx.h>

namespace zel {

namespace {

// Sent to the sibling windows when a grouped button goes down: wParam the group, lParam the
// button; the others of that group go up. Windows of other classes ignore a registered message.
UINT GroupDownMessage() {
    static const UINT message = ::RegisterWindowMessageW(L"ZelSpeedButtonGroupDown");
    return message;
}

} // namespace

SpeedButton::SpeedButton(Component* owner) : WinControl(owner) {
    SetBounds(0, 0, 23, 22);
}

void SpeedButton::FillCreateParams(CreateParams& params) {
    RegisterOwnClass(L"ZelSpeedButton", nullptr, nullptr);
    params.ClassName = L"ZelSpeedButton";
}

void SpeedButton::SetFlat(bool flat) {
    if (flat == flat_)
        return;
    flat_ = flat;
    Invalidate();
}

void SpeedButton::SetDown(bool down) {
    if (groupIndex_ == 0)
        down = false;
    if (down == down_)
        return;
    // A button of a group that must keep one button down stays down until another goes down.
    if (down_ && groupIndex_ > 0 && !allowAllUp_)
        return;
    down_ = down;
    Invalidate();
    if (down_)
        ReleaseGroup();
}

void SpeedButton::SetGroupIndex(int index) {
    groupIndex_ = index;
}

void SpeedButton::SetAllowAllUp(bool allow) {
    allowAllUp_ = allow;
}

void SpeedButton::ReleaseGroup() {
    HWND self = HandleIfAllocated();
    HWND parent = self ? ::GetParent(self) : nullptr;
    if (!parent)
        return;
    for (HWND sibling = ::GetWindow(parent, GW_CHILD); sibling;
         sibling = ::GetWindow(sibling, GW_HWNDNEXT))
        if (sibling != self)
            ::SendMessageW(sibling, GroupDownMessage(), static_cast<WPARAM>(groupIndex_),
                           reinterpret_cast<LPARAM>(self));
}

void SpeedButton::SetGlyph(HIMAGELIST images, int index) {
    glyph_.reset(images && index >= 0 ? ::ImageList_GetIcon(images, index, ILD_TRANSPARENT)
                                      : nullptr);
    Invalidate();
}

void SpeedButton::Click() {
    if (groupIndex_ > 0)
        SetDown(!down_ || !allowAllUp_);
    if (OnClick)
        OnClick(this);
}

void SpeedButton::Paint(HDC dc) {
    RECT r{0, 0, Width(), Height()};
    // A flat button shows what lies behind it; a raised one has a face of its own.
    const TColor back = flat_ && Parent() ? Parent()->Color() : clBtnFace;
    UniqueBrush face(::CreateSolidBrush(ColorToRGB(back)));
    ::FillRect(dc, &r, face.get());
    const bool sunken = down_ || (pressed_ && pressedInside_);
    if (sunken)
        ::DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
    else if (!flat_)
        ::DrawEdge(dc, &r, EDGE_RAISED, BF_RECT);
    else if (hot_ && Enabled())
        ::DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
    if (!glyph_)
        return;
    ICONINFO info{};
    ::GetIconInfo(glyph_.get(), &info);
    UniqueBitmap mask(info.hbmMask), color(info.hbmColor);
    BITMAP size{};
    ::GetObjectW(info.hbmMask, sizeof size, &size);
    const int glyphHeight = info.hbmColor ? size.bmHeight : size.bmHeight / 2;
    const int shift = sunken ? 1 : 0;
    const int x = (Width() - size.bmWidth) / 2 + shift, y = (Height() - glyphHeight) / 2 + shift;
    ::DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(glyph_.get()), 0, x, y, 0, 0,
                 DST_ICON | (Enabled() ? DSS_NORMAL : DSS_DISABLED));
}

void SpeedButton::MouseMoved(int x, int y) {
    if (!hot_) {
        hot_ = true;
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, HandleIfAllocated(), 0};
        ::TrackMouseEvent(&track);
        Invalidate();
    }
    const bool inside = x >= 0 && y >= 0 && x < Width() && y < Height();
    if (pressed_ && inside != pressedInside_) {
        pressedInside_ = inside;
        Invalidate();
    }
}

void SpeedButton::ButtonReleased(int x, int y) {
    if (!pressed_)
        return;
    pressed_ = false;
    ::ReleaseCapture();
    Invalidate();
    if (x >= 0 && y >= 0 && x < Width() && y < Height() && Enabled())
        Click();
}

LRESULT SpeedButton::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == GroupDownMessage()) {
        if (static_cast<int>(wParam) == groupIndex_ && groupIndex_ > 0 && down_) {
            down_ = false;
            Invalidate();
        }
        return 0;
    }
    switch (message) {
    case WM_PAINT: {
        PaintGuard paint(HandleIfAllocated());
        PaintBuffered(paint.dc(), {0, 0, Width(), Height()}, [this](HDC dc) { Paint(dc); });
        return 0;
    }
    case WM_ERASEBKGND:
        return TRUE; // the buffered paint covers every pixel
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        pressed_ = pressedInside_ = true;
        ::SetCapture(HandleIfAllocated());
        Invalidate();
        return 0;
    case WM_LBUTTONUP:
        ButtonReleased(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_CAPTURECHANGED:
        pressed_ = false;
        Invalidate();
        return 0;
    case WM_MOUSEMOVE:
        MouseMoved(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_MOUSELEAVE:
        hot_ = false;
        Invalidate();
        return 0;
    default:
        break;
    }
    return WinControl::WndProc(message, wParam, lParam);
}

} // namespace zel
