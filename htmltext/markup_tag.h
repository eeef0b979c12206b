#pragma once
// Tag recognition: a tag is named by its first letters only, and attributes are found by a
// substring search for their name with the value between the next two double quotes.
#include <string_view>

namespace zel::markup {

enum class TagKind : unsigned char {
    None,
    // opening tags
    Bold,
    Blink,
    Body,
    Break,
    Link,
    Error,
    Font,
    Highlight,
    Rule,
    Italic,
    Indent,
    Image,
    ListItem,
    OrderedList,
    ListOffset,
    Paragraph,
    Rotate,
    Strike,
    Shadow,
    Span,
    Subscript,
    Superscript,
    Underline,
    UnorderedList,
    Hidden,
    // closing tags
    EndLink,
    EndBold,
    EndColor, // a closing B not followed by ">": the colour before the last coloured F tag
    EndError,
    EndFont,
    EndHighlight,
    EndItalic,
    EndListItem,
    EndListOffset, // "</O>": the list offset
    EndOrderedList,
    EndParagraph,
    EndRotate,
    EndStrike,
    EndScript,
    EndSpan,
    EndShadow,
    EndUnderline, // "</U>"
    EndUnorderedList,
    EndHidden,
};

// `tag` runs from its "<" through its ">".
TagKind ClassifyTag(std::u16string_view tag);

// The quoted value of the first occurrence of `name` (case-insensitive) in `tag`; empty when
// the name is missing or its value is not quoted.
std::u16string_view TagAttribute(std::u16string_view tag, std::u16string_view name);

// The numeric prefix of a value after leading blanks (0 when there is none), kept within
// +-1000000 so that no later arithmetic can overflow.
int MarkupNumber(std::u16string_view value);

} // namespace zel::markup
