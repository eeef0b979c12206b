#include "ui/settings_store.h"

#include "ui/files.h"

namespace zel {

SettingsFile OpenSettingsFile(const std::u16string& path) {
    if (!FileExists(path))
        return SettingsFile();
    return SettingsFile::FromBytes(ReadWholeFile(path));
}

void UpdateSettingsFile(const std::u16string& path, const SettingsFile& settings) {
    WriteWholeFile(path, settings.ToBytes());
}

} // namespace zel
