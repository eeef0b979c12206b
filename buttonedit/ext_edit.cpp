#include "buttonedit/ext_edit.h"

#include "core/version_text.h"
#include "ui/application.h"
#include "ui/clipboard.h"
#include "ui/shell.h"
#include "ui/themes.h"
#include "ui/unique_handle.h"
#include "ui/user_locale.h"
#include "ui/wide.h"

#include <windowsx.h>

#include <algorithm>

namespace zel {

namespace {

constexpr uint32_t kVersionNr = 50529793; // 3.3.6.1
constexpr COLORREF kHintGrey = RGB(0x80, 0x80, 0x80);
constexpr COLORREF kSilver = RGB(0xC0, 0xC0, 0xC0);
constexpr COLORREF kErrorRed = RGB(0xFF, 0x00, 0x00);
// Posted to the field itself: switch to the focus alignment once the focus change is over,
// as it re-creates the window.
constexpr UINT kApplyFocusAlign = WM_APP + 0x41;

constexpr char16_t kCtrlA = 0x01, kCtrlC = 0x03, kCtrlV = 0x16, kCtrlX = 0x18, kCtrlZ = 0x1A,
                   kLineFeed = 0x0A;

bool CtrlHeld() {
    return ::GetKeyState(VK_CONTROL) < 0;
}

void FrameWith(HDC dc, RECT r, COLORREF color, int thickness) {
    UniqueBrush brush(::CreateSolidBrush(color));
    for (int i = 0; i < thickness; ++i) {
        ::FrameRect(dc, &r, brush.get());
        ::InflateRect(&r, -1, -1);
    }
}

void Polyline(HDC dc, const std::vector<Point>& points, COLORREF color) {
    UniquePen pen(::CreatePen(PS_SOLID, 1, color));
    SelectGuard selected(dc, pen.get());
    ::MoveToEx(dc, points.front().X, points.front().Y, nullptr);
    for (size_t i = 1; i < points.size(); ++i)
        ::LineTo(dc, points[i].X, points[i].Y);
}

} // namespace

TExtEdit::TExtEdit(Component* owner) : WinControl(owner), FLocale(UserLocaleData()) {
    SetTabStop(true);
    WinControl::SetColor(clWindow);
    SetBounds(0, 0, 121, 21);
    FLookupWindow = Make<TListHintWindow>();
    BindLookupList();
}

TExtEdit::~TExtEdit() {
    // The window outlives this object's own part when the field goes before it. A failure to
    // store the text is reported: nothing may leave a destructor.
    try {
        if (HandleAllocated())
            WindowGoing();
    } catch (...) {
        Application::Instance().HandleException();
    }
    if (FDropTarget)
        FDropTarget->Detach();
    // The popup outlives this object's own part: its list may report nothing to it any more.
    FLookupWindow->List().OnKeyDown = nullptr;
    FLookupWindow->List().OnMouseUp = nullptr;
}

std::u16string TExtEdit::Version() {
    return VersionText(kVersionNr);
}

// ---- Window ------------------------------------------------------------------------------

void TExtEdit::FillCreateParams(CreateParams& params) {
    params.ClassName = L"EDIT";
    params.SystemClass = true;
    params.Style |= ES_AUTOHSCROLL;
    params.Style |= FEditType == TExtEditType::etPassword ? ES_PASSWORD : ES_MULTILINE;
    if (FEditAlign == TEditAlign::eaRight)
        params.Style |= ES_RIGHT;
    else if (FEditAlign == TEditAlign::eaCenter)
        params.Style |= ES_CENTER;
    if (FReadOnly)
        params.Style |= ES_READONLY;
    if (!FHideSelection)
        params.Style |= ES_NOHIDESEL;
    if (FCharCase == TEditCharCase::ecUpperCase)
        params.Style |= ES_UPPERCASE;
    else if (FCharCase == TEditCharCase::ecLowerCase)
        params.Style |= ES_LOWERCASE;
    if (FBorderStyle == TBorderStyle::bsSingle)
        params.ExStyle |= FCtl3D ? WS_EX_CLIENTEDGE : 0;
    if (FBorderStyle == TBorderStyle::bsSingle && !FCtl3D)
        params.Style |= WS_BORDER;
}

void TExtEdit::HandleCreated() {
    FIsThemed = PlatformSupportsThemes();
    HWND window = HandleIfAllocated();
    ::SendMessageW(window, EM_LIMITTEXT, static_cast<WPARAM>(std::max(FMaxLength, 0)), 0);
    if (FPasswordChar)
        ::SendMessageW(window, EM_SETPASSWORDCHAR, FPasswordChar, 0);
    FLastReported = WindowText();
    UpdateTextRect(FFlat);
    PlaceLabel();
    RegisterDropTarget();
    FIsError = !ValidateValue(Text());
    ApplyErrorColors();
}

void TExtEdit::RecreateWindow() {
    if (!HandleAllocated())
        return;
    const bool focused = ::GetFocus() == HandleIfAllocated();
    const TextRange selection = Selection();
    SetCaption(WindowText());
    RevokeDropTarget();
    DestroyHandle();
    Handle();
    SetSelection(selection);
    if (focused)
        SetFocus();
}

void TExtEdit::UpdateTextRect(bool flat) {
    HWND window = HandleIfAllocated();
    if (!window)
        return;
    RECT client{};
    ::GetClientRect(window, &client);
    const int points = (GetFont().Attributes().Face.Height * 72 + 48) / 96;
    Rect r = TextRectFor(client.right, client.bottom, points, FCtl3D, flat);
    RECT rect{r.Left, r.Top, r.Right, r.Bottom};
    ::SendMessageW(window, EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&rect));
}

