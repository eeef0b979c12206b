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

protected:
    void FillCreateParams(CreateParams& params) override;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool IsTopLevel() const override { return true; }

private:
    void SyncBoundsFromWindow();

    std::u16string className_;
    bool topmost_;
};

} // namespace zel
