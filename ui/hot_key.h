#pragma once
// A system-wide hotkey of a window, registered for the object's life (WM_HOTKEY with the id
// reaches the window while it lasts).
#include <windows.h>

namespace zel {

class HotKeyRegistration {
public:
    // modifiers: MOD_ALT, MOD_CONTROL, MOD_SHIFT, MOD_WIN; a held key does not repeat.
    HotKeyRegistration(HWND window, int id, UINT modifiers, UINT key) noexcept
        : window_(window), id_(id),
          registered_(::RegisterHotKey(window, id, modifiers | MOD_NOREPEAT, key) != FALSE) {}
    ~HotKeyRegistration() {
        if (registered_)
            ::UnregisterHotKey(window_, id_);
    }
    HotKeyRegistration(const HotKeyRegistration&) = delete;
    HotKeyRegistration& operator=(const HotKeyRegistration&) = delete;

    // False when another program holds the combination.
    bool Registered() const noexcept { return registered_; }

private:
    HWND window_;
    int id_;
    bool registered_;
};

} // namespace zel
