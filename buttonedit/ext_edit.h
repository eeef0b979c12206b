#pragma once
// TExtEdit: the one-line edit field, the platform's edit window (multi-line style, so that its
// formatting rectangle applies; single-line for passwords) with focus colours, a flat look,
// frames, a grey hint while empty, a wavy error marker, its own Return, Escape and Ctrl+A,
// an escape-undo to the text it had when it got the focus, and clipboard hooks.
//
// Keys go through stages before the edit window sees them: the special-key query (Escape and
// Return), the key-down stage, the character stage and the key-up stage. A handler that sets
// the key or the character to 0 swallows it.
#include "buttonedit/drop_target.h"
#include "buttonedit/edit_label.h"
#include "buttonedit/edit_persistence.h"
#include "buttonedit/edit_text.h"
#include "buttonedit/edit_types.h"
#include "buttonedit/label_placement.h"
#include "buttonedit/lookup_popup.h"
#include "buttonedit/lookup_settings.h"
#include "buttonedit/range_list.h"
#include "ui/com_ref.h"
#include "ui/control.h"
#include "ui/input_events.h"
#include "ui/locale_data.h"

#include <optional>
#include <string>

namespace zel {

class TExtEdit : public WinControl {
public:
    explicit TExtEdit(Component* owner);
    ~TExtEdit() override;

    static std::u16string Version();

    // The text between prefix and suffix; setting it shows prefix + value + suffix.
    std::u16string Text();
    void SetText(const std::u16string& value);
    // Sets the text and the text Escape returns to.
    void SetEditText(const std::u16string& value);
    const std::u16string& OrigText() const noexcept { return FOrigText; }
    bool Modified() const noexcept { return FModified; }
    void SetModified(bool value);
    bool IsError() const noexcept { return FIsError; }

    void SelectAll();
    TextRange Selection();
    void SetSelection(TextRange range);
    void Clear();
    // Applies the colour, border and flat settings as a form that configured the field does.
    void Init();
    // The form has set every property: Init, the stored text loaded, the label in place, the
    // lookup font scaled from 96 pixels per inch to the screen's. A field made by code (inside
    // a multi-button edit) never runs this step.
    void Loaded() override;
    virtual bool IsURL();
    virtual bool ValidateValue(const std::u16string& Text);
    // Pixel width of the text in the field's font.
    int GetTextSize();
    int CharFromPos(POINT point);
    POINT PosFromChar(int index);

    // Appearance.
    void SetColor(TColor color) override;
    TColor FocusColor() const noexcept { return FFocusColor; }
    void SetFocusColor(TColor value) { FFocusColor = value; }
    TColor FontColor() const noexcept { return FFontColor; }
    void SetFontColor(TColor value);
    TColor FocusFontColor() const noexcept { return FFocusFontColor; }
    void SetFocusFontColor(TColor value) { FFocusFontColor = value; }
    TEditAlign EditAlign() const noexcept { return FEditAlign; }
    void SetEditAlign(TEditAlign value);
    TEditAlign FocusAlign() const noexcept { return FFocusAlign; }
    void SetFocusAlign(TEditAlign value) { FFocusAlign = value; }
    int FocusWidthInc() const noexcept { return FFocusWidthInc; }
    void SetFocusWidthInc(int value) { FFocusWidthInc = value; }
    bool Flat() const noexcept { return FFlat; }
    void SetFlat(bool value);
    TColor FlatLineColor() const noexcept { return FFlatLineColor; }
    void SetFlatLineColor(TColor value);
    bool FlatParentColor() const noexcept { return FFlatParentColor; }
    void SetFlatParentColor(bool value) { FFlatParentColor = value; }
    bool SoftBorder() const noexcept { return FSoftBorder; }
    void SetSoftBorder(bool value);
    bool Border3D() const noexcept { return FBorder3D; }
    void SetBorder3D(bool value);
    TColor BorderColor() const noexcept { return FBorderColor; }
    void SetBorderColor(TColor value);
    bool FocusBorder() const noexcept { return FFocusBorder; }
    void SetFocusBorder(bool value) { FFocusBorder = value; }
    TColor FocusBorderColor() const noexcept { return FFocusBorderColor; }
    void SetFocusBorderColor(TColor value) { FFocusBorderColor = value; }
    TColor DisabledColor() const noexcept { return FDisabledColor; }
    void SetDisabledColor(TColor value) { FDisabledColor = value; }
    bool DisabledBorder() const noexcept { return FDisabledBorder; }
    void SetDisabledBorder(bool value) { FDisabledBorder = value; }
    bool Transparent() const noexcept { return FTransparent; }
    void SetTransparent(bool value);
    TBorderStyle BorderStyle() const noexcept { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle value);
    bool Ctl3D() const noexcept { return FCtl3D; }

