#pragma once
// Controls and windowed controls.
//
// A WinControl creates its HWND on demand. One static window procedure binds the object to
// its window (at WM_NCCREATE for our own classes, right after creation for the system's
// classes, which are subclassed) and forwards every message to the virtual WndProc; a
// handler returns its result, and calls DefaultHandler for what it leaves to the system.
// A failure thrown by a handler ends that handler and goes to the application's general
// error report. The binding is cut before the window is destroyed by its object, so no
// virtual call reaches an object under destruction.
#include "htmltext/color.h"
#include "ui/component.h"
#include "ui/drag.h"
#include "ui/font.h"
#include "ui/hint.h"
#include "ui/layout.h"
#include "ui/unique_handle.h"

#include <string>

namespace zel {

// Colours as the whole system writes them (direct, system colour n, clNone).
using TColor = Color;
COLORREF ColorToRGB(TColor color);

class WinControl;

class Control : public Component {
public:
    explicit Control(Component* owner);
    ~Control() override;

    WinControl* Parent() const noexcept { return parent_; }
    virtual void SetParent(WinControl* parent);

    int Left() const { return bounds_.Left; }
    int Top() const { return bounds_.Top; }
    int Width() const { return bounds_.Width(); }
    int Height() const { return bounds_.Height(); }
    const TRect& BoundsRect() const { return bounds_; }
    // Explicit placement: also where the anchors measure from.
    void SetBounds(int left, int top, int width, int height);

    TAlign Align() const { return layout_.Align; }
    void SetAlign(TAlign align);
    TAnchors Anchors() const { return layout_.Anchors; }
    void SetAnchors(TAnchors anchors) { layout_.Anchors = anchors; }
    TMargins& Margins() { return layout_.Margins; }
    void SetAlignWithMargins(bool value);

    bool Visible() const { return layout_.Visible; }
    virtual void SetVisible(bool visible);
    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool enabled);

    Font& GetFont() { return font_; }
    virtual void SetFont(const FontAttributes& attributes);
    TColor Color() const { return color_; }
    virtual void SetColor(TColor color);
    LPCWSTR Cursor() const { return cursor_; }
    void SetCursor(LPCWSTR systemCursor) { cursor_ = systemCursor; }
    const std::u16string& Hint() const { return hint_; }
    void SetHint(std::u16string hint) { hint_ = std::move(hint); }
    // Hints show where ShowHint is on; with ParentShowHint (the default) the parent decides.
    // Setting ShowHint turns ParentShowHint off.
    bool ShowHint() const noexcept { return showHint_; }
    void SetShowHint(bool show) noexcept;
    bool ParentShowHint() const noexcept { return parentShowHint_; }
    void SetParentShowHint(bool value) noexcept { parentShowHint_ = value; }
    // Whether this control shows hints now, by the rules above.
    bool HintsShown() const noexcept;

    TDragMode DragMode() const noexcept { return dragMode_; }
    virtual void SetDragMode(TDragMode mode) { dragMode_ = mode; }
    // A drag over this control: Accept starts true when OnDragOver is assigned, else false.
    virtual void DragOver(Component* Source, int X, int Y, TDragState State, bool& Accept);
    // The source was dropped here: raises OnDragDrop.
    virtual void DragDrop(Component* Source, int X, int Y);
    // What a drag of this control reports as its source.
    virtual Component* DragSource() { return this; }
    TDragOverEvent OnDragOver;
    TDragDropEvent OnDragDrop;
    // A character typed with Alt in the form: true when this control took it as its
    // accelerator (a label focusing its control).
    virtual bool DialogChar(char16_t /*key*/) { return false; }
    int TabOrder() const { return tabOrder_; }
    void SetTabOrder(int order) { tabOrder_ = order; }
    bool TabStop() const { return tabStop_; }
    virtual void SetTabStop(bool tabStop) { tabStop_ = tabStop; }

    // The layout record the parent arranges this control with.
    LayoutItem LayoutState() const;

protected:
    // Called after the bounds changed, by SetBounds or by the parent's arrangement.
    virtual void BoundsChanged() {}
    void ApplyArrangedBounds(const TRect& bounds);
    // Records where the window system has put the control, without moving it again.
    void StoreBounds(const TRect& bounds);
    friend class WinControl;

private:
    WinControl* parent_ = nullptr; // not owned: the owner frees this control
    TRect bounds_;
    LayoutItem layout_;
    bool enabled_ = true;
    Font font_;
    TColor color_ = clBtnFace;
    LPCWSTR cursor_ = IDC_ARROW;
    std::u16string hint_;
    int tabOrder_ = 0;
    bool tabStop_ = false;
    bool showHint_ = false;
    bool parentShowHint_ = true;
    TDragMode dragMode_ = TDragMode::dmManual;
};

