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

class Label : public WinControl {
public:
    explicit Label(Component* owner);
    // Sizes the label to its caption in its font.
    void SetAutoSize(bool autoSize);

protected:
    void FillCreateParams(CreateParams& params) override;

private:
    void AdjustSize();
    bool autoSize_ = false;
};

} // namespace zel
