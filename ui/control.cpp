#include "ui/control.h"

#include "core/error.h"
#include "ui/application.h"
#include "ui/files.h"
#include "ui/wide.h"

#include <algorithm>

namespace zel {

namespace {

// Marks a window as a control of ours, for lookups by window that may meet any window.
constexpr const wchar_t* kControlProperty = L"ZelWinControl";

} // namespace

COLORREF ColorToRGB(TColor color) {
    if (IsSystemColor(color))
        return ::GetSysColor(SystemColorIndex(color));
    return static_cast<COLORREF>(color);
}

// ---- Control -------------------------------------------------------------------------------

Control::Control(Component* owner) : Component(owner) {}

Control::~Control() {
    if (parent_)
        parent_->RemoveChild(this);
}

void Control::SetParent(WinControl* parent) {
    if (parent == parent_)
        return;
    if (parent_)
        parent_->RemoveChild(this);
    parent_ = parent;
    if (parent_)
        parent_->AddChild(this);
}

void Control::SetBounds(int left, int top, int width, int height) {
    layout_.AnchorOrigin = zel::BoundsRect(left, top, width, height);
    layout_.Bounds = layout_.AnchorOrigin;
    if (parent_) {
        layout_.OriginParentWidth = parent_->ClientWidth();
        layout_.OriginParentHeight = parent_->ClientHeight();
    }
    ApplyArrangedBounds(layout_.AnchorOrigin);
    if (parent_ && layout_.Align != TAlign::alNone)
        parent_->Realign();
}

void Control::ApplyArrangedBounds(const TRect& bounds) {
    StoreBounds(bounds);
    BoundsChanged();
}

void Control::StoreBounds(const TRect& bounds) {
    bounds_ = bounds;
    layout_.Bounds = bounds;
}

void Control::SetAlign(TAlign align) {
    layout_.Align = align;
    if (parent_)
        parent_->Realign();
}

void Control::SetAlignWithMargins(bool value) {
    layout_.AlignWithMargins = value;
    if (parent_)
        parent_->Realign();
}

void Control::SetVisible(bool visible) {
    if (layout_.Visible == visible)
        return;
    layout_.Visible = visible;
    if (parent_)
        parent_->Realign();
}

void Control::SetEnabled(bool enabled) {
    enabled_ = enabled;
}
void Control::SetFont(const FontAttributes& attributes) {
    font_.Assign(attributes);
}
void Control::SetColor(TColor color) {
    color_ = color;
}

void Control::SetShowHint(bool show) noexcept {
    showHint_ = show;
    parentShowHint_ = false;
}

bool Control::HintsShown() const noexcept {
    return parentShowHint_ && parent_ ? parent_->HintsShown() : showHint_;
}

void Control::DragOver(Component* Source, int X, int Y, TDragState State, bool& Accept) {
    Accept = static_cast<bool>(OnDragOver);
    if (OnDragOver)
        OnDragOver(this, Source, X, Y, State, Accept);
}

void Control::DragDrop(Component* Source, int X, int Y) {
    if (OnDragDrop)
        OnDragDrop(this, Source, X, Y);
}

LayoutItem Control::LayoutState() const {
    return layout_;
}

// ---- WinControl ----------------------------------------------------------------------------

WinControl::WinControl(Component* owner) : Control(owner) {}

WinControl::~WinControl() {
    Application::Instance().Drag().Forget(*this);
    for (Control* child : children_)
        child->parent_ = nullptr;
    DestroyHandle();
}

void WinControl::DestroyHandle() {
    if (!handle_)
        return;
    // The tooltip unhooks itself from the window first.
    hint_.reset();
    HWND window = std::exchange(handle_, nullptr);
    ::RemovePropW(window, kControlProperty);
    ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    if (systemProc_)
        ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(systemProc_));
    ::DestroyWindow(window);
}

WinControl* WinControl::FindControl(HWND window) {
    // Another program's windows carry the mark too when it is built on this framework, with
    // a pointer that means nothing here.
    DWORD process = 0;
    if (!window || !::GetWindowThreadProcessId(window, &process) ||
        process != ::GetCurrentProcessId())
        return nullptr;
    return static_cast<WinControl*>(::GetPropW(window, kControlProperty));
}

WinControl* WinControl::BoundControl(HWND window) {
    return window ? reinterpret_cast<WinControl*>(::GetWindowLongPtrW(window, GWLP_USERDATA))
                  : nullptr;
}

