#pragma once
// The text rules of the edit field that need no window: prefix and suffix, URL-like texts, the
// selection of "select all", the text a paste produces, the formatting rectangle and the error
// marker's wave. Positions are 0-based UTF-16 indexes.
#include "htmltext/geometry.h"

#include <string>
#include <string_view>
#include <vector>

namespace zel {

// The window text without the prefix (removed when the text begins with it, letters compared
// without regard to case) and without the suffix (as many trailing characters as it has).
std::u16string TextWithoutAffixes(std::u16string_view windowText, std::u16string_view prefix,
                                  std::u16string_view suffix);

// Holds "://", or "@" after the first character, or begins with "www." (any case).
bool IsURLText(std::u16string_view text);

struct TextRange {
    int Start = 0;
    int End = 0; // one past the last character
    bool operator==(const TextRange&) const = default;
};

// What "select all" selects: the text between prefix and suffix; with a URL look, from behind
// "://" or "mailto:".
TextRange SelectAllRange(std::u16string_view windowText, int prefixLength, int suffixLength,
                         bool showURL);

struct PasteResult {
    std::u16string Text; // the whole new text
    TextRange Inserted;  // where the pasted part lies in it
};

// The selection [selection.Start, selection.End) replaced by the clipboard text up to its first
// CR (or inserted at the caret when the selection is empty).
PasteResult PastedText(std::u16string_view current, TextRange selection,
                       std::u16string_view clipboard);

// The edit window's formatting rectangle for its client size: a margin of a third of the font's
// point size unless the edit is 3-D, room for the underline in flat mode.
Rect TextRectFor(int clientWidth, int clientHeight, int fontPointSize, bool ctl3D, bool flat);

// The error marker: a zigzag from x0 to x1 just below a text line whose bottom is at `y`,
// three pixels high, turning every three pixels.
std::vector<Point> ZigzagPoints(int x0, int x1, int y);

} // namespace zel
