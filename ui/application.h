#pragma once
// The application object: title, main form, message loop and the general error report.
#include "ui/form.h"

#include <memory>
#include <string>

namespace zel {

class Application : public Component {
public:
    static Application& Instance();

    // Loads the common controls; call once before creating forms.
    void Initialize();

    const std::u16string& Title() const { return title_; }
    void SetTitle(std::u16string title) { title_ = std::move(title); }

    // Creates a form owned by the application; the first one is the main form, whose
    // closing ends the message loop. OnCreate runs before the form is first shown.
    template <class F, class... Args>
    F* CreateForm(Args&&... args) {
        F* form = Make<F>(std::forward<Args>(args)...);
        if (!mainForm_) {
            mainForm_ = form;
            form->OnClosed = [this](Component*) { Terminate(); };
        }
        form->DoCreate();
        return form;
    }
    Form* MainForm() const { return mainForm_; }

    // Shows the main form and runs the message loop until the application is asked to end.
    int Run();
    // Posts the request to end; the loop ends at its next turn.
    void Terminate();

    // The general error report of the exception being handled: a modal error box captioned
    // with the title, the message followed by "." when its last character is above ".".
    void HandleException();
    // The drag between controls of the program, at most one at a time.
    DragTracker& Drag() noexcept { return drag_; }
    void ShowException(std::u16string message);

private:
    Application();
    Form* mainForm_ = nullptr; // owned as a component
    DragTracker drag_;
    std::u16string title_;
};

// A modal message box with no icon and one OK button, captioned with the application title.
void ShowMessage(const std::u16string& text);

} // namespace zel
