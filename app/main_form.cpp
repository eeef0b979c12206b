#include "app/main_form.h"

#include "app/copy_text.h"
#include "app/phrase_list.h"
#include "app/phrase_text.h"
#include "app/placement.h"
#include "app/variable_context.h"
#include "core/utf8.h"
#include "ui/application.h"
#include "ui/clipboard.h"
#include "ui/files.h"
#include "ui/paths.h"
#include "ui/send_keys.h"
#include "ui/settings_store.h"
#include "ui/shell.h"

namespace zel {

namespace {

constexpr int kDesignClientWidth = 356;
constexpr int kDesignClientHeight = 320;
constexpr int kHotKeyId = 1;

FontAttributes MeiryoUI(int height) {
    FontAttributes font;
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

    ImageList1 = Make<BitmapImageList>();
    ImageList1->LoadBitmapResource(L"IMAGELIST1", 16, 16);

    // The phrase list takes the area above the buttons.
    lb1 = Make<TFilterListBox>();
    // The form's character set: Japanese lines need a face that has their glyphs.
    FontAttributes listFont = MeiryoUI(13);
    listFont.Pitch = TFontPitch::fpFixed;
    listFont.Quality = TFontQuality::fqClearType;
    lb1->SetFont(listFont);
    lb1->SetCursor(IDC_HAND);
    lb1->SetImages(ImageList1);
    lb1->SetItemHeight(16);
    lb1->SetStyle(TFilterListBoxStyle::stList);
    // Filter as the user types, case-insensitively, keeping phrases that contain the text.
    lb1->SearchOptions().SetStyle(TSearchStyle::ssFilter);
    lb1->SearchOptions().SetFilterMethod(TFilterMethod::fmContains);
    lb1->SearchOptions().SetAutoFind(true);
    lb1->InsertOptions().SetVisible(false);
    lb1->SetTabOrder(0);
    lb1->SetAnchors(akLeft | akTop | akRight | akBottom);
    lb1->SetParent(this);
    lb1->SetBounds(0, 0, 356, 297);
    lb1->OnListClick = [this](Component* sender) { lb1ListClick(sender); };
    lb1->Loaded();

    btnEDIT = MakeButton(this, 0, 60, u"リスト編集");
    btnEDIT->SetTabOrder(1);
    btnRELOAD = MakeButton(this, 60, deliverable.ReloadButtonWidth, u"リスト再読込");
    btnRELOAD->SetTabOrder(2);
    btnSibling = MakeButton(this, deliverable.Sibling.Left, deliverable.Sibling.Width,
                            deliverable.Sibling.Caption);
    btnSibling->SetTabOrder(3);
    btnEDIT->OnClick = [this](Component* sender) { btn_EDITClick(sender); };
    btnRELOAD->OnClick = [this](Component* sender) { btn_RELOADClick(sender); };
    btnSibling->OnClick = [this](Component* sender) { btnSiblingClick(sender); };

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

    // 2. Row height from the display's density.
    {
        WindowDC desktop(::GetDesktopWindow());
        lb1->SetItemHeight(ItemHeightForDpi(::GetDeviceCaps(desktop.get(), LOGPIXELSX)));
    }

    // 3. Template check: a missing template ends the program at the message loop's first
    // turn; creation goes on until then.
    PhraseListPaths paths = PhraseListPathsFor(ProgramFilePath());
    listPath_ = paths.List;
    const bool haveTemplate = FileExists(paths.Template);
    if (!haveTemplate) {
        ShowMessage(TemplateMissingMessage(ExtractFileName(paths.Template)));
        Application::Instance().Terminate();
    }

    // 4. The first list is a copy of the template. Without either there is nothing to copy or
    // show: an error box now would meet the pending quit and vanish unread.
    const bool haveList = FileExists(listPath_);
    if (!haveList && haveTemplate)
        CopyFileOverwrite(paths.Template, listPath_);

    // 5. Placement from the settings file, or centred on the work area.
    SettingsFile settings = OpenSettingsFile(settingsPath_);
    ApplyOptions(settings);
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

    // 6. The phrase list.
    if (haveList || haveTemplate)
        LoadList();
}

void MainForm::LoadList() {
    lb1->Items().Clear();
    std::u16string text = Utf8FileTextToUtf16(ReadWholeFile(listPath_));
    AddPhraseLines(lb1->Items(), text);
}

void MainForm::lb1ListClick(Component*) {
    const std::u16string& line = lb1->Items()[lb1->ItemIndex()]->Text();
    SetClipboardText(Handle(), CopiedText(line));
    // The phrase goes where the user was typing; without that window it stays on the clipboard.
    if (options_.PasteOnClick && foreground_->ReturnToLastOther())
        SendKeyChord({VK_CONTROL, 'V'});
}

std::u16string MainForm::CopiedText(const std::u16string& line) {
    // The notes go first: expanding first would let the note pattern's "\s" eat the CR of a
    // line break.
    std::u16string text = CopyTextOf(line);
    if (options_.Escapes)
        text = ExpandEscapes(text);
    if (options_.Variables)
        text = ExpandVariables(text, CurrentVariableContext(Handle()));
    return text;
}

void MainForm::ApplyOptions(const SettingsFile& settings) {
    std::vector<TOptionProblem> problems;
    options_ = ReadOptions(settings, problems);
    for (const TOptionProblem& problem : problems)
        ShowMessage(OptionProblemMessage(problem));
    lb1->SetSearchIgnoreKana(options_.SearchIgnoreKana);
    lb1->SetSearchIgnoreWidth(options_.SearchIgnoreWidth);
    if (options_.Escapes)
        lb1->OnItemDisplayText = [](Component*, TListBoxItem*, std::u16string& text) {
            text = ShowEscapes(text);
        };
    if (options_.PasteOnClick || options_.HotKey)
        foreground_ = std::make_unique<ForegroundWatch>();
    if (options_.HotKey) {
        hotKey_ = std::make_unique<HotKeyRegistration>(
            Handle(), kHotKeyId, options_.HotKey->Modifiers, options_.HotKey->Key);
        if (!hotKey_->Registered()) {
            hotKey_.reset();
            ShowMessage(HotKeyTakenMessage(options_.HotKeyText));
        }
    }
}

void MainForm::HotKeyPressed() {
    HWND self = Handle();
    if (::GetForegroundWindow() == self && foreground_->ReturnToLastOther())
        return;
    if (::IsIconic(self))
        ::ShowWindow(self, SW_RESTORE);
    ::SetForegroundWindow(self);
    TMultiButtonEdit& search = lb1->SearchEdit();
    if (search.Visible()) {
        search.Edit().SetFocus();
        search.Edit().SelectAll();
    }
}

LRESULT MainForm::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_HOTKEY && wParam == kHotKeyId) {
        HotKeyPressed();
        return 0;
    }
    return Form::WndProc(message, wParam, lParam);
}

void MainForm::btn_EDITClick(Component*) {
    ShowMessage(EditListMessage());
    ShellExecuteText(Handle(), u"OPEN", u"notepad", listPath_,
                     std::u16string(ExtractFilePath(listPath_)), SW_SHOWNORMAL);
}

void MainForm::btn_RELOADClick(Component*) {
    LoadList();
}

void MainForm::btnSiblingClick(Component*) {
    ShellExecuteText(Handle(), u"OPEN",
                     std::u16string(ExtractFilePath(ProgramFilePath())) + deliverable_.SiblingFile,
                     u"", u"", SW_SHOWNORMAL);
}

void MainForm::FormClose(Component*, TCloseAction&) {
    SettingsFile settings = OpenSettingsFile(settingsPath_);
    WritePlacement(settings, deliverable_.Keys, {Top(), Left(), ClientWidth(), ClientHeight()});
    UpdateSettingsFile(settingsPath_, settings);
}

} // namespace zel