struct CreateParams {
    const wchar_t* ClassName = nullptr;
    std::u16string Caption;
    DWORD Style = WS_CHILD | WS_CLIPSIBLINGS;
    DWORD ExStyle = 0;
    bool SystemClass = false; // a class of the system, subclassed after creation
    HWND Owner = nullptr;     // a top-level window stays above this window; not owned
};

class WinControl : public Control {
public:
    explicit WinControl(Component* owner);
    ~WinControl() override;

    HWND Handle(); // creates the window when needed
    HWND HandleIfAllocated() const noexcept { return handle_; }
    bool HandleAllocated() const noexcept { return handle_ != nullptr; }

    void SetParent(WinControl* parent) override;
    void SetVisible(bool visible) override;
    void SetEnabled(bool enabled) override;
    void SetFont(const FontAttributes& attributes) override;
    void SetColor(TColor color) override;

    const std::u16string& Caption() const { return caption_; }
    virtual void SetCaption(std::u16string caption);
    // Offers the accelerator to the visible and enabled children, in order.
    bool DialogChar(char16_t key) override;

    void Invalidate();
    void SetFocus();
    // Starts dragging this control: at once, or once the mouse has moved far enough.
    void BeginDrag(bool immediate);
    // Visible and enabled, with every parent: the control can take the keyboard focus.
    bool CanFocus();
    // This control's windowed descendants in tab order: each child's place is set by its
    // TabOrder among its siblings, and a child's own descendants follow it.
    void GetTabOrderList(std::vector<WinControl*>& list) const;
    // The control of a window of ours, null for any other window (it checks the mark that
    // only our windows carry).
    static WinControl* FindControl(HWND window);
    // Arranges the child controls in the current client area.
    void Realign();
    // The client area; for a minimised top-level window, the one it has when restored.
    SIZE ClientSize();
    int ClientWidth();
    int ClientHeight();

protected:
    virtual void FillCreateParams(CreateParams& params);
    virtual LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultHandler(UINT message, WPARAM wParam, LPARAM lParam);
    // A child's notification (WM_COMMAND) reflected to it by its parent.
    virtual void CommandNotify(WORD /*code*/) {}
    // The window was just created: subclasses set it up (fonts, texts) here.
    virtual void HandleCreated() {}
    void BoundsChanged() override;
    // Brush for the background behind a child's own painting (WM_CTLCOLOR*).
    virtual HBRUSH BackgroundBrush(HDC dc);
    // The hint at a point of the client area; the control's Hint unless a subclass knows
    // better.
    virtual HintInfo HintFor(POINT client);
    // The hint's text depends on the place and the mouse moved to another one.
    void RefreshHint();
    // Top-level windows place themselves in screen coordinates.
    virtual bool IsTopLevel() const { return false; }
    // `control`, this one or a descendant, has just received the keyboard focus; the form
    // that holds it remembers it.
    virtual void FocusedControlChanged(WinControl* control);
    void DestroyHandle();
    // Registers a class of ours (once) whose windows go through the static procedure.
    static void RegisterOwnClass(const wchar_t* className, HICON icon, HBRUSH background,
                                 UINT classStyle = CS_DBLCLKS);

private:
    static LRESULT CALLBACK StaticWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // The control bound to a window that is known to be ours (its own, or a child's).
    static WinControl* BoundControl(HWND window);
    void CreateHandle();
    // The tooltip is made when the mouse first moves over a control that shows hints.
    void PrepareHint();
    bool AnswerHint(LPARAM lParam, LRESULT& result);
    void AddChild(Control* child);
    void RemoveChild(Control* child);
    friend class Control;

    HWND handle_ = nullptr; // owned: destroyed by DestroyHandle, or by the system with its parent
    WNDPROC systemProc_ = nullptr;
    std::u16string caption_;
    std::vector<Control*> children_; // not owned
    std::unique_ptr<WindowHint> hint_;
    UniqueBrush colorBrush_;
    bool arranging_ = false;
};

} // namespace zel
