#pragma once
// zelgrep's JSON lines: a string (--split) and a match with its groups (--json).
#include <string>
#include <string_view>

namespace zel {

class TZelRegExp;

// A JSON string of UTF-8 text: quotes, backslashes, control characters and lone surrogates
// escaped.
std::string JsonString(std::u16string_view text);

// {"line":N,"index":I,"length":L,"groups":[[I,L] or null, ...]} for the regex object's match;
// positions count from the line, which begins offset units into the object's subject (line 0:
// no "line").
std::string JsonMatch(const TZelRegExp& re, int line, int offset);

} // namespace zel
