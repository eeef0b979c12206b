#pragma once
// The system's push button and static label.
#include "ui/control.h"

namespace zel {

class Button : public WinControl {
public:
    explicit Button(Component* owner);
    TNotifyEvent OnClick;

protected:
    void FillCreateParams(CreateParams& params) override;
    void CommandNotify(WORD code) override;
};

// A line of text. "&x" in the caption shows x underlined and makes Alt+x in the form focus the
// label's FocusControl. A transparent label shows its parent's background behind the text.
class Label : public WinControl {
public:
    explicit Label(Component* owner);
    // Sizes the label to its caption in its font, now and after every change of either.
    void SetAutoSize(bool autoSize);
    void SetCaption(std::u16string caption) override;
    void SetFont(const FontAttributes& attributes) override;
    bool Transparent() const noexcept { return transparent_; }
    void SetTransparent(bool value);
    // The control the accelerator focuses; not owned, cleared when it goes.
    WinControl* FocusControl() const noexcept { return focusControl_; }
    void SetFocusControl(WinControl* control);
    // The caption's size in the label's font, measured with or without a window.
    SIZE TextExtent();

    bool DialogChar(char16_t key) override;

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;

protected:
    void FillCreateParams(CreateParams& params) override;
    void HandleCreated() override;
    void CommandNotify(WORD code) override;
    HBRUSH BackgroundBrush(HDC dc) override;
    void Notification(Component* component, TOperation operation) override;

private:
    void AdjustSize();
    void RepaintParentBehind();
    bool autoSize_ = false;
    bool transparent_ = false;
    WinControl* focusControl_ = nullptr;
};

} // namespace zel
