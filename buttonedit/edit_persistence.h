#pragma once
// TPersistence: whether and where an edit field keeps its text between runs: an INI file
// (replaced in one step, its other sections and keys kept) or a key of the current user's
// registry. What is kept is persisted_entries' business; this is the storage.
#include "buttonedit/persisted_entries.h"

#include <cstdint>
#include <string>
#include <vector>

namespace zel {

enum class TPersistenceLocation : uint8_t { plInifile, plRegistry };

class TPersistence {
public:
    bool Enable = false;
    // The INI file, or the registry key below HKEY_CURRENT_USER.
    std::u16string Key;
    // The INI section, or the registry key's subkey.
    std::u16string Section;
    TPersistenceLocation Location = TPersistenceLocation::plInifile;
    void Assign(const TPersistence& Source) { *this = Source; }
};

// The INI file of a field without Key: the program's path with the extension ".INI".
std::u16string DefaultPersistenceFile();

// The values stored at the location; an absent file or key reads as empty. Fails with the
// settings file's message for an INI file that is no valid UTF-8.
PersistedReader OpenPersistedValues(const TPersistence& Where);

// Stores the entries at the location. An INI file that cannot be read is left as it is and
// the failure reported; a registry location needs a Key or a Section.
void WritePersistedValues(const TPersistence& Where, const std::vector<PersistedEntry>& Entries);

} // namespace zel
