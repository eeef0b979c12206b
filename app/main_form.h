#pragma once
// The main window of both deliverables: an always-on-top form with the phrase list, three
// buttons and a hint label, placed from the settings file beside the program.
#include "app/deliverable.h"
#include "app/options.h"
#include "listbox/filter_list_box.h"
#include "ui/foreground_watch.h"
#include "ui/form.h"
#include "ui/hot_key.h"
#include "ui/image_list.h"
#include "ui/std_controls.h"

#include <memory>
#include <string>

namespace zel {

class MainForm : public Form {
public:
    MainForm(Component* owner, const Deliverable& deliverable);

    void FormCreate(Component* Sender);
    void FormClose(Component* Sender, TCloseAction& Action);
    // Fills the list from the phrase list file, with the heading-driven icons.
    void LoadList();
    // Puts the chosen phrase, without its note, on the clipboard.
    void lb1ListClick(Component* Sender);
    // Explains the list file, then opens it in Notepad.
    void btn_EDITClick(Component* Sender);
    void btn_RELOADClick(Component* Sender);
    // Starts the sibling program from this program's folder.
    void btnSiblingClick(Component* Sender);

    BitmapImageList* ImageList1;
    TFilterListBox* lb1;
    Button* btnEDIT;
    Button* btnRELOAD;
    Button* btnSibling; // btn_EXEC in Velmora, btnEXEC in Tamsorn
    Label* Label1;

protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // The abilities of the settings file's Options section; each is off unless set there.
    void ApplyOptions(const SettingsFile& settings);
    // The text a chosen line puts on the clipboard: notes gone, then escapes and variables.
    std::u16string CopiedText(const std::u16string& line);
    // The hotkey: to the front with the search field ready, or back to where the user was.
    void HotKeyPressed();

    const Deliverable& deliverable_;
    std::u16string title_;
    std::u16string version_;
    std::u16string settingsPath_;
    std::u16string listPath_;
    TAppOptions options_;
    std::unique_ptr<ForegroundWatch> foreground_; // with PasteOnClick or a hotkey
    std::unique_ptr<HotKeyRegistration> hotKey_;
};

} // namespace zel
