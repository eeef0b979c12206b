#include "app/main_form.h"

#include "app/placement.h"
#include "ui/application.h"
#include "ui/files.h"
#include "ui/settings_store.h"

namespace zel {

namespace {

constexpr int kDesignClientWidth = 356;
constexpr int kDesignClientHeight = 320;

FontSpec MeiryoUI(int height) {
    FontSpec font;
    font.Face.Name = u"Meiryo UI";
    font.Face.Height = height;
    font.Charset = SHIFTJIS_CHARSET;
    return font;
}

Button* MakeButton(MainForm* form, int left, int width, const char16_t* caption) {
    auto* button = form->Make<Button>();
    button->SetFont(MeiryoUI(12));
    button->SetTabStop(false);
    button->SetCaption(caption);
    button->SetAnchors(akLeft | akBottom);
    button->SetParent(form);
    button->SetBounds(left, 298, width, 22);
    return button;
}

} // namespace

MainForm::MainForm(Component* owner, const Deliverable& deliverable)
    : Form(owner, deliverable.FormClassName, kDesignClientWidth, kDesignClientHeight, true),
      deliverable_(deliverable) {
    SetFont(MeiryoUI(13));
    // The phrase list takes the area above the buttons (0, 0, 356 x 297).
    btnEDIT = MakeButton(this, 0, 60, u"リスト編集");
    btnEDIT->SetTabOrder(1);
    btnRELOAD = MakeButton(this, 60, deliverable.ReloadButtonWidth, u"リスト再読込");
    btnRELOAD->SetTabOrder(2);
    btnSibling = MakeButton(this, deliverable.Sibling.Left, deliverable.Sibling.Width,
                            deliverable.Sibling.Caption);
    btnSibling->SetTabOrder(3);

    Label1 = Make<Label>();
    Label1->SetFont(MeiryoUI(13));
    Label1->SetCaption(u"[]内はコピーされません");
    Label1->SetAnchors(akLeft | akBottom);
    Label1->SetParent(this);
    Label1->SetBounds(deliverable.LabelLeft, 299, 119, 17);
    Label1->SetAutoSize(true);

    OnCreate = [this](Component* sender) { FormCreate(sender); };
    OnClose = [this](Component* sender, TCloseAction& action) { FormClose(sender, action); };
}

void MainForm::FormCreate(Component*) {
    // 1. Title, version and caption.
    title_ = deliverable_.Title;
    version_ = kVersion;
    SetCaption(title_ + u" " + version_);
    settingsPath_ = ProgramFilePath() + u"_ユーザー設定.ini";

    // 2.-4. The phrase list's item height, template check and template copy go here.

    // 5. Placement from the settings file, or centred on the work area.
    SettingsFile settings = OpenSettingsFile(settingsPath_);
    RECT work{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    WindowPlacement placement =
        ReadPlacement(settings, deliverable_.Keys,
                      DefaultPosition(work.right - work.left, work.bottom - work.top, Width(),
                                      Height(), deliverable_.DefaultOffset));
    SetTop(placement.Top);
    SetLeft(placement.Left);
    SetClientWidth(placement.ClientWidth);
    SetClientHeight(placement.ClientHeight);

    // 6. The phrase list is loaded here.
}

void MainForm::FormClose(Component*, TCloseAction&) {
    SettingsFile settings = OpenSettingsFile(settingsPath_);
    WritePlacement(settings, deliverable_.Keys, {Top(), Left(), ClientWidth(), ClientHeight()});
    UpdateSettingsFile(settingsPath_, settings);
}

} // namespace zel
