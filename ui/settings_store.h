#pragma once
// The settings file on disk: open reads it whole (a missing file reads as empty), update
// writes it whole.
#include "ui/settings_file.h"

namespace zel {

SettingsFile OpenSettingsFile(const std::u16string& path);
void UpdateSettingsFile(const std::u16string& path, const SettingsFile& settings);

} // namespace zel
