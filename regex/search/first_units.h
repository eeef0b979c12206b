#pragma once
// The units at which a text character can begin whose folded form (FoldRead by the compare
// options) begins with a given character: the positions worth comparing when a literal or a
// trie string starts with that character. Found through a reverse folding table built once per
// process and option set, on first use.
#include "regex/types.h"

#include <optional>
#include <vector>

namespace zel {

// Sorted units. Every position whose FoldRead, in whatever context (a sound mark after a
// half-width kana, a surrogate pair), begins with target holds one of them; a few more may be
// included. nullopt when target is a lone surrogate, whose set is not kept.
std::optional<std::vector<char16_t>> FirstUnitsOf(char32_t target, TRECompareOptions options);

// Whether the character at a position holding unit is always that one unit and folds to one
// character, whatever follows: the next character of the text then starts right after it.
bool FoldsAlone(char16_t unit, TRECompareOptions options);

} // namespace zel
