#pragma once
// The main window of both deliverables: an always-on-top form with the phrase list, three
// buttons and a hint label, placed from the settings file beside the program.
#include "app/deliverable.h"
#include "ui/form.h"
#include "ui/std_controls.h"

#include <string>

namespace zel {

class MainForm : public Form {
public:
    MainForm(Component* owner, const Deliverable& deliverable);

    void FormCreate(Component* Sender);
    void FormClose(Component* Sender, TCloseAction& Action);

    Button* btnEDIT;
    Button* btnRELOAD;
    Button* btnSibling; // btn_EXEC in Velmora, btnEXEC in Tamsorn
    Label* Label1;

private:
    const Deliverable& deliverable_;
    std::u16string title_;
    std::u16string version_;
    std::u16string settingsPath_;
};

} // namespace zel