    const std::u16string& EmptyText() const noexcept { return FEmptyText; }
    void SetEmptyText(std::u16string value);
    bool EmptyTextFocused() const noexcept { return FEmptyTextFocused; }
    void SetEmptyTextFocused(bool value);
    TFontStyles EmptyTextStyle() const noexcept { return FEmptyTextStyle; }
    void SetEmptyTextStyle(TFontStyles value);

    bool ShowError() const noexcept { return FShowError; }
    void SetShowError(bool value);
    TColor ErrorColor() const noexcept { return FErrorColor; }
    void SetErrorColor(TColor value) { FErrorColor = value; }
    TColor ErrorFontColor() const noexcept { return FErrorFontColor; }
    void SetErrorFontColor(TColor value) { FErrorFontColor = value; }
    int ErrorMarkerPos() const noexcept { return FErrorMarkerPos; }
    void SetErrorMarkerPos(int value);
    int ErrorMarkerLen() const noexcept { return FErrorMarkerLen; }
    void SetErrorMarkerLen(int value);
    bool ShowModified() const noexcept { return FShowModified; }
    void SetShowModified(bool value) { FShowModified = value; }
    TColor ModifiedColor() const noexcept { return FModifiedColor; }
    void SetModifiedColor(TColor value) { FModifiedColor = value; }
    bool ShowURL() const noexcept { return FShowURL; }
    void SetShowURL(bool value);
    TColor URLColor() const noexcept { return FURLColor; }
    void SetURLColor(TColor value) { FURLColor = value; }
    bool HintShowLargeText() const noexcept { return FHintShowLargeText; }
    void SetHintShowLargeText(bool value) { FHintShowLargeText = value; }

    // Behaviour.
    bool EditorEnabled() const noexcept { return FEditorEnabled; }
    void SetEditorEnabled(bool value) { FEditorEnabled = value; }
    bool CanUndo() const noexcept { return FCanUndo; }
    void SetCanUndo(bool value);
    bool ReturnIsTab() const noexcept { return FReturnIsTab; }
    void SetReturnIsTab(bool value) { FReturnIsTab = value; }
    bool AutoSelect() const noexcept { return FAutoSelect; }
    void SetAutoSelect(bool value) { FAutoSelect = value; }
    bool AutoFocus() const noexcept { return FAutoFocus; }
    void SetAutoFocus(bool value) { FAutoFocus = value; }
    bool DefaultHandling() const noexcept { return FDefaultHandling; }
    uint16_t ReturnAsTabKey() const noexcept { return FReturnAsTabKey; }
    void SetReturnAsTabKey(uint16_t value) { FReturnAsTabKey = value; }
    int MaxLength() const noexcept { return FMaxLength; }
    void SetMaxLength(int value);
    bool ReadOnly() const noexcept { return FReadOnly; }
    void SetReadOnly(bool value);
    TEditCharCase CharCase() const noexcept { return FCharCase; }
    void SetCharCase(TEditCharCase value);
    bool HideSelection() const noexcept { return FHideSelection; }
    void SetHideSelection(bool value);
    char16_t PasswordChar() const noexcept { return FPasswordChar; }
    void SetPasswordChar(char16_t value);

