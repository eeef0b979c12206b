#pragma once
// Line splitting shared by the phrase list and the settings file.
#include <string>
#include <string_view>
#include <vector>

namespace zel {

// CR LF, a lone LF and a lone CR each end a line (so LF CR is two breaks); a break at the very
// end adds no empty line; a U+0000 ends the text.
std::vector<std::u16string> SplitLines(std::u16string_view text);

// Removes leading and trailing characters up to U+0020.
std::u16string_view TrimBlanks(std::u16string_view text);

// Letter-case-insensitive equality for the settings file's section names and keys.
bool SameTextIgnoringCase(std::u16string_view a, std::u16string_view b);

} // namespace zel
