#include "htmltext/markup_tag.h"

#include "htmltext/markup_chars.h"

#include <initializer_list>
#include <utility>

namespace zel::markup {
namespace {

constexpr int kNumberLimit = 1000000;

char16_t LetterAt(std::u16string_view tag, std::size_t i) {
    return i < tag.size() ? AsciiUpper(tag[i]) : u'\0';
}

// The kind that the letter after the first one names, None for any other letter.
TagKind ByNextLetter(char16_t next, std::initializer_list<std::pair<char16_t, TagKind>> kinds) {
    for (const auto& [letter, kind] : kinds)
        if (next == letter)
            return kind;
    return TagKind::None;
}

TagKind ClassifyOpening(std::u16string_view tag) {
    const char16_t next = LetterAt(tag, 2);
    switch (LetterAt(tag, 1)) {
    case u'A':
        return TagKind::Link;
    case u'B':
        return ByNextLetter(next, {{u'>', TagKind::Bold},
                                   {u'L', TagKind::Blink},
                                   {u'O', TagKind::Body},
                                   {u'R', TagKind::Break}});
    case u'E':
        return TagKind::Error;
    case u'F':
        return TagKind::Font;
    case u'H':
        return ByNextLetter(next, {{u'I', TagKind::Highlight}, {u'R', TagKind::Rule}});
    case u'I':
        return ByNextLetter(
            next, {{u'>', TagKind::Italic}, {u'N', TagKind::Indent}, {u'M', TagKind::Image}});
    case u'L':
        return TagKind::ListItem;
    case u'O':
        return ByNextLetter(next, {{u'L', TagKind::OrderedList}, {u'F', TagKind::ListOffset}});
    case u'P':
        return TagKind::Paragraph;
    case u'R':
        return TagKind::Rotate;
    case u'S':
        if (StartsWithNoCase(tag, u"<SUB>"))
            return TagKind::Subscript;
        if (StartsWithNoCase(tag, u"<SUP>"))
            return TagKind::Superscript;
        return ByNextLetter(next, {{u'>', TagKind::Strike},
                                   {u'T', TagKind::Strike},
                                   {u'H', TagKind::Shadow},
                                   {u'P', TagKind::Span}});
    case u'U':
        return next == u'>' ? TagKind::Underline : TagKind::UnorderedList;
    case u'Z':
        return TagKind::Hidden;
    }
    return TagKind::None;
}

TagKind ClassifyClosing(std::u16string_view tag) {
    const char16_t next = LetterAt(tag, 3);
    switch (LetterAt(tag, 2)) {
    case u'A':
        return TagKind::EndLink;
    case u'B':
        return next == u'>' ? TagKind::EndBold : TagKind::EndColor;
    case u'E':
        return TagKind::EndError;
    case u'F':
        return TagKind::EndFont;
    case u'H':
        return TagKind::EndHighlight;
    case u'I':
        return TagKind::EndItalic;
    case u'L':
        return TagKind::EndListItem;
    case u'O':
        return next == u'>' ? TagKind::EndListOffset : TagKind::EndOrderedList;
    case u'P':
        return TagKind::EndParagraph;
    case u'R':
        return TagKind::EndRotate;
    case u'S':
        switch (next) {
        case u'U':
            return TagKind::EndScript;
        case u'P':
            return TagKind::EndSpan;
        case u'H':
            return TagKind::EndShadow;
        }
        return TagKind::EndStrike;
    case u'U':
        return next == u'>' ? TagKind::EndUnderline : TagKind::EndUnorderedList;
    case u'Z':
        return TagKind::EndHidden;
    }
    return TagKind::None;
}

} // namespace

TagKind ClassifyTag(std::u16string_view tag) {
    if (tag.size() > 3 && tag[1] == u'/')
        return ClassifyClosing(tag);
    return ClassifyOpening(tag);
}

std::u16string_view TagAttribute(std::u16string_view tag, std::u16string_view name) {
    const std::size_t at = FindNoCase(tag, name);
    if (at == std::u16string_view::npos)
        return {};
    const std::size_t open = tag.find(u'"', at + name.size());
    if (open == std::u16string_view::npos)
        return {};
    const std::size_t close = tag.find(u'"', open + 1);
    if (close == std::u16string_view::npos)
        return {};
    return tag.substr(open + 1, close - open - 1);
}

int MarkupNumber(std::u16string_view value) {
    std::size_t i = 0;
    while (i < value.size() && value[i] == u' ')
        ++i;
    const bool negative = i < value.size() && value[i] == u'-';
    if (negative || (i < value.size() && value[i] == u'+'))
        ++i;
    int n = 0;
    for (; i < value.size() && value[i] >= u'0' && value[i] <= u'9'; ++i)
        n = n < kNumberLimit ? n * 10 + (value[i] - u'0') : kNumberLimit;
    if (n > kNumberLimit)
        n = kNumberLimit;
    return negative ? -n : n;
}

} // namespace zel::markup
