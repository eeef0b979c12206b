#pragma once
// Dragging one control onto another inside the program. A control whose DragMode is automatic
// starts a drag when the mouse moves far enough with the left button held after a press on
// it; BeginDrag starts one by code. While it lasts the control holds the mouse: every move
// asks the control under the mouse (DragOver: enter, move, leave) whether it accepts the
// source, the cursor says so, and releasing the button over a control that accepted drops the
// source on it (DragDrop). Escape, or losing the mouse, ends the drag without a drop.
#include "ui/component.h"

#include <windows.h>

#include <cstdint>
#include <functional>

namespace zel {

class WinControl;

enum class TDragMode : uint8_t { dmManual, dmAutomatic };
enum class TDragState : uint8_t { dsDragEnter, dsDragLeave, dsDragMove };

using TDragOverEvent = std::function<void(Component* Sender, Component* Source, int X, int Y,
                                          TDragState State, bool& Accept)>;
using TDragDropEvent = std::function<void(Component* Sender, Component* Source, int X, int Y)>;

class DragTracker {
public:
    // A control's mouse, key and capture messages pass here first: true when the drag
    // consumed the message.
    bool Filter(WinControl& control, UINT message, WPARAM wParam, LPARAM lParam);
    // Starts a drag of the control now, or (not immediate) once the mouse has moved far
    // enough with the button held.
    void Begin(WinControl& control, bool immediate);
    bool Dragging() const noexcept { return source_ != nullptr; }
    // The control is going: no drag may name it any more.
    void Forget(const WinControl& control) noexcept;

private:
    void Start(WinControl& control);
    void Move(POINT screen);
    void Drop(POINT screen);
    void End();
    WinControl* TargetAt(POINT screen) const;

    WinControl* pending_ = nullptr; // pressed, not far enough yet; not owned
    POINT pressedAt_{};
    WinControl* source_ = nullptr; // the control being dragged; not owned
    WinControl* target_ = nullptr; // the control under the mouse; not owned
    bool accepted_ = false;
};

} // namespace zel
