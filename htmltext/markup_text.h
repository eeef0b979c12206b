#pragma once
// Text-level rewriting of the markup before and during layout.
#include <string>
#include <string_view>

namespace zel::markup {

// The whole-text pass: the entities (case-insensitive, repeated until none is left), then the
// "<#name>" markers (their "<" and the first ">" after it removed), then carriage returns to
// "<BR>" and line feeds removed. Returns `text` itself when nothing changes, otherwise a view
// of `buffer`.
std::u16string_view PrepareMarkup(std::u16string_view text, std::u16string& buffer);

// The in-run pass: "&nbsp;", "&lt;" and "&gt;", lower case only. Returns `run` itself when it
// holds none, otherwise a view of `buffer`.
std::u16string_view ReplaceRunEntities(std::u16string_view run, std::u16string& buffer);

} // namespace zel::markup
