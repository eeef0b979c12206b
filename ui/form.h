#pragma once
// Top-level windows, registered under the class name the form asks for.
#include "ui/control.h"

namespace zel {

enum class TCloseAction { caNone, caHide, caFree };

class Form : public WinControl {
public:
    // Creates the window at once (hidden), with the given client size at design.
    Form(Component* owner, std::u16string className, int clientWidth, int clientHeight,
         bool topmost);

    // Screen placement of the outer window, and the client size.
    void SetTop(int top);
    void SetLeft(int left);
    void SetClientWidth(int width);
    void SetClientHeight(int height);

    void Show();
    // Asks to close: OnClose decides; a failure in it keeps the window open.
    void Close();

    std::function<void(Component* Sender)> OnCreate;
    std::function<void(Component* Sender, TCloseAction& Action)> OnClose;
    // Runs when the window was closed (it is hidden then).
    TNotifyEvent OnClosed;

    // Runs OnCreate, once, before the form is first shown.
    void DoCreate();

    // The control that takes the keyboard focus whenever the form is activated (at its first
    // showing, and when the user comes back to it from another window): the one that had the
    // focus last, at first the first tab stop.
    WinControl* ActiveControl() const noexcept { return activeControl_; }
    void SetActiveControl(WinControl* control);
    // Moves the focus to the tab stop after `current` in tab order (before it when not
    // `forward`), round the form. False when no other control can take it.
    bool SelectNext(WinControl* current, bool forward);
    // Tab and Shift+Tab pressed in a form: moves the focus there and returns true, unless the
    // focused control takes the Tab key itself. Called by the message loop before dispatch.
    static bool DialogKey(const MSG& msg);
    // The control with the focus, or the one of ours that holds the window that has it.
    static WinControl* ControlHolding(HWND window);

protected:
    void FillCreateParams(CreateParams& params) override;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool IsTopLevel() const override { return true; }
    void FocusedControlChanged(WinControl* control) override;
    void Notification(Component* component, TOperation operation) override;

private:
    void SyncBoundsFromWindow();
    // Gives the focus to the active control, or to the first tab stop when that cannot take
    // it; false when no control can.
    bool FocusActiveControl();
    static bool IsTabStop(WinControl* control);

    std::u16string className_;
    bool topmost_;
    WinControl* activeControl_ = nullptr; // not owned: cleared when it goes
};

} // namespace zel
