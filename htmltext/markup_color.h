#pragma once
// Colour values written in the markup: "#RRGGBB" or a colour name of the table.
#include "htmltext/color.h"

#include <string_view>

namespace zel::markup {

// `upperCased`: the tag text counts as upper-cased, so hexadecimal letters may be written in
// either case; otherwise only 0-9 and A-F are digits (the rule of the HR tag). A character
// that is no digit reads as 0, a pair with fewer than two characters as 0, and an unknown
// name as black.
Color ParseMarkupColor(std::u16string_view value, bool upperCased = true);

} // namespace zel::markup
