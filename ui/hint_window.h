#pragma once
// A hint window: a top-most popup above an owner window that shows without taking the
// activation, so that the control with the focus keeps it while the popup is up (a lookup
// list under a field). One-pixel border; a drop shadow where the platform draws one.
#include "ui/control.h"

namespace zel {

class HintWindow : public WinControl {
public:
    explicit HintWindow(Component* owner);

    // The window the popup stays above; not owned.
    void SetOwnerWindow(HWND owner);
    // Shows the popup at these screen bounds, without activating it.
    void ShowAt(const TRect& screen);
    void Hide();
    bool Showing() const;

protected:
    void FillCreateParams(CreateParams& params) override;
    bool IsTopLevel() const override { return true; }

private:
    HWND ownerWindow_ = nullptr; // not owned
};

} // namespace zel
