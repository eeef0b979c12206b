#pragma once
// What the button edit's window tests share: a shown form with a parent that records the keys
// posted to it, typing as the platform delivers a user's keys, pixels read from the screen and
// message pumping with a timeout.
#include "ui/application.h"
#include "ui/form.h"

#include <windows.h>

#include <chrono>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

namespace zel::edit_testing {

// A plain windowed control that records the key messages it gets.
class KeyRecorder : public WinControl {
public:
    using WinControl::WinControl;
    std::vector<std::pair<UINT, WPARAM>> keys;

protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_KEYDOWN || message == WM_KEYUP)
            keys.emplace_back(message, wParam);
        return WinControl::WndProc(message, wParam, lParam);
    }
};

// Dispatches the thread's messages until `done` holds or two seconds have passed.
inline bool PumpUntil(const std::function<bool()>& done) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    MSG msg;
    while (!done()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

// Handles what is queued now.
inline void Pump() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

// Holds Ctrl (or other keys) down in the thread's keyboard state while it lives.
class HeldKeys {
public:
    explicit HeldKeys(std::initializer_list<BYTE> keys) : keys_(keys) { Set(0x80); }
    ~HeldKeys() { Set(0); }
    HeldKeys(const HeldKeys&) = delete;
    HeldKeys& operator=(const HeldKeys&) = delete;

private:
    void Set(BYTE state) {
        BYTE all[256];
        ::GetKeyboardState(all);
        for (BYTE key : keys_)
            all[key] = state;
        ::SetKeyboardState(all);
    }
    std::vector<BYTE> keys_;
};

// A key as the platform delivers a press: key down, its character when it has one, key up.
inline void PressKey(HWND window, WORD key, char16_t character = 0) {
    ::SendMessageW(window, WM_KEYDOWN, key, 1);
    if (character)
        ::SendMessageW(window, WM_CHAR, character, 1);
    ::SendMessageW(window, WM_KEYUP, key, 0xC0000001);
}

// Types text character by character, as key presses.
inline void Type(HWND window, const std::u16string& text) {
    for (char16_t c : text) {
        const SHORT vk = ::VkKeyScanW(static_cast<wchar_t>(c));
        PressKey(window, vk == -1 ? 0 : LOBYTE(vk), c);
    }
}

// The pixels of a window's client area as they are on the screen.
class ScreenPixels {
public:
    explicit ScreenPixels(HWND window) : window_(window) {
        ::RedrawWindow(window, nullptr, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
        Pump();
    }
    COLORREF At(int x, int y) const {
        WindowDC dc(window_);
        return ::GetPixel(dc.get(), x, y);
    }
    // How many pixels of the rectangle have exactly the colour.
    int Count(RECT area, COLORREF color) const {
        WindowDC dc(window_);
        int n = 0;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x)
                n += ::GetPixel(dc.get(), x, y) == color;
        return n;
    }

private:
    HWND window_;
};

// A shown form holding a key-recording panel that fills it.
struct ShownForm {
    ShownForm() {
        Application::Instance().Initialize();
        form = std::make_unique<Form>(nullptr, u"ZelButtonEditTest", 320, 120, false);
        panel = form->Make<KeyRecorder>();
        panel->SetParent(form.get());
        panel->SetBounds(0, 0, 320, 120);
        panel->SetColor(clBtnFace);
        form->Show();
    }
    std::unique_ptr<Form> form;
    KeyRecorder* panel;
};

} // namespace zel::edit_testing
