#include "buttonedit/multi_button_edit.h"

#include "core/version_text.h"
#include "ui/clipboard.h"

namespace zel {

namespace {

constexpr uint32_t kVersionNr = 16777219; // 1.0.0.3

} // namespace

TCustomMultiButtonEdit::TCustomMultiButtonEdit(Component* owner) : WinControl(owner) {
    FEdit = Make<TExtEdit>();
    BindEditEvents();
    FEditButtons = CreateEditButtons();
    FEdit->SetTabStop(true);
    FEdit->SetTabOrder(0);
    FEdit->SetBorderStyle(FBorderStyle);
    FEdit->SetColor(FEditColor);
    FEdit->SetHideSelection(FHideSelection);
    FEdit->SetMaxLength(FMaxLength);
    SetBounds(0, 0, 200, 22);
}

TCustomMultiButtonEdit::~TCustomMultiButtonEdit() {
    // The edit outlives this object's own part (the framework frees owned components last):
    // nothing it reports may reach the forwarders any more.
    FEdit->OnChange = nullptr;
    FEdit->OnKeyDown = nullptr;
    FEdit->OnKeyUp = nullptr;
    FEdit->OnKeyPress = nullptr;
    FEdit->OnEnter = nullptr;
    FEdit->OnExit = nullptr;
    FEdit->OnDblClick = nullptr;
    FEdit->OnClick = nullptr;
}

std::u16string TCustomMultiButtonEdit::Version() {
    return VersionText(kVersionNr);
}

void TCustomMultiButtonEdit::BindEditEvents() {
    FEdit->OnChange = [this](Component*) { EditChanged(); };
    FEdit->OnKeyDown = [this](Component*, WORD& key, TShiftState shift) {
        EditKeyDown(key, shift);
    };
    FEdit->OnKeyUp = [this](Component*, WORD& key, TShiftState shift) { EditKeyUp(key, shift); };
    FEdit->OnKeyPress = [this](Component*, char16_t& key) { EditKeyPress(key); };
    FEdit->OnEnter = [this](Component*) { EditEnter(); };
    FEdit->OnExit = [this](Component*) { EditExit(); };
    FEdit->OnDblClick = [this](Component*) { EditDblClick(); };
    FEdit->OnClick = [this](Component*) { EditClick(); };
}

std::unique_ptr<TEditButtons> TCustomMultiButtonEdit::CreateEditButtons() {
    return std::make_unique<TEditButtons>(*this, this);
}

void TCustomMultiButtonEdit::HandleCreated() {
    UpdateButtons();
}

void TCustomMultiButtonEdit::UpdateButtons() {
    if (!HandleAllocated())
        return;
    // The layout gives the first right-aligned child the outermost place: parenting the
    // right-docked buttons last first puts them in collection order from left to right.
    const int count = FEditButtons->Count();
    for (int i = 0; i < count; ++i)
        FEditButtons->Items(i)->Button()->SetParent(nullptr);
    int leftEdge = 0;
    int rightEdge = Width();
    for (int i = 0; i < count; ++i) {
        TEditButton* item = FEditButtons->Items(i);
        TPNGSpeedButton* button = item->Button();
        const int w = button->Width();
        if (item->Position() == TButtonPosition::bpLeft) {
            button->SetBounds(leftEdge, 0, w, button->Height());
            button->SetAlign(TAlign::alLeft);
            leftEdge += w;
        } else {
            button->SetBounds(rightEdge - w, 0, w, button->Height());
            button->SetAlign(TAlign::alRight);
            rightEdge += w;
        }
        if (item->Style() == TButtonStyle::bsCustom) {
            if (FImages && item->ImageIndex() >= 0)
                button->SetGlyph(FImages->Handle(), item->ImageIndex());
        } else {
            button->SetPNGName(GlyphResourceName(item->Style()));
        }
        button->SetHint(item->Hint());
        button->SetShowHint(!item->Hint().empty());
        button->SetTag(i);
        button->SetEnabled(item->Enabled());
        button->SetFlat(item->Flat());
        button->OnClick = [this](Component* sender) { ButtonClick(sender); };
    }
    for (int i = 0; i < count; ++i)
        if (FEditButtons->Items(i)->Position() == TButtonPosition::bpLeft)
            FEditButtons->Items(i)->Button()->SetParent(this);
    for (int i = count - 1; i >= 0; --i)
        if (FEditButtons->Items(i)->Position() == TButtonPosition::bpRight)
            FEditButtons->Items(i)->Button()->SetParent(this);
    FEdit->SetParent(this);
    FEdit->SetBounds(leftEdge, 0, FEdit->Width(), Height());
    FEdit->SetAlign(TAlign::alClient);
}

void TCustomMultiButtonEdit::ButtonClick(Component* Sender) {
    auto* button = dynamic_cast<TPNGSpeedButton*>(Sender);
    if (!button)
        return;
    const int index = button->Tag();
    switch (FEditButtons->Items(index)->Style()) {
    case TButtonStyle::bsClear:
        DoClickClear();
        break;
    case TButtonStyle::bsFind:
        DoClickFind();
        break;
    case TButtonStyle::bsOK:
        DoClickOK();
        break;
    case TButtonStyle::bsTrash:
        DoClickTrash();
        break;
    case TButtonStyle::bsAccept:
        DoClickAccept();
        break;
    case TButtonStyle::bsDeny:
        DoClickDeny();
        break;
    case TButtonStyle::bsClose:
        DoClickClose();
        break;
    case TButtonStyle::bsCopy:
        DoClickCopy();
        break;
    case TButtonStyle::bsPrevious:
        DoClickPrevious();
        break;
    case TButtonStyle::bsNext:
        DoClickNext();
        break;
    case TButtonStyle::bsUndo:
        DoClickUndo();
        break;
    case TButtonStyle::bsAdd:
        DoClickAdd();
        break;
    case TButtonStyle::bsSub:
        DoClickSub();
        break;
    case TButtonStyle::bsCustom:
        DoClickCustom(index);
        break;
    }
}

void TCustomMultiButtonEdit::DoClickCustom(int Index) {
    if (OnClickCustom)
        OnClickCustom(this, Index);
}
void TCustomMultiButtonEdit::DoClickSub() {
    Raise(OnClickSub);
}
void TCustomMultiButtonEdit::DoClickAdd() {
    Raise(OnClickAdd);
}
void TCustomMultiButtonEdit::DoClickFind() {
    Raise(OnClickFind);
}
void TCustomMultiButtonEdit::DoClickClear() {
    FEdit->SetText(u"");
    Raise(OnClickClear);
}
void TCustomMultiButtonEdit::DoClickOK() {
    Raise(OnClickOK);
}
void TCustomMultiButtonEdit::DoClickClose() {
    SetVisible(false);
    Raise(OnClickClose);
}
void TCustomMultiButtonEdit::DoClickCopy() {
    Raise(OnClickCopy);
    SetClipboardText(Handle(), FEdit->Text());
}
void TCustomMultiButtonEdit::DoClickAccept() {
    Raise(OnClickAccept);
}
void TCustomMultiButtonEdit::DoClickDeny() {
    Raise(OnClickDeny);
}
void TCustomMultiButtonEdit::DoClickTrash() {
    Raise(OnClickTrash);
    FEdit->SetText(u"");
}
void TCustomMultiButtonEdit::DoClickNext() {
    Raise(OnClickNext);
}
void TCustomMultiButtonEdit::DoClickPrevious() {
    Raise(OnClickPrevious);
}
void TCustomMultiButtonEdit::DoClickUndo() {
    Raise(OnClickUndo);
}

void TCustomMultiButtonEdit::EditChanged() {
    Raise(OnChange);
}
void TCustomMultiButtonEdit::EditKeyDown(WORD& Key, TShiftState Shift) {
    if (OnKeyDown)
        OnKeyDown(this, Key, Shift);
}
void TCustomMultiButtonEdit::EditKeyUp(WORD& Key, TShiftState Shift) {
    if (OnKeyUp)
        OnKeyUp(this, Key, Shift);
}
void TCustomMultiButtonEdit::EditKeyPress(char16_t& Key) {
    if (OnKeyPress)
        OnKeyPress(this, Key);
}
void TCustomMultiButtonEdit::EditEnter() {
    Raise(OnEnter);
}
void TCustomMultiButtonEdit::EditExit() {
    Raise(OnExit);
}
void TCustomMultiButtonEdit::EditDblClick() {
    Raise(OnDblClick);
}
void TCustomMultiButtonEdit::EditClick() {
    Raise(OnClick);
}

void TCustomMultiButtonEdit::SetImages(BitmapImageList* value) {
    if (value == FImages)
        return;
    FImages = value;
    if (FImages)
        FreeNotification(FImages);
    UpdateButtons();
}

void TCustomMultiButtonEdit::Notification(Component* component, TOperation operation) {
    WinControl::Notification(component, operation);
    if (operation == TOperation::opRemove && component == FImages)
        FImages = nullptr;
}

void TCustomMultiButtonEdit::SetBorderStyle(TBorderStyle value) {
    FBorderStyle = value;
    FEdit->SetBorderStyle(value);
}
void TCustomMultiButtonEdit::SetEditColor(TColor value) {
    FEditColor = value;
    FEdit->SetColor(value);
}
void TCustomMultiButtonEdit::SetCharCase(TEditCharCase value) {
    FCharCase = value;
    FEdit->SetCharCase(value);
}
void TCustomMultiButtonEdit::SetHideSelection(bool value) {
    FHideSelection = value;
    FEdit->SetHideSelection(value);
}
void TCustomMultiButtonEdit::SetMaxLength(int value) {
    FMaxLength = value;
    FEdit->SetMaxLength(value);
}
void TCustomMultiButtonEdit::SetReadOnly(bool value) {
    FReadOnly = value;
    FEdit->SetReadOnly(value);
}
void TCustomMultiButtonEdit::SetEmptyText(std::u16string value) {
    FEmptyText = value;
    FEdit->SetEmptyText(std::move(value));
}
void TCustomMultiButtonEdit::SetEmptyTextFocused(bool value) {
    FEmptyTextFocused = value;
    FEdit->SetEmptyTextFocused(value);
}

void TCustomMultiButtonEdit::SetEnabled(bool enabled) {
    WinControl::SetEnabled(enabled);
    FEdit->SetEnabled(enabled);
    for (int i = 0; i < FEditButtons->Count(); ++i)
        FEditButtons->Items(i)->Button()->SetEnabled(enabled);
}

void TCustomMultiButtonEdit::SetFont(const FontAttributes& attributes) {
    WinControl::SetFont(attributes);
    FEdit->SetFont(attributes);
}

LRESULT TCustomMultiButtonEdit::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SETFOCUS) {
        // The composite passes the focus on; its OnEnter comes from the edit's.
        FEdit->SetFocus();
        return 0;
    }
    return WinControl::WndProc(message, wParam, lParam);
}

} // namespace zel
