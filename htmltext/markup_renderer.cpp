#include "htmltext/markup_renderer.h"

#include "htmltext/markup_text.h"
#include "htmltext/pixels.h"

#include <algorithm>

namespace zel::markup {
namespace {

constexpr unsigned kBaseFormat = TextFormat::Bottom | TextFormat::SingleLine |
                                 TextFormat::ExpandTabs | TextFormat::ExternalLeading;

bool MouseGiven(const DrawMarkupParams& p) {
    return p.MouseX >= 0 && p.MouseY >= 0;
}

} // namespace

const char16_t* TagFinder::Next(const char16_t* from, const char16_t* end) {
    if (from_ && from_ <= from && from <= found_)
        return found_;
    from_ = from;
    found_ = std::find(from, end, u'<');
    return found_;
}

MarkupRenderer::MarkupRenderer(Canvas& canvas, const Rect& rect, const DrawMarkupParams& params,
                               DrawMarkupResults& results)
    : canvas_(canvas), rect_(ClampRect(rect)), p_(params), r_(results), startFont_(canvas.Font()),
      startText_(canvas.TextColor()), startBrush_(canvas.BrushColor()) {
    r_.AnchorValue.clear();
    r_.StrippedText.clear();
    r_.FocusAnchor.clear();
    r_.Width = 0;
    r_.Height = 0;
    r_.LinkCount = 0;
    r_.MouseLink = -1;
    r_.HoverRect = {};

    state_.Font = {-1,
                   startFont_.Height,
                   startFont_.Bold,
                   startFont_.Italic,
                   startFont_.Underline,
                   startFont_.StrikeOut,
                   startFont_.Orientation};
    state_.TextColor = startText_;
    state_.ColorBeforeFont = startText_;
    startStyle_ = state_.Font;
    selected_ = startStyle_;
    ghHeight_ = Extent(u"gh").cy;
    canvas_.SetBrushColor(clNone);
}

MarkupRenderer::~MarkupRenderer() {
    if (!(selected_ == startStyle_))
        canvas_.SelectFont(startFont_);
    canvas_.SetTextColor(startText_);
    canvas_.SetBrushColor(startBrush_);
}

bool MarkupRenderer::Draw(std::u16string_view input) {
    format_ = kBaseFormat;
    rightToLeft_ = p_.RightToLeft && canvas_.RightToLeftLocale();
    if (rightToLeft_)
        format_ |= TextFormat::Right | TextFormat::RtlReading;
    if (input.find(u" & ") != std::u16string_view::npos)
        format_ |= TextFormat::NoPrefix;
    if (!p_.WordWrap)
        format_ |= TextFormat::EndEllipsis;

    std::u16string prepared;
    std::u16string_view text = PrepareMarkup(input, prepared);
    textEnd_ = text.data() + text.size();
    int top = rect_.Top;
    while (!text.empty()) {
        UseFont(state_.Font);
        metrics_ = {};
        metrics_.Height = ghHeight_;
        metrics_.Alignment = state_.Alignment;
        metrics_.Indent = state_.Indent;
        const RunningState lineStart = state_;

        LinePass measure = StartPass(Mode::Measure, rect_.Left, top, top);
        const std::size_t used = RenderMarkupLine(measure, text);
        EndLine(measure);
        metrics_.Height = AddPixels(metrics_.Height, p_.LineSpacing);

        int left = rect_.Left;
        if (metrics_.Alignment == Align::Right)
            left = std::max(left, rect_.Right - metrics_.Width);
        else if (metrics_.Alignment == Align::Center && rect_.Width() > metrics_.Width)
            left += (rect_.Width() - metrics_.Width) / 2;
        left = AddPixels(left, metrics_.Indent);
        const int lineHeight = AddPixels(
            metrics_.Height, static_cast<long long>(metrics_.SubExtra) + metrics_.SupExtra);
        const int bottom = AddPixels(top, lineHeight);

        if (!p_.MeasureOnly) {
            state_ = lineStart;
            LinePass pass =
                StartPass(p_.HitTestOnly ? Mode::HitTest : Mode::Draw, left, top, bottom);
            RenderMarkupLine(pass, text.substr(0, used));
            EndLine(pass);
        }
        text.remove_prefix(used);
        top = bottom;
        r_.Height = AddPixels(r_.Height, lineHeight);
        if (!p_.MeasureOnly) {
            UseFont(state_.Font);
            if (rect_.Bottom < top + ghHeight_)
                break;
        }
    }
    if (r_.Height == 0) {
        UseFont(state_.Font);
        r_.Height = ghHeight_;
    }
    r_.LinkCount = state_.LinkCounter;
    return mouseOnLinkText_ || mouseOnLinkImage_;
}

LinePass MarkupRenderer::StartPass(Mode mode, int left, int top, int bottom) {
    LinePass line;
    line.mode = mode;
    line.left = left;
    line.top = top;
    line.right = rect_.Right;
    line.bottom = bottom;
    line.textBottom = bottom - metrics_.SubExtra;
    line.listOffset = state_.ListOffset;
    line.x = AddPixels(left, line.listOffset);
    if (mode != Mode::Measure) {
        if (state_.InLink)
            state_.LinkStart = {Pen(line), top};
        if (mode == Mode::Draw && state_.ParagraphFill)
            FillParagraphLine(line);
    }
    return line;
}

std::size_t MarkupRenderer::RenderMarkupLine(LinePass& line, std::u16string_view text) {
    TagFinder& tags = line.mode == Mode::Measure ? measureTags_ : drawTags_;
    std::size_t pos = 0;
    while (pos < text.size() && !line.done) {
        if (text[pos] != u'<') {
            std::size_t end = std::min(
                static_cast<std::size_t>(tags.Next(text.data() + pos, textEnd_) - text.data()),
                text.size());
            if (p_.WordWrap) {
                const std::size_t blank = text.substr(0, end).find(u' ', pos);
                if (blank < end)
                    end = blank + 1;
            }
            if (!Run(line, text.substr(pos, end - pos)))
                break;
            pos = end;
            continue;
        }
        const std::size_t gt = text.find(u'>', pos);
        if (gt == std::u16string_view::npos) {
            // A half-typed tag: the rest is consumed, and its letters do nothing.
            pos = text.size();
            break;
        }
        if (!Tag(line, text.substr(pos, gt + 1 - pos)))
            break;
        pos = gt + 1;
    }
    return pos;
}

bool MarkupRenderer::Run(LinePass& line, std::u16string_view raw) {
    if (state_.Hidden)
        return true;
    const std::u16string_view run = ReplaceRunEntities(raw, runBuffer_);
    UseFont(state_.Font);
    if (line.mode == Mode::Draw) {
        DrawRun(line, run);
        return true;
    }
    const Size size = Measure(run);
    if (line.mode == Mode::HitTest) {
        HitTestRun(line, size.cx);
        Advance(line, size.cx);
        return true;
    }
    const int available = rect_.Width() - line.listOffset;
    if (p_.WordWrap && line.hasContent && AddPixels(metrics_.Width, size.cx) >= available)
        return false;
    metrics_.Height = std::max(metrics_.Height, size.cy);
    if (state_.Subscript)
        metrics_.SubExtra = std::max(metrics_.SubExtra, size.cy / 4);
    if (state_.Superscript)
        metrics_.SupExtra = std::max(metrics_.SupExtra, size.cy / 4);
    r_.StrippedText.append(run);
    metrics_.Width = AddPixels(metrics_.Width, size.cx);
    metrics_.TrailingBlank = run.back() == u' ' ? Extent(u" ").cx : 0;
    line.x = AddPixels(line.x, size.cx);
    line.hasContent = true;
    return true;
}

void MarkupRenderer::DrawRun(LinePass& line, std::u16string_view run) {
    Rect r{line.x, line.top, line.right, line.textBottom};
    if (state_.Subscript)
        r.Bottom += metrics_.SubExtra;
    if (state_.Superscript)
        r.Bottom -= metrics_.SupExtra;
    r.Bottom -= metrics_.BaselineOffset;
    if (state_.Font.Italic)
        r.Right += 2;
    const Size size = Measure(run);
    const unsigned format = format_ & ~TextFormat::ExternalLeading;
    if (p_.WordWrap || line.x < line.right - LetterWidth()) {
        if (state_.Shadow) {
            canvas_.SetTextColor(p_.ShadowColor);
            canvas_.SetBrushColor(clNone);
            const int offset = ClampPixels(p_.ShadowOffset);
            const Rect shadow{r.Left + offset, r.Top + offset, r.Right + offset, r.Bottom + offset};
            canvas_.TextRect(run, shadow, format);
        }
        canvas_.SetTextColor(state_.TextColor);
        canvas_.SetBrushColor(state_.Background);
        canvas_.TextRect(run, r, format);
    }
    if (state_.InLink && state_.LinkCounter - 1 == p_.FocusLink)
        r_.FocusAnchor.assign(state_.Href);
    if (state_.ErrorMark)
        DrawZigZag(rightToLeft_ ? line.right - size.cx : line.x,
                   rightToLeft_ ? line.right : line.x + size.cx, r.Bottom);
    Advance(line, size.cx);
}

void MarkupRenderer::HitTestRun(const LinePass& line, int width) {
    if (!state_.InLink || !MouseGiven(p_))
        return;
    const int from = rightToLeft_ ? line.right - width : line.x;
    const int bandBottom = BandBottom(line);
    if (p_.MouseX >= from && p_.MouseX < from + width && p_.MouseY > bandBottom - ghHeight_ &&
        p_.MouseY < bandBottom) {
        mouseOnLinkText_ = true;
        state_.MouseOnLink = true;
        r_.AnchorValue.assign(state_.Href);
        r_.FocusAnchor.assign(state_.Title);
    }
}

void MarkupRenderer::Advance(LinePass& line, int width) {
    if (rightToLeft_)
        line.right = AddPixels(line.right, -static_cast<long long>(width));
    else
        line.x = AddPixels(line.x, width);
}

// Points every 2 pixels from `from` rounded down to even, up first; only those that reach into
// the drawing rectangle, so that a run far wider than the rectangle costs no more.
void MarkupRenderer::DrawZigZag(int from, int to, int bottom) {
    points_.clear();
    const int start = from & ~1;
    const int first = std::max(start, (rect_.Left - 2) & ~1);
    const int last = std::min(to, rect_.Right + 1);
    bool up = (first - start) / 2 % 2 == 0;
    for (int x = first; x <= last; x += 2, up = !up)
        points_.push_back({x, up ? bottom - 1 : bottom + 1});
    canvas_.Polyline(points_, clRed);
}

void MarkupRenderer::EndLine(LinePass& line) {
    if (line.mode == Mode::Measure) {
        metrics_.Width -= metrics_.TrailingBlank;
        r_.Width = std::max(r_.Width, metrics_.Width + 2);
        return;
    }
    if (state_.InLink)
        DrawLinkFocus(line);
}

// The focus rectangle around the focused link's text on this line.
void MarkupRenderer::DrawLinkFocus(const LinePass& line) {
    if (line.mode != Mode::Draw || state_.LinkCounter - 1 != p_.FocusLink)
        return;
    UseFont(state_.Font);
    const int bandBottom = BandBottom(line);
    const auto [from, to] = LinkSpan(line);
    canvas_.DrawFocusRect({from - 1, bandBottom - ghHeight_, to + 1, bandBottom});
}

void MarkupRenderer::UseFont(const FontStyle& style) {
    if (style == selected_)
        return;
    selected_ = style;
    selectedDesc_.Name = style.Face < 0 ? startFont_.Name : faces_[style.Face];
    selectedDesc_.Height = style.Height;
    selectedDesc_.Bold = style.Bold;
    selectedDesc_.Italic = style.Italic;
    selectedDesc_.Underline = style.Underline;
    selectedDesc_.StrikeOut = style.StrikeOut;
    selectedDesc_.Orientation = style.Orientation;
    canvas_.SelectFont(selectedDesc_);
    ghHeight_ = Extent(u"gh").cy;
    letterWidth_ = -1;
}

Size MarkupRenderer::Measure(std::u16string_view text) {
    return ClampSize(canvas_.MeasureText(text, format_));
}

Size MarkupRenderer::Extent(std::u16string_view text) {
    return ClampSize(canvas_.TextExtent(text));
}

std::pair<int, int> MarkupRenderer::LinkSpan(const LinePass& line) const {
    return rightToLeft_ ? std::pair{Pen(line), state_.LinkStart.X}
                        : std::pair{state_.LinkStart.X, Pen(line)};
}

int MarkupRenderer::LetterWidth() {
    if (letterWidth_ < 0)
        letterWidth_ = Extent(u"l").cx;
    return letterWidth_;
}

} // namespace zel::markup

namespace zel {

bool DrawMarkup(Canvas& canvas, std::u16string_view text, const Rect& rect,
                const DrawMarkupParams& params, DrawMarkupResults& results) {
    markup::MarkupRenderer renderer(canvas, rect, params, results);
    return renderer.Draw(text);
}

} // namespace zel
