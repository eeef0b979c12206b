#pragma once
// The window placement kept in the settings file: portable, so the rules are tested natively.
#include "app/deliverable.h"
#include "ui/settings_file.h"

namespace zel {

struct WindowPlacement {
    int Top;
    int Left;
    int ClientWidth;
    int ClientHeight;
};

inline constexpr int kDefaultClientWidth = 372;
inline constexpr int kDefaultClientHeight = 320;
inline constexpr const char16_t* kSettingsSection = u"System";

struct DefaultPlace {
    int Top;
    int Left;
};

// Centred on the work area by the window's outer size (the work area's origin is not added),
// moved by the deliverable's offset.
DefaultPlace DefaultPosition(int workWidth, int workHeight, int windowWidth, int windowHeight,
                             int offset);

// Reads top, left, client width and client height, in that order, each with its default.
WindowPlacement ReadPlacement(const SettingsFile& settings, const SettingsKeys& keys,
                              DefaultPlace defaults);

// Writes top, left, client width and client height, in that order.
void WritePlacement(SettingsFile& settings, const SettingsKeys& keys, const WindowPlacement& p);

} // namespace zel
