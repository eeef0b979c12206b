#include "ui/foreground_watch.h"

#include <chrono>

namespace zel {

ForegroundWatch* ForegroundWatch::current_ = nullptr;

ForegroundWatch::ForegroundWatch() {
    current_ = this;
    Note(::GetForegroundWindow());
    hook_ = ::SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr,
                              &ForegroundWatch::Changed, 0, 0,
                              WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS);
}

ForegroundWatch::~ForegroundWatch() {
    if (hook_)
        ::UnhookWinEvent(hook_);
    if (current_ == this)
        current_ = nullptr;
}

void CALLBACK ForegroundWatch::Changed(HWINEVENTHOOK, DWORD, HWND window, LONG, LONG, DWORD,
                                       DWORD) {
    if (current_)
        current_->Note(window);
}

void ForegroundWatch::Note(HWND window) {
    DWORD process = 0;
    if (window && ::GetWindowThreadProcessId(window, &process) &&
        process != ::GetCurrentProcessId())
        lastOther_ = window;
}

HWND ForegroundWatch::LastOther() const {
    return lastOther_ && ::IsWindow(lastOther_) ? lastOther_ : nullptr;
}

bool ForegroundWatch::ReturnToLastOther() const {
    HWND target = LastOther();
    if (!target)
        return false;
    ::SetForegroundWindow(target);
    // Another program's window comes to the front in its own time: wait for it, a little.
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(500);
    while (::GetForegroundWindow() != target) {
        if (std::chrono::steady_clock::now() > until)
            return false;
        ::Sleep(10);
    }
    return true;
}

} // namespace zel
