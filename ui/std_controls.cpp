#include "ui/std_controls.h"

#include "ui/wide.h"

namespace zel {

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
    params.Style |= SS_LEFTNOWORDWRAP;
}

void Label::SetAutoSize(bool autoSize) {
    autoSize_ = autoSize;
    AdjustSize();
}

void Label::AdjustSize() {
    if (!autoSize_ || !HandleAllocated())
        return;
    WindowDC dc(HandleIfAllocated());
    SelectGuard font(dc.get(), GetFont().Handle());
    RECT r{0, 0, 0, 0};
    ::DrawTextW(dc.get(), W(Caption()), static_cast<int>(Caption().size()), &r,
                DT_CALCRECT | DT_SINGLELINE);
    SetBounds(Left(), Top(), r.right, r.bottom);
}

} // namespace zel