void TExtEdit::BoundsChanged() {
    LeaveRoomForLabel();
    WinControl::BoundsChanged();
    PlaceLabel();
    UpdateTextRect(FFlat);
}

HBRUSH TExtEdit::BackgroundBrush(HDC dc) {
    ::SetTextColor(dc, ColorToRGB(FFontColor));
    if (FTransparent) {
        ::SetBkMode(dc, TRANSPARENT);
        return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
    }
    HBRUSH brush = WinControl::BackgroundBrush(dc);
    ::SetBkMode(dc, OPAQUE);
    ::SetBkColor(dc, ColorToRGB(Color()));
    return brush;
}

HintInfo TExtEdit::HintFor(POINT client) {
    if (FHintShowLargeText && GetTextSize() > Width())
        return {WindowText(), POINT{0, 0}};
    return WinControl::HintFor(client);
}

// ---- Text --------------------------------------------------------------------------------

std::u16string TExtEdit::WindowText() {
    HWND window = HandleIfAllocated();
    if (!window)
        return Caption();
    std::u16string text(static_cast<size_t>(::GetWindowTextLengthW(window)) + 1, u'\0');
    const int length =
        ::GetWindowTextW(window, reinterpret_cast<wchar_t*>(text.data()), int(text.size()));
    text.resize(static_cast<size_t>(std::max(length, 0)));
    return text;
}

std::u16string TExtEdit::Text() {
    return TextWithoutAffixes(WindowText(), FTyped.Prefix, FTyped.Suffix);
}

void TExtEdit::SetWindowTextKeepingNotifications(const std::u16string& text) {
    SetCaption(text);
    // A multi-line edit window does not report a text set by the program: report it here.
    TextChanged();
}

void TExtEdit::SetText(const std::u16string& value) {
    // The same text again leaves the window alone, so that the caret stays where it is.
    if (std::u16string text = FTyped.Prefix + TypedText(value) + FTyped.Suffix;
        text != WindowText())
        SetCaption(std::move(text));
    SetModified(false);
    if (FShowURL)
        FIsURLShown = IsURL();
    TextChanged();
}

void TExtEdit::SetEditText(const std::u16string& value) {
    FOrigText = value;
    SetText(value);
}

void TExtEdit::SetModified(bool value) {
    if (FReadOnly)
        return;
    if (FShowModified)
        SetFontColor(value ? FModifiedColor : FNormalFontColor);
    if (HWND window = HandleIfAllocated())
        ::SendMessageW(window, EM_SETMODIFY, value, 0);
    FModified = value;
}

void TExtEdit::Clear() {
    SetText(u"");
}

void TExtEdit::SelectAll() {
    SetSelection(SelectAllRange(WindowText(), static_cast<int>(FTyped.Prefix.size()),
                                static_cast<int>(FTyped.Suffix.size()), FShowURL));
}

TextRange TExtEdit::Selection() {
    DWORD start = 0, end = 0;
    if (HWND window = HandleIfAllocated())
        ::SendMessageW(window, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                       reinterpret_cast<LPARAM>(&end));
    return {static_cast<int>(start), static_cast<int>(end)};
}

void TExtEdit::SetSelection(TextRange range) {
    if (HWND window = HandleIfAllocated())
        ::SendMessageW(window, EM_SETSEL, static_cast<WPARAM>(range.Start),
                       static_cast<LPARAM>(range.End));
}

bool TExtEdit::IsURL() {
    return IsURLText(Text());
}

bool TExtEdit::ValidateValue(const std::u16string& text) {
    if (FValidating)
        return true;
    FValidating = true;
    bool valid = ValueWithinTypedLimits(text);
    try {
        DoValueValidate(text, valid);
    } catch (...) {
        FValidating = false;
        throw;
    }
    FValidating = false;
    return valid;
}

void TExtEdit::DoValueValidate(const std::u16string& text, bool& IsValid) {
    if (HandleAllocated() && OnValueValidate)
        OnValueValidate(this, text, IsValid);
}