    // Typed input: the kind of text the field takes and the settings of the number kinds.
    TExtEditType EditType() const noexcept { return FEditType; }
    void SetEditType(TExtEditType value);
    const TTypedInputSettings& TypedInput() const noexcept { return FTyped; }
    int16_t Precision() const noexcept { return FTyped.Precision; }
    void SetPrecision(int16_t value);
    TPrecisionDisplay PrecisionDisplay() const noexcept { return FTyped.PrecisionDisplay; }
    void SetPrecisionDisplay(TPrecisionDisplay value);
    bool Signed() const noexcept { return FTyped.Signed; }
    void SetSigned(bool value) { FTyped.Signed = value; }
    bool AllowNumericNullValue() const noexcept { return FTyped.AllowNumericNullValue; }
    void SetAllowNumericNullValue(bool value) { FTyped.AllowNumericNullValue = value; }
    bool AutoThousandSeparator() const noexcept { return FTyped.AutoThousandSeparator; }
    void SetAutoThousandSeparator(bool value);
    bool ExcelStyleDecimalSeparator() const noexcept { return FTyped.ExcelStyleDecimalSeparator; }
    void SetExcelStyleDecimalSeparator(bool value) { FTyped.ExcelStyleDecimalSeparator = value; }
    int16_t LengthLimit() const noexcept { return FTyped.LengthLimit; }
    void SetLengthLimit(int16_t value) { FTyped.LengthLimit = value; }
    bool TabOnFullLength() const noexcept { return FTyped.TabOnFullLength; }
    void SetTabOnFullLength(bool value) { FTyped.TabOnFullLength = value; }
    int32_t MinValue() const noexcept { return FTyped.MinValue; }
    void SetMinValue(int32_t value) { FTyped.MinValue = value; }
    int32_t MaxValue() const noexcept { return FTyped.MaxValue; }
    void SetMaxValue(int32_t value) { FTyped.MaxValue = value; }
    double MinFloatValue() const noexcept { return FTyped.MinFloatValue; }
    void SetMinFloatValue(double value) { FTyped.MinFloatValue = value; }
    double MaxFloatValue() const noexcept { return FTyped.MaxFloatValue; }
    void SetMaxFloatValue(double value) { FTyped.MaxFloatValue = value; }
    const std::u16string& ValidChars() const noexcept { return FTyped.ValidChars; }
    void SetValidChars(std::u16string value) { FTyped.ValidChars = std::move(value); }
    const std::u16string& InvalidChars() const noexcept { return FTyped.InvalidChars; }
    void SetInvalidChars(std::u16string value) { FTyped.InvalidChars = std::move(value); }
    const std::u16string& Prefix() const noexcept { return FTyped.Prefix; }
    void SetPrefix(std::u16string value);
    const std::u16string& Suffix() const noexcept { return FTyped.Suffix; }
    void SetSuffix(std::u16string value);
    // The separators and cases of the user's locale, read at creation; tests set their own.
    const LocaleData& Locale() const noexcept { return FLocale; }
    void SetLocale(LocaleData value) { FLocale = std::move(value); }

    // The text as a number of the field's kind; setting one writes it as the kind shows it.
    double FloatValue();
    void SetFloatValue(double value);
    int IntValue();
    void SetIntValue(int value);
    // Put the caret before or after the decimal separator (behind the prefix without one).
    void SelectBeforeDecimal();
    void SelectAfterDecimal();
    // Reads the text into the list (false when a part does not convert); writes the list,
    // sorted, as the text.
    bool RangeStrToList(TRangeList& List);
    void ListToRangeStr(TRangeList& List);

