#pragma once
// The text that choosing a phrase puts on the clipboard.
#include <string>
#include <string_view>

namespace zel {

// A heading gives the empty text. Otherwise the line loses its bracketed note: first a
// stretch "[" ... "]" followed by a white-space character, with that character; then a
// remaining stretch "[" ... "]" (each pass greedy, at most one stretch each).
std::u16string CopyTextOf(std::u16string_view line);

} // namespace zel
