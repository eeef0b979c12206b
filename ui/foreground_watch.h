#pragma once
// Remembers the window of another program that was last in front: the one to go back to when
// the user is done with ours. The system reports every change of the window in front; this
// program's own windows are passed over. One watch at a time per program (the report carries
// no context).
#include <windows.h>

namespace zel {

class ForegroundWatch {
public:
    ForegroundWatch();
    ~ForegroundWatch();
    ForegroundWatch(const ForegroundWatch&) = delete;
    ForegroundWatch& operator=(const ForegroundWatch&) = delete;

    // The window, or null when there was none or it is gone.
    HWND LastOther() const;
    // Brings that window to the front and waits (briefly) until it is there: false when there
    // is none or it did not come.
    bool ReturnToLastOther() const;

private:
    static void CALLBACK Changed(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object,
                                 LONG child, DWORD thread, DWORD time);
    void Note(HWND window);

    static ForegroundWatch* current_; // the watch the system's reports go to
    HWINEVENTHOOK hook_ = nullptr;    // owned: unhooked by the destructor
    HWND lastOther_ = nullptr;        // not owned
};

} // namespace zel
