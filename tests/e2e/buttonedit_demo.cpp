// A window for the end-to-end tests of the button edit; not shipped. A multi-button edit (clear,
// copy and find buttons, with hints), whose find button puts the field's text into the window
// caption so that a test can see what the program read; below it a labelled money field and a
// field with a lookup list of fruit, both kept in "demo.ini" in the current folder between runs.
#include "buttonedit/ext_edit.h"
#include "buttonedit/multi_button_edit.h"
#include "ui/application.h"

#include <windows.h>

#include <string>
#include <utility>

namespace {

class DemoForm : public zel::Form {
public:
    explicit DemoForm(zel::Component* owner) : Form(owner, u"ZelButtonEditDemo", 300, 130, false) {
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

        zel::TExtEdit* amount = KeptField(u"Amount", 55);
        amount->SetEditType(zel::TExtEditType::etMoney);
        zel::TExtEdit* fruit = KeptField(u"Fruit", 85);
        fruit->Lookup().Enabled = true;
        fruit->Lookup().SetDisplayList({u"Apple", u"Apricot", u"Banana"});
        amount->Loaded();
        fruit->Loaded();
    }

private:
    // A field labelled with its name on the left, its text kept under that name.
    zel::TExtEdit* KeptField(const std::u16string& name, int top) {
        auto* field = Make<zel::TExtEdit>();
        field->SetParent(this);
        field->SetName(name);
        field->SetBounds(80, top, 210, 21);
        field->SetLabelCaption(u"&" + name);
        field->SetLabelPosition(zel::TLabelPosition::lpLeftCenter);
        zel::TPersistence& kept = field->Persistence();
        kept.Enable = true;
        kept.Key = CurrentFolder() + u"\\demo.ini";
        kept.Section = u"Demo";
        return field;
    }

    static std::u16string CurrentFolder() {
        std::u16string folder(MAX_PATH, u'\0');
        folder.resize(::GetCurrentDirectoryW(MAX_PATH, reinterpret_cast<wchar_t*>(folder.data())));
        return folder;
    }

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
