// What each tag does to the running state and to the line.
#include "htmltext/markup_chars.h"
#include "htmltext/markup_color.h"
#include "htmltext/markup_renderer.h"
#include "htmltext/pixels.h"

#include <algorithm>

namespace zel::markup {
namespace {

constexpr int kListIndent = 12;
// No font is made taller: a size far beyond any screen or page only strains the platform's
// font mapping and the layout's sums.
constexpr int kMaxFontHeight = 16384;
constexpr char16_t kSymbolBullet = u'\u00B7';
constexpr std::u16string_view kSymbolFace = u"Symbol";

// SIZE 1 to 5 in points; any other number is a size in points itself.
int SizeToPoints(int size) {
    constexpr int kPoints[] = {8, 10, 12, 14, 16};
    return size >= 1 && size <= 5 ? kPoints[size - 1] : size;
}

// "FONT-SIZE:" n "PT" in a STYLE value: n points; 0 when the style gives no size in points.
int StylePointSize(std::u16string_view style) {
    const auto at = FindNoCase(style, u"FONT-SIZE:");
    if (at == std::u16string_view::npos)
        return 0;
    const auto value = style.substr(at + 10);
    std::size_t digits = 0;
    while (digits < value.size() && value[digits] == u' ')
        ++digits;
    const std::size_t start = digits;
    while (digits < value.size() && value[digits] >= u'0' && value[digits] <= u'9')
        ++digits;
    if (digits == start || !StartsWithNoCase(value.substr(digits), u"PT"))
        return 0;
    return MarkupNumber(value.substr(start, digits - start));
}

Align ParagraphAlign(std::u16string_view value, Align current) {
    if (ContainsNoCase(value, u"RIGHT"))
        current = Align::Right;
    if (ContainsNoCase(value, u"LEFT"))
        current = Align::Left;
    if (ContainsNoCase(value, u"CENTER"))
        current = Align::Center;
    return current;
}

} // namespace

bool MarkupRenderer::Tag(LinePass& line, std::u16string_view tag) {
    const TagKind kind = ClassifyTag(tag);
    if (kind == TagKind::Image)
        return PlaceImage(line, tag);
    if (kind == TagKind::ListItem)
        return ListItem(line, tag);
    if (!OpenStyle(kind, tag) && !CloseStyle(kind))
        LineTag(line, kind, tag);
    return true;
}

// The opening tags that only switch the running state on; false for the others.
bool MarkupRenderer::OpenStyle(TagKind kind, std::u16string_view tag) {
    RunningState& s = state_;
    switch (kind) {
    case TagKind::Bold:
        s.Font.Bold = true;
        return true;
    case TagKind::Blink:
        if (!p_.Blink)
            s.TextColor = s.Background != clNone ? s.Background : startBrush_;
        return true;
    case TagKind::Error:
        s.ErrorMark = true;
        return true;
    case TagKind::Font:
        OpenFont(tag);
        return true;
    case TagKind::Highlight:
        s.HighlightText = s.TextColor;
        s.HighlightBackground = s.Background;
        s.Background = clHighlight;
        s.TextColor = clHighlightText;
        return true;
    case TagKind::Italic:
        s.Font.Italic = true;
        return true;
    case TagKind::Rotate:
        s.Font.Orientation = MarkupNumber(TagAttribute(tag, u"A")) * 10;
        return true;
    case TagKind::Strike:
        s.Font.StrikeOut = true;
        return true;
    case TagKind::Shadow:
        s.Shadow = true;
        return true;
    case TagKind::Span:
        OpenSpan(tag);
        return true;
    case TagKind::Subscript:
        s.Subscript = true;
        return true;
    case TagKind::Superscript:
        s.Superscript = true;
        return true;
    case TagKind::Underline:
        s.Font.Underline = true;
        return true;
    case TagKind::Hidden:
        s.Hidden = true;
        return true;
    default:
        return false;
    }
}

// The closing tags that only switch the running state back; false for the others.
bool MarkupRenderer::CloseStyle(TagKind kind) {
    RunningState& s = state_;
    switch (kind) {
    case TagKind::EndBold:
        s.Font.Bold = false;
        return true;
    case TagKind::EndColor:
        s.TextColor = s.ColorBeforeFont;
        return true;
    case TagKind::EndError:
        s.ErrorMark = false;
        return true;
    case TagKind::EndFont:
        CloseFont();
        return true;
    case TagKind::EndHighlight:
        s.TextColor = s.HighlightText;
        s.Background = s.HighlightBackground;
        return true;
    case TagKind::EndItalic:
        s.Font.Italic = false;
        return true;
    case TagKind::EndRotate:
        s.Font.Orientation = 0;
        return true;
    case TagKind::EndStrike:
        s.Font.StrikeOut = false;
        return true;
    case TagKind::EndScript:
        s.Subscript = false;
        s.Superscript = false;
        return true;
    case TagKind::EndSpan:
        s.Background = s.SpanBackground;
        return true;
    case TagKind::EndShadow:
        s.Shadow = false;
        return true;
    case TagKind::EndHidden:
        s.Hidden = false;
        return true;
    default:
        return false;
    }
}

// The tags that act on the line: breaks, rules, moves, links, lists and paragraphs.
void MarkupRenderer::LineTag(LinePass& line, TagKind kind, std::u16string_view tag) {
    switch (kind) {
    case TagKind::Body:
        if (line.mode == Mode::Draw && !p_.Selected)
            PaintBody(line, tag);
        break;
    case TagKind::Break:
    case TagKind::EndListItem:
        BreakLine(line);
        break;
    case TagKind::Link:
        OpenLink(line, tag);
        break;
    case TagKind::Rule:
        DrawRule(line, tag);
        break;
    case TagKind::Indent:
        MoveTo(line, rect_.Left + MarkupNumber(TagAttribute(tag, u"X")), true);
        break;
    case TagKind::OrderedList:
        OpenList(line, true);
        break;
    case TagKind::UnorderedList:
        OpenList(line, false);
        break;
    case TagKind::ListOffset:
        state_.ListOffset = MarkupNumber(TagAttribute(tag, u"X"));
        MoveTo(line, rect_.Left + state_.ListOffset, false);
        break;
    case TagKind::Paragraph:
        OpenParagraph(line, tag);
        break;
    case TagKind::EndLink:
        CloseLink(line);
        break;
    case TagKind::EndListOffset:
        CloseList(false, true);
        break;
    case TagKind::EndOrderedList:
        CloseList(false, false);
        break;
    case TagKind::EndUnderline:
        CloseList(true, true);
        break;
    case TagKind::EndUnorderedList:
        CloseList(true, false);
        break;
    case TagKind::EndParagraph:
        CloseParagraph(line);
        break;
    default: // None, and the tags handled before
        break;
    }
}

void MarkupRenderer::BreakLine(LinePass& line) {
    if (line.mode == Mode::Measure)
        r_.StrippedText.push_back(u'\r');
    line.done = true;
}

void MarkupRenderer::DrawRule(LinePass& line, std::u16string_view tag) {
    if (line.mode == Mode::Draw) {
        const auto value = TagAttribute(tag, u"COLOR");
        const Color color = value.empty() ? clBlack : ParseMarkupColor(value, false);
        canvas_.Line({rect_.Left, line.bottom}, {rect_.Right, line.bottom}, color);
    }
    BreakLine(line);
}

void MarkupRenderer::OpenFont(std::u16string_view tag) {
    RunningState& s = state_;
    s.BackgroundAtFont = s.Background;
    if (const auto face = TagAttribute(tag, u"FACE"); !face.empty())
        s.Font.Face = AddFace(face);
    if (const auto color = TagAttribute(tag, u" COLOR"); !color.empty() && !p_.Selected) {
        s.ColorBeforeFont = s.TextColor;
        s.TextColor = ParseMarkupColor(color);
    }
    if (const auto bg = TagAttribute(tag, u"BGCOLOR"); !bg.empty() && !p_.Selected)
        s.Background = ParseMarkupColor(bg);
    int points = StylePointSize(TagAttribute(tag, u"STYLE"));
    if (const auto size = TagAttribute(tag, u"SIZE"); points == 0 && !size.empty())
        points = SizeToPoints(MarkupNumber(size));
    if (points > 0)
        s.Font.Height = PointsToHeight(points);
}

void MarkupRenderer::CloseFont() {
    RunningState& s = state_;
    s.Font.Face = -1;
    s.Font.Height = startFont_.Height;
    if (!p_.Selected)
        s.TextColor = s.ColorBeforeFont;
    s.Background = s.BackgroundAtFont;
}

void MarkupRenderer::OpenLink(const LinePass& line, std::u16string_view tag) {
    RunningState& s = state_;
    ++s.LinkCounter;
    s.InLink = true;
    s.MouseOnLink = false;
    s.Href = TagAttribute(tag, u"HREF");
    s.Title = TagAttribute(tag, u"TITLE");
    s.HoverBackground = s.Background;
    const bool hovered = s.LinkCounter == p_.HoverLink;
    if (!p_.HoverStyle || hovered) {
        s.Font.Underline = true;
        if (p_.HoverColor != clNone)
            s.Background = p_.HoverColor;
        if (p_.HoverFontColor != clNone)
            s.TextColor = p_.HoverFontColor;
    }
    if (!p_.Selected && !(p_.HoverStyle && hovered && p_.HoverFontColor != clNone))
        s.TextColor = p_.LinkColor;
    s.LinkStart = {Pen(line), line.top};
}

void MarkupRenderer::CloseLink(const LinePass& line) {
    RunningState& s = state_;
    s.Font.Underline = false;
    s.Background = s.HoverBackground;
    if (!p_.Selected)
        s.TextColor = s.ColorBeforeFont;
    if (!s.InLink)
        return;
    s.InLink = false;
    if (line.mode == Mode::Measure)
        return;
    if (s.MouseOnLink) {
        const auto [from, to] = LinkSpan(line);
        r_.HoverRect = {from, s.LinkStart.Y, to, line.bottom};
        r_.MouseLink = s.LinkCounter;
    }
    DrawLinkFocus(line);
}

// A numbered list switches numbering on and restarts it; a bulleted one only adds a level
// (numbering is a switch that "</OL>" turns off, not a property of each level).
void MarkupRenderer::OpenList(LinePass& line, bool numbered) {
    ++state_.ListLevel;
    if (numbered) {
        state_.Numbered = true;
        state_.ItemNumber = 0;
    }
    if (line.hasContent)
        line.done = true;
}

// "</U>" and "</O>", and the list forms when no list is open, end the underline or the list
// offset; otherwise the innermost list ends.
void MarkupRenderer::CloseList(bool underlineForm, bool bareForm) {
    RunningState& s = state_;
    if (bareForm || s.ListLevel == 0) {
        if (underlineForm)
            s.Font.Underline = false;
        else
            s.ListOffset = 0;
        return;
    }
    --s.ListLevel;
    if (!underlineForm)
        s.Numbered = false;
}

bool MarkupRenderer::ListItem(LinePass& line, std::u16string_view tag) {
    if (line.itemOnLine && line.mode == Mode::Measure)
        return false;
    line.itemOnLine = true;
    line.hasContent = true;
    RunningState& s = state_;
    const int level = std::max(s.ListLevel, 1);
    if (s.Numbered)
        ++s.ItemNumber;
    if (line.mode == Mode::Measure) {
        metrics_.Width = AddPixels(metrics_.Width, static_cast<long long>(level) * kListIndent);
        return true;
    }
    line.x = AddPixels(line.x, (level - 1LL) * kListIndent);
    const auto type = TagAttribute(tag, u"TYPE");
    const auto colorValue = TagAttribute(tag, u"COLOR");
    const Color color = colorValue.empty() ? s.TextColor : ParseMarkupColor(colorValue);
    const bool draw = line.mode == Mode::Draw;
    if (!type.empty()) {
        const Rect box{line.x, line.top + 2, line.x + 8, line.top + 10};
        if (draw && EqualsNoCase(type, u"SQUARE"))
            canvas_.FillRect(box, color);
        else if (draw && EqualsNoCase(type, u"CIRCLE"))
            canvas_.Ellipse(box, color);
        line.x = AddPixels(line.x, kListIndent);
        return true;
    }
    FontStyle symbol = s.Font;
    symbol.Face = AddFace(kSymbolFace);
    UseFont(symbol);
    char16_t label[16];
    std::size_t length = 0;
    if (s.Numbered) {
        char16_t digits[12];
        std::size_t n = 0;
        for (int k = s.ItemNumber; k > 0 || n == 0; k /= 10)
            digits[n++] = static_cast<char16_t>(u'0' + k % 10);
        while (n > 0)
            label[length++] = digits[--n];
        label[length++] = u'.';
        label[length++] = u' ';
    } else {
        label[length++] = level % 2 == 1 ? kSymbolBullet : u'o';
    }
    const std::u16string_view text(label, length);
    if (draw) {
        canvas_.SetTextColor(color);
        canvas_.SetBrushColor(clNone);
        canvas_.TextRect(text, {line.x, line.top, line.right, line.textBottom},
                         format_ & ~TextFormat::ExternalLeading);
    }
    line.x = AddPixels(line.x, s.Numbered ? Measure(text).cx : kListIndent);
    return true;
}

void MarkupRenderer::OpenParagraph(const LinePass& line, std::u16string_view tag) {
    RunningState& s = state_;
    if (const auto align = TagAttribute(tag, u"ALIGN"); !align.empty()) {
        s.Alignment = ParagraphAlign(align, s.Alignment);
        if (line.mode == Mode::Measure)
            metrics_.Alignment = s.Alignment;
    }
    if (const auto indent = TagAttribute(tag, u"INDENT"); !indent.empty()) {
        s.Indent = MarkupNumber(indent);
        if (line.mode == Mode::Measure)
            metrics_.Indent = s.Indent;
    }
    s.ParagraphBackground = s.Background;
    const auto from = TagAttribute(tag, u"BGCOLOR");
    if (from.empty() || p_.Selected)
        return;
    const auto to = TagAttribute(tag, u"BGCOLORTO");
    const auto dir = TagAttribute(tag, u"DIR");
    s.ParagraphFill = true;
    s.FillFrom = ParseMarkupColor(from);
    s.FillTo = to.empty() ? clNone : ParseMarkupColor(to);
    s.FillHorizontal = dir.empty() || EqualsNoCase(dir, u"H");
    if (line.mode == Mode::Draw)
        FillParagraphLine(line);
}

void MarkupRenderer::CloseParagraph(LinePass& line) {
    BreakLine(line);
    RunningState& s = state_;
    s.ParagraphFill = false;
    s.Alignment = Align::Left;
    if (!p_.Selected)
        s.Background = s.ParagraphBackground;
}

void MarkupRenderer::OpenSpan(std::u16string_view tag) {
    const auto style = TagAttribute(tag, u"STYLE");
    const auto at = FindNoCase(style, u"BACKGROUND-COLOR:");
    if (at == std::u16string_view::npos)
        return;
    auto value = style.substr(at + 17);
    while (!value.empty() && value.front() == u' ')
        value.remove_prefix(1);
    if (value.empty() || value.front() != u'#')
        return;
    state_.SpanBackground = state_.Background;
    state_.Background = ParseMarkupColor(value);
}

void MarkupRenderer::MoveTo(LinePass& line, int x, bool forwardOnly) {
    if (forwardOnly && x <= line.x)
        return;
    line.x = x;
    if (line.mode == Mode::Measure)
        metrics_.Width = std::max(metrics_.Width, x - rect_.Left - line.listOffset);
}

int MarkupRenderer::AddFace(std::u16string_view name) {
    for (std::size_t i = 0; i < faces_.size(); ++i)
        if (EqualsNoCase(faces_[i], name))
            return static_cast<int>(i);
    std::u16string& face = faces_.emplace_back(name);
    for (char16_t& c : face)
        c = AsciiUpper(c);
    return static_cast<int>(faces_.size() - 1);
}

int MarkupRenderer::PointsToHeight(int points) const {
    const long long height = (static_cast<long long>(points) * canvas_.PixelsPerInchY() + 36) / 72;
    return static_cast<int>(std::min<long long>(height, kMaxFontHeight));
}

} // namespace zel::markup
