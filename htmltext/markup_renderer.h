#pragma once
// The layout engine behind DrawMarkup: a line loop that runs RenderMarkupLine twice per line,
// once to measure (taking the line's markup off the front of the text) and once to draw that
// markup at its final position.
#include "htmltext/draw_markup.h"
#include "htmltext/markup_tag.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zel::markup {

enum class Mode { Measure, Draw, HitTest };
enum class Align { Left, Right, Center };

// A font as the engine tracks it: the face is an index into the call's face names (-1 for
// the starting font's face), so copying and comparing it costs nothing.
struct FontStyle {
    int Face = -1;
    int Height = 0;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
    int Orientation = 0;
    bool operator==(const FontStyle&) const = default;
};

// Everything the tags switch; carried from line to line. Switches, not stacks: a closing tag
// restores what its own opening tag remembered last.
struct RunningState {
    FontStyle Font;
    Color TextColor = clNone;
    Color Background = clNone;
    Color ColorBeforeFont = clNone;     // at the last F tag that set a colour
    Color BackgroundAtFont = clNone;    // at the last F tag
    Color HighlightText = clNone;       // at HI
    Color HighlightBackground = clNone; // at HI
    Color SpanBackground = clNone;      // at SP
    Color ParagraphBackground = clNone; // at P
    Color HoverBackground = clNone;     // at A
    bool Shadow = false;
    bool Hidden = false;
    bool Subscript = false;
    bool Superscript = false;
    bool ErrorMark = false;
    // paragraph background
    bool ParagraphFill = false;
    Color FillFrom = clNone;
    Color FillTo = clNone; // clNone: solid
    bool FillHorizontal = true;
    Align Alignment = Align::Left;
    int Indent = 0;
    // links
    bool InLink = false;
    std::u16string_view Href;
    std::u16string_view Title;
    Point LinkStart; // the pen where the link starts on its current line
    bool MouseOnLink = false;
    int LinkCounter = 0;
    int ImageCounter = 0;
    // lists
    int ListLevel = 0;
    bool Numbered = false;
    int ItemNumber = 0;
    int ListOffset = 0; // applies from the next line on
};

// Produced by the measuring pass of a line, used to place and draw it.
struct LineMetrics {
    int Width = 0;
    int Height = 0;
    int SubExtra = 0;
    int SupExtra = 0;
    int BaselineOffset = 0;
    int TrailingBlank = 0;
    Align Alignment = Align::Left;
    int Indent = 0;
};

// One pass over one line.
struct LinePass {
    Mode mode = Mode::Measure;
    int left = 0; // the line's left edge
    int top = 0;
    int right = 0; // runs are drawn up to here (moves left in right-to-left reading)
    int bottom = 0;
    int textBottom = 0;
    int listOffset = 0; // carried from the previous line
    int x = 0;
    bool hasContent = false;
    bool itemOnLine = false;
    bool done = false; // a line break was met
};

// A resolved image source: an image of an image list, or a picture.
struct MarkupImage {
    const ImageList* list = nullptr;
    int index = -1;
    const Picture* picture = nullptr;
    Size size;
    bool system = false; // a system icon: drawn at the line top
    explicit operator bool() const { return list || picture; }
};

// The next "<" of the prepared text for a pass whose positions only move forward, from line
// to line too: each stretch of the text is searched once, however many word-wrapped runs lie
// between two tags.
class TagFinder {
public:
    const char16_t* Next(const char16_t* from, const char16_t* end);

private:
    const char16_t* from_ = nullptr;
    const char16_t* found_ = nullptr;
};

class MarkupRenderer {
public:
    MarkupRenderer(Canvas& canvas, const Rect& rect, const DrawMarkupParams& params,
                   DrawMarkupResults& results);
    // Restores the canvas font, text colour and brush, also when drawing failed.
    ~MarkupRenderer();
    MarkupRenderer(const MarkupRenderer&) = delete;
    MarkupRenderer& operator=(const MarkupRenderer&) = delete;

