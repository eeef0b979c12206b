#include "app/placement.h"

#include <cmath>

namespace zel {

DefaultPlace DefaultPosition(int workWidth, int workHeight, int windowWidth, int windowHeight,
                             int offset) {
    int top = static_cast<int>(std::floor(workHeight / 2.0 - windowHeight / 2.0));
    int left = static_cast<int>(std::floor(workWidth / 2.0 - windowWidth / 2.0));
    return {top + offset, left + offset};
}

WindowPlacement ReadPlacement(const SettingsFile& settings, const SettingsKeys& keys,
                              DefaultPlace defaults) {
    WindowPlacement p{};
    p.Top = settings.ReadInteger(kSettingsSection, keys.Top, defaults.Top);
    p.Left = settings.ReadInteger(kSettingsSection, keys.Left, defaults.Left);
    p.ClientWidth = settings.ReadInteger(kSettingsSection, keys.ClientWidth, kDefaultClientWidth);
    p.ClientHeight =
        settings.ReadInteger(kSettingsSection, keys.ClientHeight, kDefaultClientHeight);
    return p;
}

void WritePlacement(SettingsFile& settings, const SettingsKeys& keys, const WindowPlacement& p) {
    settings.WriteInteger(kSettingsSection, keys.Top, p.Top);
    settings.WriteInteger(kSettingsSection, keys.Left, p.Left);
    settings.WriteInteger(kSettingsSection, keys.ClientWidth, p.ClientWidth);
    settings.WriteInteger(kSettingsSection, keys.ClientHeight, p.ClientHeight);
}

} // namespace zel
