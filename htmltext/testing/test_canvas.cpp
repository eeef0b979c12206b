#include "htmltext/testing/test_canvas.h"

#include <algorithm>
#include <climits>

namespace zel {
namespace {

// What the platform's prefix processing shows: "&x" shows x underlined, "&&" one ampersand,
// and a final lone "&" nothing.
std::u16string PrefixShown(std::u16string_view text, bool noPrefix, int& underlined) {
    underlined = -1;
    if (noPrefix)
        return std::u16string(text);
    std::u16string shown;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != u'&') {
            shown.push_back(text[i]);
            continue;
        }
        if (++i == text.size())
            break;
        if (text[i] != u'&')
            underlined = static_cast<int>(shown.size());
        shown.push_back(text[i]);
    }
    return shown;
}

// The width of `count` glyphs, saturated at the largest int.
int GlyphsWidth(std::size_t count, const FontDesc& font) {
    return static_cast<int>(
        std::min<long long>(static_cast<long long>(count) * TestCanvas::GlyphWidth(font), INT_MAX));
}

} // namespace

int TestCanvas::GlyphWidth(const FontDesc& font) {
    return std::max(1, font.Height / 2) + (font.Bold ? 1 : 0);
}

Color TestCanvas::SystemRgb(int index) {
    switch (index) {
    case 5:  // window
    case 14: // highlight text
        return 0xFFFFFF;
    case 8: // window text
        return 0x000000;
    case 13: // highlight
        return 0xD77800;
    case 15: // button face
        return 0xF0F0F0;
    }
    return Rgb(index, index, index);
}

TestCanvas::TestCanvas(FontDesc font) : font_(std::move(font)) {}

void TestCanvas::SelectFont(const FontDesc& font) {
    font_ = font;
    ++FontSelections;
}

Size TestCanvas::TextExtent(std::u16string_view text) {
    ++Measurements;
    return {GlyphsWidth(text.size(), font_), font_.Height};
}

Size TestCanvas::MeasureText(std::u16string_view text, unsigned format) {
    ++Measurements;
    int underlined = 0;
    const auto shown = PrefixShown(text, (format & TextFormat::NoPrefix) != 0, underlined);
    return {GlyphsWidth(shown.size(), font_), font_.Height};
}

void TestCanvas::TextRect(std::u16string_view text, const Rect& rect, unsigned format) {
    DrawnText drawn;
    drawn.Text.assign(text);
    drawn.Shown = PrefixShown(text, (format & TextFormat::NoPrefix) != 0, drawn.Underlined);
    const int glyph = GlyphWidth(font_);
    if ((format & TextFormat::EndEllipsis) &&
        GlyphsWidth(drawn.Shown.size(), font_) > rect.Width()) {
        const int keep = std::max(0, rect.Width() / glyph - 3);
        drawn.Shown.resize(static_cast<std::size_t>(keep));
        drawn.Shown.append(u"...");
        if (drawn.Underlined >= keep)
            drawn.Underlined = -1;
    }
    const int width = GlyphsWidth(drawn.Shown.size(), font_);
    drawn.Bounds = rect;
    drawn.At = {(format & TextFormat::Right)
                    ? static_cast<int>(
                          std::max<long long>(static_cast<long long>(rect.Right) - width, INT_MIN))
                    : rect.Left,
                (format & TextFormat::Bottom) ? rect.Bottom - font_.Height : rect.Top};
    drawn.Format = format;
    drawn.Font = font_;
    drawn.TextColor = textColor_;
    drawn.Background = brushColor_;
    Texts.push_back(std::move(drawn));
}

void TestCanvas::FillRect(const Rect& rect, Color color) {
    Fills.push_back({rect, color, false});
}

void TestCanvas::Ellipse(const Rect& rect, Color color) {
    Fills.push_back({rect, color, true});
}

void TestCanvas::Polyline(std::span<const Point> points, Color color) {
    Lines.push_back({std::vector<Point>(points.begin(), points.end()), color});
}

void TestCanvas::SetPixelsPerInch(int x, int y) {
    dpiX_ = x;
    dpiY_ = y;
}

Color TestCanvas::ToRgb(Color color) const {
    return IsSystemColor(color) ? SystemRgb(SystemColorIndex(color)) : color;
}

void TestCanvas::RecordImage(const ImageList& list, int index, const Rect& dest) {
    Images.push_back({&list, index, dest});
}

void TestCanvas::ClearRecord() {
    Texts.clear();
    Fills.clear();
    Lines.clear();
    Images.clear();
    FocusRects.clear();
    FontSelections = 0;
    Measurements = 0;
}

std::u16string TestCanvas::ShownTexts() const {
    std::u16string all;
    for (std::size_t i = 0; i < Texts.size(); ++i) {
        if (i > 0)
            all.push_back(u'|');
        all.append(Texts[i].Shown);
    }
    return all;
}

void TestImageList::Draw(Canvas& canvas, int index, const Rect& dest, bool) const {
    if (auto* test = dynamic_cast<TestCanvas*>(&canvas))
        test->RecordImage(*this, index, dest);
}

} // namespace zel
