#include "htmltext/markup_tag.h"

#include "htmltext/markup_chars.h"

namespace zel::markup {
namespace {

constexpr int kNumberLimit = 1000000;

char16_t LetterAt(std::u16string_view tag, std::size_t i) {
    return i < tag.size() ? AsciiUpper(tag[i]) : u'\0';
}

TagKind ClassifyOpening(std::u16string_view tag) {
    const char16_t next = LetterAt(tag, 2);
    switch (LetterAt(tag, 1)) {
    case u'A':
        return TagKind::Link;
    case u'B':
        switch (next) {
        case u'>':
            return TagKind::Bold;
        case u'L':
            return TagKind::Blink;
        case u'O':
            return TagKind::Body;
        case u'R':
            return TagKind::Break;
        }
        return TagKind::None;
    case u'E':
        return TagKind::Error;
    case u'F':
        return TagKind::Font;
    case u'H':
        return next == u'I' ? TagKind::Highlight : next == u'R' ? TagKind::Rule : TagKind::None;
    case u'I':
        switch (next) {
        case u'>':
            return TagKind::Italic;
        case u'N':
            return TagKind::Indent;
        case u'M':
            return TagKind::Image;
        }
        return TagKind::None;
    case u'L':
        return TagKind::ListItem;
    case u'O':
        return next == u'L'   ? TagKind::OrderedList
               : next == u'F' ? TagKind::ListOffset
                              : TagKind::None;
    case u'P':
        return TagKind::Paragraph;
    case u'R':
        return TagKind::Rotate;
    case u'S':
        if (StartsWithNoCase(tag, u"<SUB>"))
            return TagKind::Subscript;
        if (StartsWithNoCase(tag, u"<SUP>"))
            return TagKind::Superscript;
        switch (next) {
        case u'>':
        case u'T':
            return TagKind::Strike;
        case u'H':
            return TagKind::Shadow;
        case u'P':
            return TagKind::Span;
        }
        return TagKind::None;
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
