#include "ui/std_controls.h"

#include "ui/wide.h"

namespace zel {

namespace {

char16_t AsciiUpper(char16_t c) {
    return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 0x20) : c;
}

// The character after the caption's single "&" ("&&" shows one "&"), 0 without one.
char16_t AcceleratorOf(const std::u16string& caption) {
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != u'&')
            continue;
        if (caption[i + 1] != u'&')
            return caption[i + 1];
        ++i;
    }
    return 0;
}

} // namespace

Button::Button(Component* owner) : WinControl(owner) {
    SetTabStop(true);
}

void Button::FillCreateParams(CreateParams& params) {
    params.ClassName = L"BUTTON";
    params.SystemClass = true;
    params.Style |= BS_PUSHBUTTON;
}

void Button::CommandNotify(WORD code) {
    if (code == BN_CLICKED && OnClick)
        OnClick(this);
}

Label::Label(Component* owner) : WinControl(owner) {}

void Label::FillCreateParams(CreateParams& params) {
    params.ClassName = L"STATIC";
    params.SystemClass = true;
    params.Style |= SS_LEFTNOWORDWRAP | SS_NOTIFY;
    if (transparent_)
        params.ExStyle |= WS_EX_TRANSPARENT;
}

void Label::HandleCreated() {
    AdjustSize();
}

void Label::SetAutoSize(bool autoSize) {
    autoSize_ = autoSize;
    AdjustSize();
}

void Label::SetCaption(std::u16string caption) {
    WinControl::SetCaption(std::move(caption));
    RepaintParentBehind();
    AdjustSize();
}

void Label::SetFont(const FontAttributes& attributes) {
    WinControl::SetFont(attributes);
    AdjustSize();
}

void Label::SetTransparent(bool value) {
    transparent_ = value;
    if (HWND window = HandleIfAllocated()) {
        const LONG_PTR ex = ::GetWindowLongPtrW(window, GWL_EXSTYLE) & ~LONG_PTR(WS_EX_TRANSPARENT);
        ::SetWindowLongPtrW(window, GWL_EXSTYLE, ex | (value ? WS_EX_TRANSPARENT : 0));
        RepaintParentBehind();
        Invalidate();
    }
}

void Label::SetFocusControl(WinControl* control) {
    focusControl_ = control;
    if (control)
        control->FreeNotification(this);
}

void Label::Notification(Component* component, TOperation operation) {
    WinControl::Notification(component, operation);
    if (operation == TOperation::opRemove && component == focusControl_)
        focusControl_ = nullptr;
}

SIZE Label::TextExtent() {
    // Without a window of its own the label measures on the screen, in the same font.
    WindowDC dc(HandleIfAllocated());
    SelectGuard font(dc.get(), GetFont().Handle());
    RECT r{0, 0, 0, 0};
    ::DrawTextW(dc.get(), W(Caption()), static_cast<int>(Caption().size()), &r,
                DT_CALCRECT | DT_SINGLELINE);
    return {r.right, r.bottom};
}

void Label::AdjustSize() {
    if (!autoSize_)
        return;
    const SIZE size = TextExtent();
    if (size.cx != Width() || size.cy != Height())
        SetBounds(Left(), Top(), size.cx, size.cy);
}

void Label::RepaintParentBehind() {
    // A transparent label draws no background: what it showed before goes with the parent's.
    HWND parent = Parent() ? Parent()->HandleIfAllocated() : nullptr;
    if (!transparent_ || !parent)
        return;
    const TRect& b = BoundsRect();
    RECT r{b.Left, b.Top, b.Right, b.Bottom};
    ::InvalidateRect(parent, &r, TRUE);
}

bool Label::DialogChar(char16_t key) {
    const char16_t accelerator = AcceleratorOf(Caption());
    if (!focusControl_ || !accelerator || AsciiUpper(accelerator) != AsciiUpper(key))
        return false;
    focusControl_->SetFocus();
    return true;
}

void Label::CommandNotify(WORD code) {
    if (code == STN_CLICKED && OnClick)
        OnClick(this);
    else if (code == STN_DBLCLK && OnDblClick)
        OnDblClick(this);
}

HBRUSH Label::BackgroundBrush(HDC dc) {
    if (!transparent_)
        return WinControl::BackgroundBrush(dc);
    ::SetBkMode(dc, TRANSPARENT);
    return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
}

} // namespace zel
