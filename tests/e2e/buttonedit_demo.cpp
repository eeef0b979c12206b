// A window with one multi-button edit (clear, copy and find buttons, with hints) for the
// end-to-end tests of the button edit; not shipped. The find button puts the field's text into the
// window caption, so that a test can see what the program read.
#include "buttonedit/multi_button_edit.h"
#include "ui/application.h"

#include <windows.h>

#include <utility>

namespace {

class DemoForm : public zel::Form {
public:
    explicit DemoForm(zel::Component* owner) : Form(owner, u"ZelButtonEditDemo", 300, 60, false) {
        SetCaption(u"Button edit");
        field_ = Make<zel::TMultiButtonEdit>();
        field_->SetParent(this);
        field_->SetBounds(10, 19, 280, 22);
        field_->SetEmptyText(u"type here");
        const std::pair<zel::TButtonStyle, const char16_t*> buttons[] = {
            {zel::TButtonStyle::bsClear, u"Clear"},
            {zel::TButtonStyle::bsCopy, u"Copy"},
            {zel::TButtonStyle::bsFind, u"Find"},
        };
        for (const auto& [style, hint] : buttons) {
            zel::TEditButton* button = field_->Buttons().Add();
            button->SetStyle(style);
            button->SetFlat(true);
            button->SetHint(hint);
        }
        field_->OnClickFind = [this](zel::Component*) { SetCaption(u"found: " + field_->Text()); };
    }

private:
    zel::TMultiButtonEdit* field_;
};

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    zel::Application& application = zel::Application::Instance();
    application.Initialize();
    application.SetTitle(u"Button edit");
    application.CreateForm<DemoForm>();
    return application.Run();
}