int TExtEdit::GetTextSize() {
    const std::u16string text = WindowText();
    WindowDC dc(Handle());
    SelectGuard font(dc.get(), GetFont().Handle());
    SIZE size{};
    ::GetTextExtentPoint32W(dc.get(), W(text), static_cast<int>(text.size()), &size);
    return size.cx;
}

int TExtEdit::CharFromPos(POINT point) {
    LRESULT answer = ::SendMessageW(Handle(), EM_CHARFROMPOS, 0, MAKELPARAM(point.x, point.y));
    return LOWORD(answer);
}

POINT TExtEdit::PosFromChar(int index) {
    const std::u16string text = WindowText();
    const int length = static_cast<int>(text.size());
    const bool pastEnd = index >= length && length > 0;
    LRESULT answer = ::SendMessageW(Handle(), EM_POSFROMCHAR,
                                    static_cast<WPARAM>(pastEnd ? length - 1 : index), 0);
    POINT point{GET_X_LPARAM(answer), GET_Y_LPARAM(answer)};
    if (pastEnd) {
        // The platform answers nothing for the place behind the last character.
        WindowDC dc(Handle());
        SelectGuard font(dc.get(), GetFont().Handle());
        SIZE size{};
        ::GetTextExtentPoint32W(dc.get(), W(text) + length - 1, 1, &size);
        point.x += size.cx;
    }
    return point;
}

void TExtEdit::TextChanged() {
    RegroupMoney();
    std::u16string text = WindowText();
    // Typing over a whole selection may be reported twice, or a text set by the program once by
    // us and once by the window: only a text that differs from the last one reported counts.
    if (text == FLastReported)
        return;
    // The edit window repaints only what it changed: the hint goes or comes over the whole field.
    if (!FEmptyText.empty() && text.empty() != FLastReported.empty())
        Invalidate();
    FLastReported = std::move(text);
    if (FTransparent)
        Invalidate();
    if (FShowURL)
        FIsURLShown = IsURL();
    Change();
}

void TExtEdit::Change() {
    if (OnChange)
        OnChange(this);
    if (FShowError) {
        FIsError = !ValidateValue(Text());
        ApplyErrorColors();
    }
}

void TExtEdit::CommandNotify(WORD code) {
    if (code == EN_CHANGE)
        TextChanged();
}

// ---- Settings ----------------------------------------------------------------------------

void TExtEdit::SetColor(TColor color) {
    FNormalColor = color;
    WinControl::SetColor(color);
}

void TExtEdit::SetFontColor(TColor value) {
    FFontColor = value;
    Invalidate();
}

void TExtEdit::SetEditAlign(TEditAlign value) {
    if (value == FEditAlign)
        return;
    FEditAlign = value;
    RecreateWindow();
}

void TExtEdit::SetFlat(bool value) {
    if (value == FFlat)
        return;
    FFlat = value;
    ApplyFlat();
}

void TExtEdit::ApplyFlat() {
    if (FFlat) {
        FNormalColor = Color();
        if (FFlatParentColor && Parent())
            WinControl::SetColor(Parent()->Color());
        FOldBorderStyle = FBorderStyle;
        FBorderStyle = TBorderStyle::bsNone;
    } else {
        WinControl::SetColor(FNormalColor);
        FBorderStyle = FOldBorderStyle;
    }
    ApplyFrameStyle();
    UpdateTextRect(FFlat);
    Invalidate();
}

void TExtEdit::SetBorderStyle(TBorderStyle value) {
    if (value == FBorderStyle)
        return;
    FBorderStyle = value;
    ApplyFrameStyle();
}

