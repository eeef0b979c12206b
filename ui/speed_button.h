#pragma once
// A small button that never takes the focus, painted by us: a face with a raised frame (flat:
// a frame only while the mouse is over it), a sunken frame while pressed or down, and an
// optional glyph from an image list, centred. Buttons of one GroupIndex (above 0) under one
// parent act as radio buttons: a click puts the button down and the others of its group up;
// with AllowAllUp a click on the button that is down puts it up.
#include "ui/control.h"

#include <commctrl.h>

namespace zel {

class SpeedButton : public WinControl {
public:
    explicit SpeedButton(Component* owner);

    bool Flat() const noexcept { return flat_; }
    void SetFlat(bool flat);
    bool Down() const noexcept { return down_; }
    void SetDown(bool down);
    int GroupIndex() const noexcept { return groupIndex_; }
    void SetGroupIndex(int index);
    bool AllowAllUp() const noexcept { return allowAllUp_; }
    void SetAllowAllUp(bool allow);
    // Copies image `index` of the list as the button's glyph; a negative index clears it.
    void SetGlyph(HIMAGELIST images, int index);
    int Tag() const noexcept { return tag_; }
    void SetTag(int tag) noexcept { tag_ = tag; }

    // What a click of the user does: the group's down states, then OnClick.
    void Click();
    TNotifyEvent OnClick;

protected:
    void FillCreateParams(CreateParams& params) override;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Paints the whole button into `dc` (a buffer of the client size).
    virtual void Paint(HDC dc);

private:
    void MouseMoved(int x, int y);
    void ButtonReleased(int x, int y);
    void ReleaseGroup();

    UniqueIcon glyph_;
    int groupIndex_ = 0;
    int tag_ = 0;
    bool flat_ = false;
    bool down_ = false;
    bool allowAllUp_ = false;
    bool hot_ = false;     // the mouse is over the button
    bool pressed_ = false; // the left button went down here and is still held
    bool pressedInside_ = false;
};

} // namespace zel
