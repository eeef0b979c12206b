#pragma once
// TMultiButtonEdit: an edit field (TExtEdit) with a row of flat glyph buttons docked at its
// left and right edges. A button's style decides its glyph and what a click does; the edit's
// events are raised again under the composite's name, with the composite as Sender and the
// key arguments passed through by reference.
#include "buttonedit/edit_buttons.h"
#include "buttonedit/ext_edit.h"
#include "ui/control.h"
#include "ui/image_list.h"

#include <memory>

namespace zel {

using TButtonClickEvent = std::function<void(Component* Sender, int Index)>;

class TCustomMultiButtonEdit : public WinControl {
public:
    explicit TCustomMultiButtonEdit(Component* owner);
    ~TCustomMultiButtonEdit() override;

    static std::u16string Version();

    TExtEdit& Edit() noexcept { return *FEdit; }
    TEditButtons& Buttons() noexcept { return *FEditButtons; }
    BitmapImageList* Images() const noexcept { return FImages; }
    void SetImages(BitmapImageList* value);

    std::u16string Text() { return FEdit->Text(); }
    void SetText(const std::u16string& value) { FEdit->SetText(value); }
    TBorderStyle BorderStyle() const noexcept { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle value);
    TColor EditColor() const noexcept { return FEditColor; }
    void SetEditColor(TColor value);
    TEditCharCase CharCase() const noexcept { return FCharCase; }
    void SetCharCase(TEditCharCase value);
    bool HideSelection() const noexcept { return FHideSelection; }
    void SetHideSelection(bool value);
    int MaxLength() const noexcept { return FMaxLength; }
    void SetMaxLength(int value);
    bool ReadOnly() const noexcept { return FReadOnly; }
    void SetReadOnly(bool value);
    const std::u16string& EmptyText() const noexcept { return FEmptyText; }
    void SetEmptyText(std::u16string value);
    bool EmptyTextFocused() const noexcept { return FEmptyTextFocused; }
    void SetEmptyTextFocused(bool value);

    void SetEnabled(bool enabled) override;
    void SetFont(const FontAttributes& attributes) override;

    // Docks every button in collection order and gives the edit the rest; a button's tag
    // becomes its index. Runs once the window exists and after every change of the buttons.
    void UpdateButtons();

    TNotifyEvent OnClickOK;
    TButtonClickEvent OnClickCustom;
    TNotifyEvent OnClickClear;
    TNotifyEvent OnClickFind;
    TNotifyEvent OnClickDeny;
    TNotifyEvent OnClickClose;
    TNotifyEvent OnClickTrash;
    TNotifyEvent OnClickAccept;
    TNotifyEvent OnClickCopy;
    TNotifyEvent OnClickPrevious;
    TNotifyEvent OnClickNext;
    TNotifyEvent OnClickUndo;
    TNotifyEvent OnChange;
    TNotifyEvent OnClickAdd;
    TNotifyEvent OnClickSub;
    TNotifyEvent OnDblClick;
    TNotifyEvent OnClick;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;

protected:
    // The common click handler of the speed buttons: runs the clicked button's style action.
    virtual void ButtonClick(Component* Sender);
    virtual void DoClickCustom(int Index);
    virtual void DoClickSub();
    virtual void DoClickAdd();
    virtual void DoClickFind();
    virtual void DoClickClear();
    virtual void DoClickOK();
    virtual void DoClickClose();
    virtual void DoClickCopy();
    virtual void DoClickAccept();
    virtual void DoClickDeny();
    virtual void DoClickTrash();
    virtual void DoClickNext();
    virtual void DoClickPrevious();
    virtual void DoClickUndo();
    virtual void EditChanged();
    virtual void EditKeyDown(WORD& Key, TShiftState Shift);
    virtual void EditKeyUp(WORD& Key, TShiftState Shift);
    virtual void EditKeyPress(char16_t& Key);
    virtual void EditEnter();
    virtual void EditExit();
    virtual void EditDblClick();
    virtual void EditClick();
    virtual std::unique_ptr<TEditButtons> CreateEditButtons();

    void HandleCreated() override;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Notification(Component* component, TOperation operation) override;

private:
    void Raise(const TNotifyEvent& event) {
        if (event)
            event(this);
    }
    void BindEditEvents();

    TExtEdit* FEdit; // owned as a component
    std::unique_ptr<TEditButtons> FEditButtons;
    BitmapImageList* FImages = nullptr; // not owned: cleared when it goes
    TBorderStyle FBorderStyle = TBorderStyle::bsSingle;
    TColor FEditColor = clWindow;
    TEditCharCase FCharCase = TEditCharCase::ecNormal;
    bool FHideSelection = true;
    int FMaxLength = 0;
    bool FReadOnly = false;
    std::u16string FEmptyText;
    bool FEmptyTextFocused = false;
};

// Publishes the buttons and their click events; adds no behaviour.
class TMultiButtonEdit : public TCustomMultiButtonEdit {
public:
    using TCustomMultiButtonEdit::TCustomMultiButtonEdit;
};

} // namespace zel