LRESULT CALLBACK WinControl::StaticWndProc(HWND window, UINT message, WPARAM wParam,
                                           LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        if (auto* self = static_cast<WinControl*>(create->lpCreateParams)) {
            self->handle_ = window;
            ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        }
    }
    WinControl* self = BoundControl(window);
    if (!self)
        return ::DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        LRESULT result = self->DefaultHandler(message, wParam, lParam);
        ::RemovePropW(window, kControlProperty);
        ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->handle_ = nullptr;
        return result;
    }
    try {
        // Noted before the control's own handler, which may keep the message to itself.
        if (message == WM_SETFOCUS)
            self->FocusedControlChanged(self);
        if (message == WM_MOUSEMOVE)
            self->PrepareHint();
        if (Application::Instance().Drag().Filter(*self, message, wParam, lParam))
            return 0;
        if (LRESULT answer = 0; message == WM_NOTIFY && self->AnswerHint(lParam, answer))
            return answer;
        return self->WndProc(message, wParam, lParam);
    } catch (...) {
        Application::Instance().HandleException();
        return 0;
    }
}

void WinControl::RegisterOwnClass(const wchar_t* className, HICON icon, HBRUSH background,
                                  UINT classStyle) {
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    if (::GetClassInfoExW(instance, className, &wc))
        return;
    wc.style = classStyle;
    wc.lpfnWndProc = &WinControl::StaticWndProc;
    wc.hInstance = instance;
    wc.hIcon = icon;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = background;
    wc.lpszClassName = className;
    if (!::RegisterClassExW(&wc))
        throw Exception(SystemErrorText(::GetLastError()));
}

void WinControl::FillCreateParams(CreateParams& params) {
    RegisterOwnClass(L"ZelWinControl", nullptr, nullptr);
    params.ClassName = L"ZelWinControl";
}

void WinControl::CreateHandle() {
    CreateParams params;
    params.Caption = caption_;
    FillCreateParams(params);
    HWND parentWindow = params.Owner;
    if (!IsTopLevel()) {
        if (!Parent())
            return;
        parentWindow = Parent()->Handle();
        if (TabStop())
            params.Style |= WS_TABSTOP;
    }
    if (Visible() && !IsTopLevel())
        params.Style |= WS_VISIBLE;
    if (!Enabled())
        params.Style |= WS_DISABLED;
    const TRect& b = BoundsRect();
    HWND window = ::CreateWindowExW(params.ExStyle, params.ClassName, W(params.Caption),
                                    params.Style, b.Left, b.Top, b.Width(), b.Height(),
                                    parentWindow, nullptr, ::GetModuleHandleW(nullptr), this);
    if (!window)
        throw Exception(SystemErrorText(::GetLastError()));
    if (params.SystemClass) {
        handle_ = window;
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        systemProc_ = reinterpret_cast<WNDPROC>(::SetWindowLongPtrW(
            window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WinControl::StaticWndProc)));
    }
    ::SetPropW(window, kControlProperty, this);
    ::SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(GetFont().Handle()), FALSE);
    for (Control* child : children_)
        if (auto* windowed = dynamic_cast<WinControl*>(child))
            windowed->Handle();
    HandleCreated();
}

void WinControl::PrepareHint() {
    if (!hint_ && HintsShown())
        hint_ = std::make_unique<WindowHint>(handle_);
}

bool WinControl::AnswerHint(LPARAM lParam, LRESULT& result) {
    if (!hint_ || !hint_->Owns(reinterpret_cast<const NMHDR*>(lParam)->hwndFrom))
        return false;
    POINT mouse{};
    ::GetCursorPos(&mouse);
    ::ScreenToClient(handle_, &mouse);
    result = hint_->Notify(lParam, HintsShown() ? HintFor(mouse) : HintInfo{});
    return true;
}

HintInfo WinControl::HintFor(POINT) {
    return {Hint(), std::nullopt};
}

void WinControl::RefreshHint() {
    if (hint_)
        hint_->Refresh();
}

HWND WinControl::Handle() {
    if (!handle_)
        CreateHandle();
    return handle_;
}

void WinControl::SetParent(WinControl* parent) {
    Control::SetParent(parent);
    if (parent && parent->HandleAllocated())
        Handle();
}

void WinControl::SetVisible(bool visible) {
    Control::SetVisible(visible);
    if (handle_ && !IsTopLevel())
        ::ShowWindow(handle_, visible ? SW_SHOW : SW_HIDE);
}

void WinControl::SetEnabled(bool enabled) {
    Control::SetEnabled(enabled);
    if (handle_)
        ::EnableWindow(handle_, enabled);
}

void WinControl::SetFont(const FontAttributes& attributes) {
    Control::SetFont(attributes);
    if (handle_)
        ::SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(GetFont().Handle()), TRUE);
}

void WinControl::SetColor(TColor color) {
    Control::SetColor(color);
    colorBrush_.reset();
    Invalidate();
}

void WinControl::SetCaption(std::u16string caption) {
    caption_ = std::move(caption);
    if (handle_)
        ::SetWindowTextW(handle_, W(caption_));
}

bool WinControl::DialogChar(char16_t key) {
    for (Control* child : children_)
        if (child->Visible() && child->Enabled() && child->DialogChar(key))
            return true;
    return false;
}

