// TExtEdit's persistence: what is stored is decided by persisted_entries, where by
// edit_persistence; this file names the field's entries and applies what comes back.
#include "buttonedit/ext_edit.h"

namespace zel {

void TExtEdit::WindowGoing() {
    RevokeDropTarget();
    SavePersist();
}

void TExtEdit::SavePersist() {
    // Without a name there is nothing to keep the text under.
    if (!FPersistence.Enable || Name().empty())
        return;
    if (FPersistence.Location == TPersistenceLocation::plInifile) {
        if (FPersistence.Key.empty())
            FPersistence.Key = DefaultPersistenceFile();
        if (FPersistence.Section.empty())
            FPersistence.Section = Name();
    }
    const LookupHistory history{FLookup.DisplayList(), FLookup.ValueList()};
    const bool withHistory = FLookup.Enabled && FLookup.History;
    WritePersistedValues(FPersistence,
                         PersistedEntries(Name(), WindowText(), withHistory ? &history : nullptr));
}

void TExtEdit::LoadPersist() {
    if (!FPersistence.Enable || FPersistence.Section.empty() || Name().empty())
        return;
    if (FPersistence.Location == TPersistenceLocation::plInifile && FPersistence.Key.empty())
        FPersistence.Key = DefaultPersistenceFile();
    const PersistedField field = ReadPersistedField(OpenPersistedValues(FPersistence), Name(),
                                                    FLookup.Enabled && FLookup.History);
    for (const auto& [display, value] : field.History)
        FLookup.AddPair(display, value);
    if (field.WindowText)
        SetWindowTextKeepingNotifications(*field.WindowText);
}

} // namespace zel
