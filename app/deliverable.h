#pragma once
// What sets Velmora and Tamsorn apart: one table of constants each, read by the one
// implementation of the start-up and the main window.
#include "zel_version.h"

namespace zel {

struct SettingsKeys {
    const char16_t* Top;
    const char16_t* Left;
    const char16_t* ClientWidth;
    const char16_t* ClientHeight;
};

struct SiblingButton {
    const char16_t* Name; // the control's name, as the window's layout calls it
    int Left;
    int Width;
    const char16_t* Caption;
};

struct Deliverable {
    const char16_t* MutexName; // single-instance mutex in the log-on session
    const char16_t*
        FormClassName;     // registered class of the main window, looked up by a second copy
    const char16_t* Title; // application title and start of the window caption
    int ReloadButtonWidth;
    SiblingButton Sibling;
    int LabelLeft;
    SettingsKeys Keys;
    int DefaultOffset; // added to the centred default top and left
    const char16_t* SiblingFile;
};

extern const Deliverable kVelmora; // Unit1
extern const Deliverable kTamsorn; // Unit3

inline constexpr const char16_t* kVersion = u"" ZEL_VERSION_TEXT;

} // namespace zel