void WinControl::Invalidate() {
    if (handle_)
        ::InvalidateRect(handle_, nullptr, TRUE);
}

void WinControl::BeginDrag(bool immediate) {
    Application::Instance().Drag().Begin(*this, immediate);
}

void WinControl::SetFocus() {
    ::SetFocus(Handle());
}

bool WinControl::CanFocus() {
    for (WinControl* control = this; control; control = control->Parent())
        if (!control->Visible() || !control->Enabled())
            return false;
    return HandleAllocated() && ::IsWindowVisible(handle_) && ::IsWindowEnabled(handle_);
}

void WinControl::GetTabOrderList(std::vector<WinControl*>& list) const {
    std::vector<WinControl*> windowed;
    for (Control* child : children_)
        if (auto* control = dynamic_cast<WinControl*>(child))
            windowed.push_back(control);
    std::stable_sort(windowed.begin(), windowed.end(),
                     [](WinControl* a, WinControl* b) { return a->TabOrder() < b->TabOrder(); });
    for (WinControl* control : windowed) {
        list.push_back(control);
        control->GetTabOrderList(list);
    }
}

void WinControl::FocusedControlChanged(WinControl* control) {
    if (Parent())
        Parent()->FocusedControlChanged(control);
}

SIZE WinControl::ClientSize() {
    RECT r{};
    if (!handle_)
        return {Width(), Height()};
    if (IsTopLevel() && ::IsIconic(handle_)) {
        // A minimised window has no client area: answer the one it will have when restored.
        RECT frame{0, 0, 0, 0};
        ::AdjustWindowRectEx(&frame, static_cast<DWORD>(::GetWindowLongPtrW(handle_, GWL_STYLE)),
                             FALSE, static_cast<DWORD>(::GetWindowLongPtrW(handle_, GWL_EXSTYLE)));
        return {Width() - (frame.right - frame.left), Height() - (frame.bottom - frame.top)};
    }
    ::GetClientRect(handle_, &r);
    return {r.right, r.bottom};
}

int WinControl::ClientWidth() {
    return ClientSize().cx;
}
int WinControl::ClientHeight() {
    return ClientSize().cy;
}

void WinControl::AddChild(Control* child) {
    children_.push_back(child);
}

void WinControl::RemoveChild(Control* child) {
    children_.erase(std::remove(children_.begin(), children_.end(), child), children_.end());
}

void WinControl::Realign() {
    if (arranging_ || children_.empty())
        return;
    arranging_ = true;
    std::vector<LayoutItem> items;
    items.reserve(children_.size());
    for (Control* child : children_)
        items.push_back(child->LayoutState());
    auto placed = ArrangeChildren(ClientWidth(), ClientHeight(), items);
    // Only what the arrangement changed moves: a child may place a sibling meanwhile (a field
    // its label), and that place stands.
    for (size_t i = 0; i < children_.size(); ++i)
        if (!(placed[i] == items[i].Bounds))
            children_[i]->ApplyArrangedBounds(placed[i]);
    arranging_ = false;
}

void WinControl::BoundsChanged() {
    if (!handle_)
        return;
    const TRect& b = BoundsRect();
    ::SetWindowPos(handle_, nullptr, b.Left, b.Top, b.Width(), b.Height(),
                   SWP_NOZORDER | SWP_NOACTIVATE);
}

HBRUSH WinControl::BackgroundBrush(HDC dc) {
    ::SetBkMode(dc, TRANSPARENT);
    if (IsSystemColor(Color()))
        return ::GetSysColorBrush(SystemColorIndex(Color()));
    if (!colorBrush_)
        colorBrush_.reset(::CreateSolidBrush(ColorToRGB(Color())));
    return colorBrush_.get();
}

LRESULT WinControl::DefaultHandler(UINT message, WPARAM wParam, LPARAM lParam) {
    return systemProc_ ? ::CallWindowProcW(systemProc_, handle_, message, wParam, lParam)
                       : ::DefWindowProcW(handle_, message, wParam, lParam);
}

LRESULT WinControl::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (auto* child = BoundControl(reinterpret_cast<HWND>(lParam))) {
            child->CommandNotify(HIWORD(wParam));
            return 0;
        }
        break;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
        // Children of our windows are ours: the binding is enough.
        if (auto* child = BoundControl(reinterpret_cast<HWND>(lParam)))
            return reinterpret_cast<LRESULT>(child->BackgroundBrush(reinterpret_cast<HDC>(wParam)));
        break;
    case WM_SIZE:
        Realign();
        break;
    case WM_SETCURSOR:
        if (reinterpret_cast<HWND>(wParam) == handle_ && LOWORD(lParam) == HTCLIENT) {
            ::SetCursor(::LoadCursorW(nullptr, Cursor()));
            return TRUE;
        }
        break;
    default:
        break;
    }
    return DefaultHandler(message, wParam, lParam);
}

} // namespace zel