    // The lookup list (ext_edit_lookup.cpp): after each typed character the display texts that
    // match the word being typed show in a popup below it, without taking the focus.
    TLookupSettings& Lookup() noexcept { return FLookup; }
    // Matches anywhere in a display text instead of at its start.
    bool FullTextSearch() const noexcept { return FFullTextSearch; }
    void SetFullTextSearch(bool value) { FFullTextSearch = value; }
    bool LookupVisible() const;
    TListHintWindow& LookupWindow() noexcept { return *FLookupWindow; }
    TLookupNeedDataEvent OnLookupNeedData;
    TLookupSelectEvent OnLookupSelect;
    TLookupIndexSelectEvent OnLookupIndexSelect;

    // Persistence (ext_edit_persist.cpp): with Persistence.Enable the window text is stored
    // under the field's Name when its window goes and read back in the Loaded step (when a
    // Section is set); with a lookup history, the history too.
    TPersistence& Persistence() noexcept { return FPersistence; }
    virtual void LoadPersist();
    virtual void SavePersist();

    // OLE drag and drop (ext_edit_ole.cpp). With OleDropSource a press into the selection and
    // a move drag the selected text out (a copy, or with the drop a move); with OleDropTarget
    // the field takes dropped Unicode text at the character under the mouse, and file lists
    // without doing anything with them.
    bool OleDropSource() const noexcept { return FOleDropSource; }
    void SetOleDropSource(bool value) { FOleDropSource = value; }
    bool OleDropTarget() const noexcept { return FOleDropTarget; }
    void SetOleDropTarget(bool value);
    // The target the field registers; null until OleDropTarget is first set.
    IDropTarget* DropTarget() const noexcept { return FDropTarget.get(); }
    // What the drop target asks of the field: the drop caret at the character under a screen
    // point, and the dropped text there.
    void ShowDropCaret(POINT screen);
    void HideDropCaret();
    void DropText(const std::u16string& text, POINT screen, bool copy);
    // The character the drop caret stands before, -1 for none.
    int DropCaret() const noexcept { return FDropCaret; }

    // The caption label (ext_edit_label.cpp): made on the first caption, placed beside the field
    // in its parent, shown, hidden and enabled with it.
    const std::u16string& LabelCaption() const noexcept { return FLabelCaption; }
    void SetLabelCaption(std::u16string value);
    TLabelPosition LabelPosition() const noexcept { return FLabelPosition; }
    void SetLabelPosition(TLabelPosition value);
    int LabelMargin() const noexcept { return FLabelMargin; }
    void SetLabelMargin(int value);
    bool LabelTransparent() const noexcept { return FLabelTransparent; }
    void SetLabelTransparent(bool value);
    bool LabelAlwaysEnabled() const noexcept { return FLabelAlwaysEnabled; }
    void SetLabelAlwaysEnabled(bool value);
    // Until it is set, the label shows in the field's font.
    const FontAttributes& LabelFont() noexcept;
    void SetLabelFont(const FontAttributes& value);
    // The label turns bold while the field has the focus.
    bool FocusLabel() const noexcept { return FFocusLabel; }
    void SetFocusLabel(bool value) { FFocusLabel = value; }
    TEditLabel* EditLabel() const noexcept { return FEditLabel; }
    TNotifyEvent OnLabelClick;
    TNotifyEvent OnLabelDblClick;

    TNotifyEvent OnChange;
    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;
    TClipboardEvent OnClipboardCopy;
    TClipboardEvent OnClipboardCut;
    TClipboardEvent OnClipboardPaste;
    TClipboardAllowEvent OnClipboardCanPaste;
    TURLClickEvent OnURLClick;
    TValueValidateEvent OnValueValidate;

protected:
    void FillCreateParams(CreateParams& params) override;
    void HandleCreated() override;
    void BoundsChanged() override;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void CommandNotify(WORD code) override;
    HBRUSH BackgroundBrush(HDC dc) override;
    // With HintShowLargeText, a text wider than the field is its hint, at the client origin.
    HintInfo HintFor(POINT client) override;

