#pragma once
// Keyboard and mouse events of the controls: the shift state, the mouse button, and the event
// types (the key and the key character are passed by reference so that a handler can change or
// swallow them; 0 swallows).
#include "ui/component.h"

#include <windows.h>

#include <cstdint>
#include <functional>

namespace zel {

using TShiftState = uint8_t;
enum : uint8_t {
    ssShift = 1,
    ssAlt = 2,
    ssCtrl = 4,
    ssLeft = 8,
    ssRight = 16,
    ssMiddle = 32,
    ssDouble = 64,
};

enum class TMouseButton : uint8_t { mbLeft, mbRight, mbMiddle };

using TKeyEvent = std::function<void(Component* Sender, WORD& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(Component* Sender, char16_t& Key)>;
using TMouseEvent =
    std::function<void(Component* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(Component* Sender, TShiftState Shift, int X, int Y)>;

// The keyboard's shift keys now.
TShiftState KeyboardShiftState();
// The shift keys and mouse buttons of a mouse message's wParam.
TShiftState MouseShiftState(WPARAM wParam);

} // namespace zel
