#pragma once
// Marks every occurrence of a search text in an item text with the markup's highlight tag.
// Occurrences are searched in the text without its tags, so a hit may span tags; the marks go
// in right after the last visible character before the hit and right after its last
// character, and a hit that ends the visible text is closed at the end of the text.
#include "listbox/text_folder.h"

#include <string>
#include <string_view>

namespace zel {

// Both texts are compared folded as the search folds them.
std::u16string MarkHighlights(std::u16string_view text, std::u16string_view highlight,
                              const TextFolder& folder);

} // namespace zel
