#include "buttonedit/edit_persistence.h"

#include "core/error.h"
#include "ui/files.h"
#include "ui/paths.h"
#include "ui/settings_store.h"
#include "ui/unique_handle.h"
#include "ui/wide.h"

#include <cstring>
#include <memory>

namespace zel {

namespace {

std::u16string RegistryPath(const TPersistence& Where) {
    if (Where.Key.empty() || Where.Section.empty())
        return Where.Key + Where.Section;
    return Where.Key + u"\\" + Where.Section;
}

[[noreturn]] void ThrowRegistryError(LSTATUS code) {
    throw Exception(SystemErrorText(static_cast<unsigned long>(code)));
}

// A value of the key as text: a string, or a number written in decimal digits.
std::optional<std::u16string> RegistryText(HKEY key, std::u16string_view name) {
    const std::u16string valueName(name);
    DWORD type = 0, bytes = 0;
    if (::RegQueryValueExW(key, W(valueName), nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS)
        return std::nullopt;
    std::u16string data((bytes + 1) / sizeof(char16_t), u'\0');
    if (::RegQueryValueExW(key, W(valueName), nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                           &bytes) != ERROR_SUCCESS)
        return std::nullopt;
    if (type == REG_DWORD && bytes == sizeof(DWORD)) {
        DWORD number = 0;
        std::memcpy(&number, data.data(), sizeof number);
        const std::string digits = std::to_string(number);
        return std::u16string(digits.begin(), digits.end());
    }
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        return std::nullopt;
    data.resize(bytes / sizeof(char16_t));
    return data.substr(0, data.find(u'\0'));
}

PersistedReader IniValues(const TPersistence& Where) {
    return [file = OpenSettingsFile(Where.Key), section = Where.Section](std::u16string_view name) {
        return file.ReadString(section, name);
    };
}

PersistedReader RegistryValues(const TPersistence& Where) {
    HKEY opened = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, W(RegistryPath(Where)), 0, KEY_QUERY_VALUE, &opened) !=
        ERROR_SUCCESS)
        return [](std::u16string_view) { return std::optional<std::u16string>(); };
    auto key = std::make_shared<UniqueRegistryKey>(opened);
    return [key](std::u16string_view name) { return RegistryText(key->get(), name); };
}

void WriteIni(const TPersistence& Where, const std::vector<PersistedEntry>& Entries) {
    SettingsFile file = OpenSettingsFile(Where.Key);
    for (const PersistedEntry& entry : Entries)
        file.WriteString(Where.Section, entry.Name, entry.Value);
    UpdateSettingsFile(Where.Key, file);
}

void WriteRegistry(const TPersistence& Where, const std::vector<PersistedEntry>& Entries) {
    const std::u16string path = RegistryPath(Where);
    if (path.empty())
        return; // never into the root of the user's registry
    HKEY created = nullptr;
    if (const LSTATUS code = ::RegCreateKeyExW(HKEY_CURRENT_USER, W(path), 0, nullptr, 0,
                                               KEY_SET_VALUE, nullptr, &created, nullptr);
        code != ERROR_SUCCESS)
        ThrowRegistryError(code);
    const UniqueRegistryKey key(created);
    for (const PersistedEntry& entry : Entries) {
        const auto bytes = static_cast<DWORD>((entry.Value.size() + 1) * sizeof(char16_t));
        if (const LSTATUS code =
                ::RegSetValueExW(key.get(), W(entry.Name), 0, REG_SZ,
                                 reinterpret_cast<const BYTE*>(entry.Value.c_str()), bytes);
            code != ERROR_SUCCESS)
            ThrowRegistryError(code);
    }
}

} // namespace

std::u16string DefaultPersistenceFile() {
    return std::u16string(StripExtension(ProgramFilePath())) + u".INI";
}

PersistedReader OpenPersistedValues(const TPersistence& Where) {
    return Where.Location == TPersistenceLocation::plRegistry ? RegistryValues(Where)
                                                              : IniValues(Where);
}

void WritePersistedValues(const TPersistence& Where, const std::vector<PersistedEntry>& Entries) {
    if (Where.Location == TPersistenceLocation::plRegistry)
        WriteRegistry(Where, Entries);
    else
        WriteIni(Where, Entries);
}

} // namespace zel