    // Raises OnChange; then, with ShowError, re-validates.
    virtual void Change();
    virtual void DoValueValidate(const std::u16string& Text, bool& IsValid);
    // Raises OnLookupNeedData, with which a program may fill or change the rows.
    virtual void DoLookupNeedData(const std::u16string& Value, std::vector<TLookupEntry>& Items,
                                  int& ItemIndex);

public:
    void SetParent(WinControl* parent) override;
    void SetVisible(bool visible) override;
    void SetEnabled(bool enabled) override;
    void SetFont(const FontAttributes& attributes) override;

private:
    std::u16string WindowText();
    void SetWindowTextKeepingNotifications(const std::u16string& text);
    void TextChanged();
    void UpdateTextRect(bool flat);
    void RecreateWindow();
    void ApplyFlat();
    void ApplyFrameStyle();
    void ApplyErrorColors();
    void WidthNudge();
    bool Themed() const noexcept { return FIsThemed; }
    bool HasFocus() const;

    // Typed input (ext_edit_typed.cpp). The value lies between prefix and suffix; selections
    // of the value count from its start.
    TextRange ValueRange();
    TextRange ValueSelection();
    void KeepSelectionInValue();
    // The window shows prefix + value + suffix: with the value's selection, or keeping
    // Modified, or as a number set by the program (Modified).
    void ShowValue(const std::u16string& value, TextRange selection);
    void ShowValueText(const std::u16string& value);
    void ShowNumber(const std::u16string& text);
    void ReplaceAffix(std::u16string& affix, std::u16string value);
    void PutCaretAtDecimal(int behind);
    // A typed character by the kind's rules: false when it was refused or applied here.
    bool TypedCharacter(char16_t& key);
    bool BackspaceAllowed();
    bool DeleteAllowed();
    // TabOnFullLength: after a character, and after a paste.
    void MoveOnWhenFull();
    void PasteMovesOn();
    void MoveFocusOn();
    void RegroupMoney();
    void TidyOnExit();
    void ResetValue();
    bool ValueWithinTypedLimits(const std::u16string& text);
    std::u16string TypedText(const std::u16string& value);
    // The window text a paste leaves for the kind, none when the paste does not belong.
    std::optional<std::u16string> TypedPaste(const std::u16string& windowText);

    // The lookup list: shown anew after a change of the text, moved and accepted by keys.
    void BindLookupList();
    void UpdateLookup();
    void HideLookup();
    bool LookupKey(WORD key);
    void AcceptLookup();
    void AddLookupHistory();

    // OLE: the target registered while the window exists, the drag of the selection.
    void RegisterDropTarget();
    void RevokeDropTarget();
    void StartOleDrag();
    void PaintDropCaret(HDC dc);
    // The window goes: revoke the drop target, store the text.
    void WindowGoing();

    // The label: its size, its font (bold while focused with FocusLabel) and its place.
    LabelExtent LabelSize();
    void ApplyLabelFont(bool focused);
    void PlaceLabel();
    // An aligned field leaves room for its label.
    void LeaveRoomForLabel();

    // The key messages, each running its stage around the edit window's handling.
    LRESULT KeyDownMessage(WORD key, LPARAM lParam);
    LRESULT CharMessage(char16_t key, LPARAM lParam);
    LRESULT KeyUpMessage(WORD key, LPARAM lParam);
    void ApplyFocusAlign();
    // The stages of a key, in the order the platform delivers them.
    bool WantSpecialKey(WORD key);
    bool KeyDownStage(WORD& key);
    bool CharStage(char16_t& key);
    void KeyUpStage(WORD& key);
    void FocusGained();
    void FocusLost(HWND gaining);
    bool LeftButtonDown(LPARAM lParam);
    void LeftButtonUp(LPARAM lParam);
    void MouseMoved();
    void MouseLeft();
    void Paste();
    void Cut();
    bool Copy();