    bool Draw(std::u16string_view text);

private:
    // line engine (markup_renderer.cpp)
    LinePass StartPass(Mode mode, int left, int top, int bottom);
    std::size_t RenderMarkupLine(LinePass& line, std::u16string_view text);
    bool Run(LinePass& line, std::u16string_view raw);
    void DrawRun(LinePass& line, std::u16string_view run);
    void HitTestRun(const LinePass& line, int width);
    void Advance(LinePass& line, int width);
    void DrawZigZag(int from, int to, int bottom);
    void EndLine(LinePass& line);
    void DrawLinkFocus(const LinePass& line);
    void UseFont(const FontStyle& style);
    // The canvas's measures of a text, within the layout's pixel range.
    Size Measure(std::u16string_view text);
    Size Extent(std::u16string_view text);
    int LetterWidth();
    int BandBottom(const LinePass& line) const { return line.bottom - metrics_.BaselineOffset; }
    // Where the next run goes: the line's x, or in right-to-left reading its right edge, from
    // which runs are laid out leftwards.
    int Pen(const LinePass& line) const { return rightToLeft_ ? line.right : line.x; }
    // Left and right of the current link's part on this line, from its start to the pen.
    std::pair<int, int> LinkSpan(const LinePass& line) const;

    // tags (markup_tags.cpp); false leaves the tag for the next line
    bool Tag(LinePass& line, std::u16string_view tag);
    bool OpenStyle(TagKind kind, std::u16string_view tag);
    bool CloseStyle(TagKind kind);
    void LineTag(LinePass& line, TagKind kind, std::u16string_view tag);
    void BreakLine(LinePass& line);
    void DrawRule(LinePass& line, std::u16string_view tag);
    void OpenFont(std::u16string_view tag);
    void CloseFont();
    void OpenLink(const LinePass& line, std::u16string_view tag);
    void CloseLink(const LinePass& line);
    void OpenList(LinePass& line, bool numbered);
    void CloseList(bool underlineForm, bool offsetForm);
    bool ListItem(LinePass& line, std::u16string_view tag);
    void OpenParagraph(const LinePass& line, std::u16string_view tag);
    void CloseParagraph(LinePass& line);
    void OpenSpan(std::u16string_view tag);
    void MoveTo(LinePass& line, int x, bool forwardOnly);
    int AddFace(std::u16string_view upperCasedName);
    int PointsToHeight(int points) const;

    // images and backgrounds (markup_images.cpp)
    MarkupImage ResolveImage(std::u16string_view source, std::u16string_view tag) const;
    bool PlaceImage(LinePass& line, std::u16string_view tag);
    void DrawImage(const MarkupImage& image, const Rect& dest);
    void PaintBody(const LinePass& line, std::u16string_view tag);
    void FillParagraphLine(const LinePass& line);

    Canvas& canvas_;
    const Rect rect_; // within the layout's pixel range
    const DrawMarkupParams& p_;
    DrawMarkupResults& r_;
    unsigned format_ = 0;
    bool rightToLeft_ = false;

    FontDesc startFont_;
    Color startText_ = clNone;
    Color startBrush_ = clNone;
    std::vector<std::u16string> faces_;
    FontStyle startStyle_;
    FontStyle selected_;    // the style whose font the canvas holds
    FontDesc selectedDesc_; // reused for every font change of the call
    int ghHeight_ = 0;
    int letterWidth_ = -1;

    RunningState state_;
    LineMetrics metrics_;
    bool mouseOnLinkText_ = false;
    bool mouseOnLinkImage_ = false;
    const char16_t* textEnd_ = nullptr; // end of the prepared text
    TagFinder measureTags_;
    TagFinder drawTags_;
    std::u16string runBuffer_;
    std::vector<Point> points_;
};

} // namespace zel::markup
