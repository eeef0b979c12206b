#pragma once
// The hint of one window: the system's tooltip over the whole window. Its text is asked for
// each time the tip is about to show, so it may depend on where the mouse is; Refresh hides a
// shown tip, so that the next stop of the mouse asks again.
#include "ui/unique_handle.h"

#include <windows.h>

#include <optional>
#include <string>

namespace zel {

// What a window shows as its hint at a point: nothing when the text is empty; At places the
// tip at a point of the window's client area instead of below the mouse.
struct HintInfo {
    std::u16string Text;
    std::optional<POINT> At;
};

class WindowHint {
public:
    explicit WindowHint(HWND owner);
    WindowHint(const WindowHint&) = delete;
    WindowHint& operator=(const WindowHint&) = delete;

    void Refresh();
    // Whether a notification comes from this hint's tooltip.
    bool Owns(HWND from) const noexcept { return from == tooltip_.get(); }
    // Answers one of the tooltip's notifications: gives the text, and places the tip when the
    // hint names a place.
    LRESULT Notify(LPARAM lParam, const HintInfo& info);

private:
    HWND owner_;
    UniqueWindow tooltip_; // owned
    std::u16string text_;  // what the tip shows: the tooltip reads it from here
};

} // namespace zel