void TExtEdit::ApplyFrameStyle() {
    HWND window = HandleIfAllocated();
    if (!window)
        return;
    LONG_PTR ex = ::GetWindowLongPtrW(window, GWL_EXSTYLE) & ~LONG_PTR(WS_EX_CLIENTEDGE);
    LONG_PTR style = ::GetWindowLongPtrW(window, GWL_STYLE) & ~LONG_PTR(WS_BORDER);
    if (FBorderStyle == TBorderStyle::bsSingle) {
        if (FCtl3D)
            ex |= WS_EX_CLIENTEDGE;
        else
            style |= WS_BORDER;
    }
    ::SetWindowLongPtrW(window, GWL_EXSTYLE, ex);
    ::SetWindowLongPtrW(window, GWL_STYLE, style);
    ::SetWindowPos(window, nullptr, 0, 0, 0, 0,
                   SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    UpdateTextRect(FFlat);
}

void TExtEdit::SetFlatLineColor(TColor value) {
    FFlatLineColor = value;
    Invalidate();
}
void TExtEdit::SetSoftBorder(bool value) {
    FSoftBorder = value;
    Invalidate();
}
void TExtEdit::SetBorder3D(bool value) {
    FBorder3D = value;
    PaintFrame();
}
void TExtEdit::SetBorderColor(TColor value) {
    FBorderColor = value;
    PaintFrame();
}
void TExtEdit::SetTransparent(bool value) {
    FTransparent = value;
    Invalidate();
}

void TExtEdit::SetEmptyText(std::u16string value) {
    FEmptyText = std::move(value);
    Invalidate();
}
void TExtEdit::SetEmptyTextFocused(bool value) {
    FEmptyTextFocused = value;
    Invalidate();
}
void TExtEdit::SetEmptyTextStyle(TFontStyles value) {
    FEmptyTextStyle = value;
    Invalidate();
}

void TExtEdit::SetShowError(bool value) {
    FShowError = value;
    FIsError = !ValidateValue(Text());
    ApplyErrorColors();
}

void TExtEdit::ApplyErrorColors() {
    if (!FShowError || !Enabled())
        return;
    if (FIsError) {
        WinControl::SetColor(FErrorColor);
        FFontColor = FErrorFontColor;
    } else {
        WinControl::SetColor(FNormalColor);
        FFontColor = FNormalFontColor;
    }
    Invalidate();
}

void TExtEdit::SetErrorMarkerPos(int value) {
    FErrorMarkerPos = value;
    Invalidate();
}
void TExtEdit::SetErrorMarkerLen(int value) {
    FErrorMarkerLen = value;
    Invalidate();
}

void TExtEdit::SetShowURL(bool value) {
    FShowURL = value;
    FIsURLShown = value && IsURL();
    Invalidate();
}

void TExtEdit::SetCanUndo(bool value) {
    if (value == FCanUndo)
        return;
    FCanUndo = value;
    RecreateWindow();
}

void TExtEdit::SetMaxLength(int value) {
    FMaxLength = value;
    if (HWND window = HandleIfAllocated())
        ::SendMessageW(window, EM_LIMITTEXT, static_cast<WPARAM>(std::max(value, 0)), 0);
}

void TExtEdit::SetReadOnly(bool value) {
    FReadOnly = value;
    if (HWND window = HandleIfAllocated())
        ::SendMessageW(window, EM_SETREADONLY, value, 0);
}

void TExtEdit::SetCharCase(TEditCharCase value) {
    if (value == FCharCase)
        return;
    FCharCase = value;
    RecreateWindow();
}

void TExtEdit::SetHideSelection(bool value) {
    if (value == FHideSelection)
        return;
    FHideSelection = value;
    RecreateWindow();
}

void TExtEdit::SetPasswordChar(char16_t value) {
    FPasswordChar = value;
    if (HWND window = HandleIfAllocated()) {
        ::SendMessageW(window, EM_SETPASSWORDCHAR, value, 0);
        Invalidate();
    }
}

void TExtEdit::Init() {
    FNormalColor = Color();
    FNormalFontColor = FFontColor;
    FOldBorderStyle = FBorderStyle;
    if (FFlat)
        ApplyFlat();
    PlaceLabel();
    if (!Enabled())
        WinControl::SetColor(FDisabledColor);
}

void TExtEdit::Loaded() {
    WinControl::Loaded();
    Init();
    LoadPersist();
    PlaceLabel();
    WindowDC screen(nullptr);
    const int dpi = ::GetDeviceCaps(screen.get(), LOGPIXELSY);
    FLookup.Font.Face.Height = ::MulDiv(FLookup.Font.Face.Height, dpi, 96);
}

void TExtEdit::SetEnabled(bool enabled) {
    if (enabled == Enabled())
        return;
    if (!enabled) {
        if (!FIsError)
            FNormalColor = Color();
        WinControl::SetColor(FDisabledColor);
    } else {
        WinControl::SetColor(FNormalColor);
    }
    WinControl::SetEnabled(enabled);
    if (FEditLabel)
        FEditLabel->SetEnabled(enabled);
    if (enabled)
        ApplyErrorColors();
    WidthNudge();
}

void TExtEdit::SetFont(const FontAttributes& attributes) {
    WinControl::SetFont(attributes);
    UpdateTextRect(FFlat);
    ApplyLabelFont(FFocusLabel && HasFocus());
}

bool TExtEdit::HasFocus() const {
    return HandleAllocated() && ::GetFocus() == HandleIfAllocated();
}

void TExtEdit::WidthNudge() {
    if (HWND window = HandleIfAllocated())
        ::RedrawWindow(window, nullptr, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
}

// ---- Keys --------------------------------------------------------------------------------

bool TExtEdit::WantSpecialKey(WORD key) {
    if (!::GetAncestor(HandleIfAllocated(), GA_ROOT))
        return false;
    // An Escape that closes the lookup list does nothing else.
    if (key == VK_ESCAPE && LookupVisible()) {
        HideLookup();
        return true;
    }
    HWND parent = Parent() ? Parent()->HandleIfAllocated() : nullptr;
    if (key == VK_ESCAPE && FCanUndo) {
        SetText(FOrigText);
        SelectAll();
        if (FFocusFontColor != clNone)
            SetFontColor(FFocusFontColor);
        SetModified(false);
        if (parent && FDefaultHandling) {
            ::PostMessageW(parent, WM_KEYDOWN, VK_ESCAPE, 0);
            ::PostMessageW(parent, WM_KEYUP, VK_ESCAPE, 0);
        }
        return true;
    }
    if (key == VK_RETURN && FDefaultHandling && parent && ::GetFocus() == parent) {
        ::PostMessageW(parent, WM_KEYDOWN, VK_RETURN, 0);
        ::PostMessageW(parent, WM_KEYUP, VK_RETURN, 0);
    }
    return false;
}

bool TExtEdit::KeyDownStage(WORD& key) {
    FGotReturn = false;
    if (!FEditorEnabled) {
        key = 0;
        return false;
    }
    const TShiftState shift = KeyboardShiftState();
    auto raise = [&] {
        if (OnKeyDown)
            OnKeyDown(this, key, shift);
        return key != 0;
    };
    if (LookupVisible() && LookupKey(key))
        return false;
    if (key == VK_UP || key == VK_DOWN) {
        raise();
        return false;
    }
    if (key == VK_RETURN)
        FGotReturn = true;
    if ((key == VK_TAB || key == VK_RETURN) && (shift & ssCtrl))
        return raise();
    if (key == VK_DECIMAL)
        FExcelDecimalKey = true;
    if (key == VK_DELETE) {
        if (!DeleteAllowed()) {
            key = 0;
            return false;
        }
        SetModified(true);
    }
    return raise();
}

bool TExtEdit::CharStage(char16_t& key) {
    if (!FEditorEnabled)
        return false;
    auto raise = [&] {
        if (OnKeyPress)
            OnKeyPress(this, key);
        return key != 0;
    };
    switch (key) {
    case VK_RETURN:
        if (!CtrlHeld())
            raise();
        return false;
    case VK_ESCAPE:
        raise();
        return false;
    case kCtrlA:
        SelectAll();
        return false;
    case kCtrlC:
    case kCtrlV:
    case kCtrlX:
    case kCtrlZ:
        return raise();
    case kLineFeed:
        return false;
    case VK_BACK: {
        if (!BackspaceAllowed())
            return false;
        const TextRange selection = Selection();
        const bool changes = selection.End > selection.Start ||
                             selection.Start > static_cast<int>(FTyped.Prefix.size());
        SetModified(changes);
        return raise();
    }
    default:
        // Tab and the other control characters insert nothing in a one-line field.
        if (key < 0x20) {
            raise();
            return false;
        }
        if (!raise() || !TypedCharacter(key))
            return false;
        SetModified(true);
        return true;
    }
}

void TExtEdit::KeyUpStage(WORD& key) {
    if (OnKeyUp)
        OnKeyUp(this, key, KeyboardShiftState());
    if (key == VK_RETURN && FReturnIsTab && FGotReturn) {
        key = VK_TAB;
        ::PostMessageW(HandleIfAllocated(), WM_KEYDOWN, VK_TAB, 0);
    }
    FGotReturn = false;
}

// ---- Focus and mouse ---------------------------------------------------------------------

void TExtEdit::FocusGained() {
    FOrigText = Text();
    if (FFocusColor != clNone && !FIsError) {
        WinControl::SetColor(FFocusColor);
        WidthNudge();
    }
    if ((!FIsError || !FShowError) && !FShowModified) {
        FNormalFontColor = FFontColor;
        if (!FIsURLShown && FFocusFontColor != clNone)
            SetFontColor(FFocusFontColor);
    }
    if (FAutoSelect)
        SelectAll();
    if (FFocusLabel)
        ApplyLabelFont(true);
    if (FFocusWidthInc > 0 && !FAlignChanging)
        SetBounds(Left(), Top(), Width() + FFocusWidthInc, Height());
    FSavedAlign = FEditAlign;
    if (FFocusAlign != TEditAlign::eaDefault && FFocusAlign != FEditAlign)
        ::PostMessageW(HandleIfAllocated(), kApplyFocusAlign, 0, 0);
    const bool hintPending = !FEmptyText.empty() && WindowText().empty();
    if (hintPending || FFocusBorder || FFocusBorderColor != clNone) {
        if (FBorderStyle == TBorderStyle::bsNone)
            UpdateTextRect(true);
        Invalidate();
    }
    if (OnEnter)
        OnEnter(this);
}

void TExtEdit::FocusLost(HWND gaining) {
    if (gaining != FLookupWindow->List().HandleIfAllocated())
        HideLookup();
    if (!FIsError) {
        WinControl::SetColor(FNormalColor);
        WidthNudge();
    }
    if (!(FIsError && FShowError) && !FShowModified && !FIsURLShown)
        SetFontColor(FNormalFontColor);
    if (FFocusLabel)
        ApplyLabelFont(false);
    TidyOnExit();
    ValidateValue(Text());
    if (FFocusBorder)
        WidthNudge();
    if (FFocusWidthInc > 0)
        SetBounds(Left(), Top(), Width() - FFocusWidthInc, Height());
    if (FEditAlign != FSavedAlign) {
        FAlignChanging = true;
        SetEditAlign(FSavedAlign);
        FAlignChanging = false;
    }
    if ((!FEmptyText.empty() && WindowText().empty()) || FErrorMarkerLen > 0)
        Invalidate();
    AddLookupHistory();
    if (FrameInPlay())
        PaintFrame();
    if (OnExit)
        OnExit(this);
}

bool TExtEdit::LeftButtonDown(LPARAM lParam) {
    FButtonDown = false;
    if (::GetFocus() != HandleIfAllocated())
        return false;
    const TextRange selection = Selection();
    const int at = CharFromPos({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    // A press inside the selection keeps it, so that it can be dragged.
    FButtonDown = selection.End > selection.Start && at >= selection.Start && at < selection.End;
    return FButtonDown;
}

void TExtEdit::LeftButtonUp(LPARAM lParam) {
    if (FButtonDown) {
        const int at = CharFromPos({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        SetSelection({at, at});
    }
    FButtonDown = false;
    if (OnClick)
        OnClick(this);
    if (FIsURLShown && ::GetFocus() == HandleIfAllocated()) {
        bool useDefault = true;
        const std::u16string url = Text();
        if (OnURLClick)
            OnURLClick(this, url, useDefault);
        if (useDefault)
            ShellExecuteText(HandleIfAllocated(), u"open", url, u"", u"", SW_SHOWNORMAL);
    }
    KeepSelectionInValue();
}

void TExtEdit::MouseMoved() {
    if (FMouseInControl)
        return;
    FMouseInControl = true;
    TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, HandleIfAllocated(), 0};
    ::TrackMouseEvent(&track);
    if (FAutoFocus) {
        HWND root = ::GetAncestor(HandleIfAllocated(), GA_ROOT);
        if (!root || ::GetActiveWindow() == root)
            SetFocus();
    }
    if (FFocusBorder)
        PaintFrame();
    if (OnMouseEnter)
        OnMouseEnter(this);
}

void TExtEdit::MouseLeft() {
    FMouseInControl = false;
    if (FFocusBorder)
        WidthNudge();
    if (OnMouseLeave)
        OnMouseLeave(this);
}

// ---- Clipboard ---------------------------------------------------------------------------

void TExtEdit::Paste() {
    std::u16string clipboard;
    if (FReadOnly || !GetClipboardText(HandleIfAllocated(), clipboard))
        return;
    KeepSelectionInValue();
    const TextRange selection = Selection();
    PasteResult result = PastedText(WindowText(), selection, clipboard);
    bool allow = true;
    if (OnClipboardPaste)
        OnClipboardPaste(this, result.Text, allow);
    if (OnClipboardCanPaste)
        OnClipboardCanPaste(this, result.Text, allow);
    if (!allow)
        return;
    if (FMaxLength > 0 && static_cast<int>(result.Text.size()) > FMaxLength)
        result.Text.resize(static_cast<size_t>(FMaxLength));
    std::optional<std::u16string> typed = TypedPaste(result.Text);
    if (!typed)
        return;
    result.Text = std::move(*typed);
    SetWindowTextKeepingNotifications(result.Text);
    const int length = static_cast<int>(result.Text.size());
    const int start = std::min(result.Inserted.Start, length);
    const int end = std::min(result.Inserted.End, length);
    SetSelection(selection.End > selection.Start ? TextRange{start, end} : TextRange{end, end});
    SetModified(true);
    UpdateLookup();
    PasteMovesOn();
}

void TExtEdit::Cut() {
    const TextRange selection = Selection();
    const std::u16string selected = WindowText().substr(
        static_cast<size_t>(selection.Start), static_cast<size_t>(selection.End - selection.Start));
    bool allow = true;
    if (OnClipboardCut)
        OnClipboardCut(this, selected, allow);
    if (allow) {
        FInsideCut = true;
        DefaultHandler(WM_CUT, 0, 0);
        FInsideCut = false;
    }
    Change();
}

bool TExtEdit::Copy() {
    if (FInsideCut)
        return true;
    const TextRange selection = Selection();
    const std::u16string selected = WindowText().substr(
        static_cast<size_t>(selection.Start), static_cast<size_t>(selection.End - selection.Start));
    bool allow = true;
    if (OnClipboardCopy)
        OnClipboardCopy(this, selected, allow);
    return allow;
}

// ---- Painting ----------------------------------------------------------------------------

void TExtEdit::PaintExtras() {
    HWND window = HandleIfAllocated();
    WindowDC dc(window);
    if (FFlat)
        PaintFlatLine(dc.get());
    PaintDropCaret(dc.get());
    PaintEmptyText(dc.get());
    PaintErrorMarker(dc.get());
    if (FrameInPlay())
        PaintFrame();
}

void TExtEdit::PaintFlatLine(HDC dc) {
    const bool focused = ::GetFocus() == HandleIfAllocated();
    if ((FFocusBorder && focused) || FFlatLineColor == clNone)
        return;
    RECT format{};
    ::SendMessageW(HandleIfAllocated(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
    const int w = ClientWidth(), h = ClientHeight();
    const COLORREF color = Enabled() ? ColorToRGB(FFlatLineColor) : kHintGrey;
    if (FSoftBorder) {
        const int left = format.left - 4, top = format.top - 3;
        Polyline(dc, {{left, h - 1}, {w - 1, h - 1}, {w - 1, top}, {left, top}, {left, h - 1}},
                 color);
    } else {
        Polyline(dc, {{format.left - 2, h - 1}, {w, h - 1}}, color);
    }
}

void TExtEdit::PaintEmptyText(HDC dc) {
    const bool focused = ::GetFocus() == HandleIfAllocated();
    if (FEmptyText.empty() || !WindowText().empty() || (focused && !FEmptyTextFocused))
        return;
    FontAttributes attributes = GetFont().Attributes();
    attributes.Face.Bold = (FEmptyTextStyle & fsBold) != 0;
    attributes.Face.Italic = (FEmptyTextStyle & fsItalic) != 0;
    attributes.Face.Underline = (FEmptyTextStyle & fsUnderline) != 0;
    attributes.Face.StrikeOut = (FEmptyTextStyle & fsStrikeOut) != 0;
    Font hintFont(attributes);
    SelectGuard font(dc, hintFont.Handle());
    ::SetTextColor(dc, kHintGrey);
    ::SetBkMode(dc, OPAQUE);
    ::SetBkColor(dc, ColorToRGB(Color()));
    const int x = FCtl3D ? 3 : 6;
    ::TextOutW(dc, x, 2, W(FEmptyText), static_cast<int>(FEmptyText.size()));
}

void TExtEdit::PaintErrorMarker(HDC dc) {
    if (FErrorMarkerLen <= 0 || ::GetFocus() == HandleIfAllocated())
        return;
    const int length = static_cast<int>(WindowText().size());
    if (length == 0)
        return;
    const int first = std::clamp(FErrorMarkerPos, 0, length - 1);
    const int last = std::clamp(FErrorMarkerPos + FErrorMarkerLen, first + 1, length);
    const POINT from = PosFromChar(first);
    const POINT to = PosFromChar(last);
    SelectGuard font(dc, GetFont().Handle());
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(dc, &metrics);
    // Just below the text line, but inside a field too low to show it there.
    const int y = std::min(static_cast<int>(from.y + metrics.tmHeight), ClientHeight() - 4);
    for (int row = 0; row < 2; ++row)
        Polyline(dc, ZigzagPoints(from.x, to.x + 4, y + row), kErrorRed);
}

bool TExtEdit::FrameInPlay() const {
    return FBorder3D || FBorderColor != clNone || FFocusBorderColor != clNone ||
           (!Enabled() && FDisabledBorder);
}

void TExtEdit::PaintFrame() {
    HWND window = HandleIfAllocated();
    if (!window || !FrameInPlay())
        return;
    WindowDC dc(window, WindowDC::Area::Whole);
    RECT r{};
    ::GetWindowRect(window, &r);
    ::OffsetRect(&r, -r.left, -r.top);
    const bool focused = ::GetFocus() == window;
    TColor chosen = clNone;
    if (!Enabled() && FIsThemed && FDisabledBorder)
        chosen = kSilver;
    else if (FBorderColor != clNone && (!focused || FFocusBorderColor == clNone))
        chosen = FBorderColor;
    else if (focused && FFocusBorderColor != clNone)
        chosen = FFocusBorderColor;
    if (chosen != clNone) {
        FrameWith(dc.get(), r, ColorToRGB(chosen), 1);
        return;
    }
    if (!Enabled() || (FFocusBorder && FIsThemed))
        return;
    if (FBorder3D || (FFocusBorder && (FMouseInControl || focused))) {
        ::DrawEdge(dc.get(), &r, BDR_SUNKENOUTER, BF_RECT);
        ::InflateRect(&r, -1, -1);
        FrameWith(dc.get(), r, ::GetSysColor(COLOR_BTNFACE), 1);
    } else {
        const TColor parentColor = Parent() ? Parent()->Color() : clBtnFace;
        FrameWith(dc.get(), r, ColorToRGB(parentColor), 2);
    }
}

void TExtEdit::EraseTransparent(HDC dc) {
    HWND parent = Parent() ? Parent()->HandleIfAllocated() : nullptr;
    if (!parent)
        return;
    POINT origin{};
    ::SetViewportOrgEx(dc, -Left(), -Top(), &origin);
    ::SendMessageW(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    ::SendMessageW(parent, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_CHILDREN);
    ::SetViewportOrgEx(dc, origin.x, origin.y, nullptr);
}

// ---- Messages ----------------------------------------------------------------------------

LRESULT TExtEdit::KeyDownMessage(WORD key, LPARAM lParam) {
    const bool undone = (key == VK_ESCAPE || key == VK_RETURN) && WantSpecialKey(key);
    if (!KeyDownStage(key) || undone)
        return 0;
    const LRESULT result = DefaultHandler(WM_KEYDOWN, key, lParam);
    KeepSelectionInValue();
    return result;
}

LRESULT TExtEdit::CharMessage(char16_t key, LPARAM lParam) {
    // The character as typed decides the lookup; the stage may change or swallow it.
    const bool edits = key >= 0x20 || key == VK_BACK;
    const bool passed = CharStage(key);
    FExcelDecimalKey = false;
    LRESULT result = 0;
    if (passed) {
        result = DefaultHandler(WM_CHAR, key, lParam);
        if (key >= 0x20 && ::SendMessageW(HandleIfAllocated(), EM_GETMODIFY, 0, 0))
            SetModified(true);
        if (key >= 0x20)
            MoveOnWhenFull();
    }
    if (edits)
        UpdateLookup();
    return result;
}

LRESULT TExtEdit::KeyUpMessage(WORD key, LPARAM lParam) {
    KeyUpStage(key);
    return key ? DefaultHandler(WM_KEYUP, key, lParam) : 0;
}

void TExtEdit::ApplyFocusAlign() {
    if (::GetFocus() != HandleIfAllocated() || FFocusAlign == TEditAlign::eaDefault)
        return;
    FAlignChanging = true;
    SetEditAlign(FFocusAlign);
    FAlignChanging = false;
}

LRESULT TExtEdit::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    const auto byDefault = [&] { return DefaultHandler(message, wParam, lParam); };
    // The edit window's own handling first, then the step.
    const auto thenDo = [&](auto step) {
        const LRESULT result = byDefault();
        step();
        return result;
    };
    switch (message) {
    case WM_KEYDOWN:
        return KeyDownMessage(static_cast<WORD>(wParam), lParam);
    case WM_CHAR:
        return CharMessage(static_cast<char16_t>(wParam), lParam);
    case WM_KEYUP:
        return KeyUpMessage(static_cast<WORD>(wParam), lParam);
    case WM_SYSKEYDOWN:
        if (wParam == VK_MENU) {
            SetFocus();
            HideLookup();
        }
        return byDefault();
    case WM_CANCELMODE:
        HideLookup();
        return byDefault();
    case WM_SETFOCUS:
        return thenDo([this] { FocusGained(); });
    case WM_KILLFOCUS:
        return thenDo([&] { FocusLost(reinterpret_cast<HWND>(wParam)); });
    case kApplyFocusAlign:
        ApplyFocusAlign();
        return 0;
    case WM_LBUTTONDOWN:
        return LeftButtonDown(lParam) ? 0 : byDefault();
    case WM_LBUTTONUP:
        return thenDo([&] { LeftButtonUp(lParam); });
    case WM_LBUTTONDBLCLK:
        return thenDo([this] {
            if (OnDblClick)
                OnDblClick(this);
        });
    case WM_MOUSEMOVE:
        MouseMoved();
        if (FButtonDown && FOleDropSource && (wParam & MK_LBUTTON)) {
            StartOleDrag();
            return 0;
        }
        return byDefault();
    case WM_DESTROY:
        WindowGoing();
        return byDefault();
    case WM_MOUSELEAVE:
        MouseLeft();
        return byDefault();
    case WM_SETCURSOR:
        if (FIsURLShown && LOWORD(lParam) == HTCLIENT) {
            ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
            return TRUE;
        }
        return byDefault();
    case WM_PASTE:
        Paste();
        return 0;
    case WM_CUT:
        Cut();
        return 0;
    case WM_COPY:
        return Copy() ? byDefault() : 0;
    case WM_PAINT:
        return thenDo([this] { PaintExtras(); });
    case WM_NCPAINT:
        return thenDo([this] { PaintFrame(); });
    case WM_ERASEBKGND:
        if (!FTransparent)
            return byDefault();
        EraseTransparent(reinterpret_cast<HDC>(wParam));
        return TRUE;
    default:
        return WinControl::WndProc(message, wParam, lParam);
    }
}

} // namespace zel