    // Painting over what the edit window painted.
    void PaintExtras();
    void PaintFlatLine(HDC dc);
    void PaintEmptyText(HDC dc);
    void PaintErrorMarker(HDC dc);
    void PaintFrame();
    bool FrameInPlay() const;
    void EraseTransparent(HDC dc);

    std::u16string FOrigText;
    std::u16string FLastReported; // text of the last change event: a repeat raises none
    std::u16string FEmptyText;
    TTypedInputSettings FTyped;
    ComRef<TEditDropTarget> FDropTarget;
    bool FOleDropSource = false;
    bool FOleDropTarget = false;
    bool FDropTargetRegistered = false;
    bool FDragSource = false; // a drag of this field's text is under way
    int FDropCaret = -1;
    TLookupSettings FLookup;
    TPersistence FPersistence;
    TListHintWindow* FLookupWindow; // owned as a component
    bool FFullTextSearch = false;
    TEditLabel* FEditLabel = nullptr; // owned as a component
    std::u16string FLabelCaption;
    std::optional<FontAttributes> FLabelFont;
    TLabelPosition FLabelPosition = TLabelPosition::lpLeftTop;
    int FLabelMargin = 4;
    bool FLabelTransparent = false;
    bool FLabelAlwaysEnabled = false;
    bool FFocusLabel = false;
    LocaleData FLocale;
    TExtEditType FEditType = TExtEditType::etString;
    TEditAlign FEditAlign = TEditAlign::eaLeft;
    TEditAlign FFocusAlign = TEditAlign::eaDefault;
    TEditAlign FSavedAlign = TEditAlign::eaLeft;
    TEditCharCase FCharCase = TEditCharCase::ecNormal;
    TBorderStyle FBorderStyle = TBorderStyle::bsSingle;
    TBorderStyle FOldBorderStyle = TBorderStyle::bsSingle;
    TFontStyles FEmptyTextStyle = 0;
    TColor FNormalColor = clWindow;
    TColor FFontColor = clWindowText;
    TColor FNormalFontColor = clWindowText;
    TColor FFocusColor = clNone;
    TColor FFocusFontColor = clWindowText;
    TColor FFlatLineColor = 0x000000;
    TColor FBorderColor = clNone;
    TColor FFocusBorderColor = clNone;
    TColor FDisabledColor = 0xC0C0C0;
    TColor FErrorColor = 0x0000FF;
    TColor FErrorFontColor = 0xFFFFFF;
    TColor FModifiedColor = clHighlight;
    TColor FURLColor = 0xFF0000;
    int FFocusWidthInc = 0;
    int FErrorMarkerPos = 0;
    int FErrorMarkerLen = 0;
    int FMaxLength = 0;
    uint16_t FReturnAsTabKey = VK_TAB;
    char16_t FPasswordChar = 0;
    bool FEditorEnabled = true;
    bool FCanUndo = true;
    bool FReturnIsTab = false;
    bool FAutoSelect = true;
    bool FAutoFocus = false;
    bool FFlat = false;
    bool FFlatParentColor = true;
    bool FSoftBorder = false;
    bool FBorder3D = false;
    bool FFocusBorder = false;
    bool FDisabledBorder = true;
    bool FTransparent = false;
    bool FEmptyTextFocused = false;
    bool FShowError = false;
    bool FShowModified = false;
    bool FShowURL = false;
    bool FHintShowLargeText = false;
    bool FReadOnly = false;
    bool FHideSelection = true;
    bool FCtl3D = true;
    const bool FDefaultHandling = true;
    // Run-time state.
    bool FModified = false;
    bool FIsError = false;
    bool FGotReturn = false;
    bool FMouseInControl = false;
    bool FButtonDown = false;
    bool FAlignChanging = false;
    bool FIsURLShown = false;
    bool FValidating = false;
    bool FInsideCut = false;
    bool FExcelDecimalKey = false; // the numeric keypad's decimal key is down
    bool FIsThemed = false;
};

} // namespace zel
