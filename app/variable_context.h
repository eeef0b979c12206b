#pragma once
// What the phrase variables read from the system: the local time, the user's short date and
// time formats, the eras of the Japanese calendar and the clipboard.
#include "app/phrase_text.h"

#include <windows.h>

namespace zel {

TVariableContext CurrentVariableContext(HWND clipboardOwner);

// The eras the system knows: from the Japanese calendar's era table with their first days
// where the system keeps it, else from the calendar's era names and first years.
std::vector<TEra> JapaneseEras();

} // namespace zel
