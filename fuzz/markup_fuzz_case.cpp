// The markup fuzz case. Input: two bytes of option bits, eleven bytes of numbers (rectangle,
// mouse, links, font, resolution, printing factor, picture size), then the text.
#include "fuzz/fuzz_cases.h"
#include "fuzz/fuzz_input.h"
#include "htmltext/draw_markup.h"
#include "htmltext/testing/test_canvas.h"

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace zel {
namespace {

// Work stays bounded: layout is linear in the text, and the rectangle is at most a thousand
// pixels wide and five hundred high.
constexpr std::size_t kMaxText = 4096;

// Units a byte cannot spell: surrogates, the heading mark, other blanks and line ends, wide
// angle brackets, right-to-left letters.
constexpr std::u16string_view kSpecial =
    u"\xD83D\xDE00\x25C6\x3000\x00A0\x2028\xFF1C\xFF1E\xDC00\xFFFF\x0085\x200F\x05D0\x0627"
    u"\x00E9\x4E00";

constexpr int kResolutions[] = {96, 120, 144, 192, 72};

struct Case {
    std::uint16_t bits = 0;
    Rect rect;
    DrawMarkupParams params;
    FontDesc font;
    int dpiX = 96, dpiY = 96;
    Size picture;
    std::u16string text;

    bool Bit(int n) const { return (bits >> n & 1) != 0; }
};

Case ReadCase(const std::uint8_t* data, std::size_t size) {
    fuzz::FuzzInput in(data, size);
    Case c;
    c.bits = in.Bits16();
    const int left = static_cast<std::int8_t>(in.Byte());
    const int top = static_cast<std::int8_t>(in.Byte());
    c.rect = {left, top, left + 1 + in.Byte() * 4, top + in.Byte() * 2};
    DrawMarkupParams& p = c.params;
    p.MouseX = in.Byte() * 4 - 8;
    p.MouseY = in.Byte() * 2 - 8;
    const std::uint8_t links = in.Byte();
    p.FocusLink = (links & 15) - 1;
    p.HoverLink = (links >> 4) - 1;
    const std::uint8_t spacing = in.Byte();
    p.ShadowOffset = spacing % 8 - 2;
    p.LineSpacing = spacing >> 5;
    c.font = {u"Fuzz Sans", 4 + in.Byte() % 40, c.Bit(12), c.Bit(13)};
    const std::uint8_t dpi = in.Byte();
    c.dpiX = kResolutions[dpi % 5];
    c.dpiY = kResolutions[dpi / 5 % 5];
    p.ResFactor = in.Byte() / 32.0;
    const std::uint8_t picture = in.Byte();
    c.picture = {1 + (picture & 15) * 8, 1 + (picture >> 4) * 8};
    p.HitTestOnly = c.Bit(0);
    p.MeasureOnly = c.Bit(1);
    p.Printing = c.Bit(2);
    p.Selected = c.Bit(3);
    p.Blink = c.Bit(4);
    p.HoverStyle = c.Bit(5);
    p.WordWrap = c.Bit(6);
    p.RightToLeft = c.Bit(7);
    p.HoverColor = c.Bit(14) ? clRed : clNone;
    p.HoverFontColor = c.Bit(15) ? clWhite : clNone;
    c.text = in.Units(kSpecial);
    return c;
}

void Print(const Case& c) {
    std::fprintf(stderr, "bits 0x%04X rect {%d, %d, %d, %d} mouse (%d, %d) links %d/%d text %s\n",
                 c.bits, c.rect.Left, c.rect.Top, c.rect.Right, c.rect.Bottom, c.params.MouseX,
                 c.params.MouseY, c.params.FocusLink, c.params.HoverLink,
                 fuzz::CppLiteral(c.text).c_str());
}

void Check(bool holds, const char* what, const Case& c) {
    if (holds)
        return;
    std::fprintf(stderr, "markup fuzz case: %s\n", what);
    Print(c);
    std::abort();
}

// One call, with the checks that hold for every call.
DrawMarkupResults Draw(TestCanvas& canvas, const Case& c, const DrawMarkupParams& params) {
    DrawMarkupResults results;
    DrawMarkup(canvas, c.text, c.rect, params, results);
    Check(canvas.Font() == c.font, "the canvas font is restored", c);
    Check(canvas.TextColor() == clWindowText && canvas.BrushColor() == clBtnFace,
          "the canvas colours are restored", c);
    Check(canvas.ClipDepth() == 0, "every clip is popped", c);
    Check(results.Height > 0 && results.Width >= 0, "the sizes are sizes", c);
    Check(results.MouseLink == -1 ||
              (results.MouseLink >= 1 && results.MouseLink <= results.LinkCount),
          "the mouse link is one of the links", c);
    canvas.ClearRecord();
    return results;
}

} // namespace

void RunMarkupFuzzCase(const std::uint8_t* data, std::size_t size) {
    Case c = ReadCase(data, size);
    if (c.text.size() > kMaxText)
        return;
    if (fuzz::PrintCases())
        Print(c);
    const TestImageList images(4);
    const TestSystemImages system;
    const TestPictureSource container(u"logo", c.picture);
    const TestPictureSource cache(u"http://host/p.png", {c.picture.cy, c.picture.cx});
    if (c.Bit(9))
        c.params.Images = &images;
    if (c.Bit(10)) {
        c.params.PictureContainer = &container;
        c.params.PictureCache = &cache;
    }
    TestCanvas canvas(c.font);
    canvas.SetTextColor(clWindowText);
    canvas.SetBrushColor(clBtnFace);
    canvas.SetPixelsPerInch(c.dpiX, c.dpiY);
    canvas.SetRightToLeftLocale(c.Bit(8));
    if (c.Bit(11))
        canvas.SetSystemImageList(&system);

    const DrawMarkupResults drawn = Draw(canvas, c, c.params);
    DrawMarkupParams params = c.params;
    params.MeasureOnly = true;
    const DrawMarkupResults measured = Draw(canvas, c, params);
    params.MeasureOnly = false;
    params.HitTestOnly = true;
    const DrawMarkupResults hit = Draw(canvas, c, params);

    // Measuring alone lays out every line; a drawing call lays out the same lines until the
    // rectangle is full.
    for (const DrawMarkupResults* partial : {&drawn, &hit}) {
        Check(std::u16string_view(measured.StrippedText).starts_with(partial->StrippedText),
              "a drawing call's stripped text begins the measured one", c);
        Check(measured.Width >= partial->Width && measured.Height >= partial->Height &&
                  measured.LinkCount >= partial->LinkCount,
              "measuring alone covers at least what a drawing call covers", c);
    }
}

} // namespace zel
