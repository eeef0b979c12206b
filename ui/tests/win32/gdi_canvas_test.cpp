// The GDI canvas drawing markup into a 32-bit bitmap. Glyph shapes differ between platforms
// and fonts, so the checks look at colours in regions, not at single glyph pixels.
#include "ui/gdi_canvas.h"

#include "htmltext/draw_markup.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <optional>

namespace zel {
namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 80;
const FontDesc kFont{u"Tahoma", 16};

using PixelTest = std::function<bool(COLORREF)>;

PixelTest Near(COLORREF want, int tolerance = 40) {
    return [=](COLORREF c) {
        return std::abs(GetRValue(c) - GetRValue(want)) <= tolerance &&
               std::abs(GetGValue(c) - GetGValue(want)) <= tolerance &&
               std::abs(GetBValue(c) - GetBValue(want)) <= tolerance;
    };
}

// Dark in every channel: black text, not coloured text.
bool Ink(COLORREF c) {
    return GetRValue(c) < 128 && GetGValue(c) < 128 && GetBValue(c) < 128;
}

// A memory DC drawing into a top-down 32-bit DIB section, white at the start.
class Bitmap32 {
public:
    Bitmap32() : dc_(::CreateCompatibleDC(nullptr)) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = kWidth;
        info.bmiHeader.biHeight = -kHeight;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        bitmap_.reset(::CreateDIBSection(dc_.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        pixels_ = static_cast<const std::uint32_t*>(bits);
        select_.emplace(dc_.get(), bitmap_.get());
        const RECT all{0, 0, kWidth, kHeight};
        ::FillRect(dc_.get(), &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    }
    HDC dc() const { return dc_.get(); }

    COLORREF At(int x, int y) const {
        ::GdiFlush();
        const std::uint32_t p = pixels_[y * kWidth + x]; // 0x00RRGGBB
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    int Count(const Rect& area, const PixelTest& test) const {
        int n = 0;
        for (int y = area.Top; y < area.Bottom; ++y)
            for (int x = area.Left; x < area.Right; ++x)
                n += test(At(x, y)) ? 1 : 0;
        return n;
    }
    // The smallest rectangle holding every pixel that passes; empty when none does.
    Rect Bounds(const Rect& area, const PixelTest& test) const {
        Rect b{area.Right, area.Bottom, area.Left, area.Top};
        for (int y = area.Top; y < area.Bottom; ++y)
            for (int x = area.Left; x < area.Right; ++x)
                if (test(At(x, y)))
                    b = {std::min(b.Left, x), std::min(b.Top, y), std::max(b.Right, x + 1),
                         std::max(b.Bottom, y + 1)};
        return b.Left < b.Right ? b : Rect{};
    }

private:
    UniqueMemoryDC dc_;
    UniqueBitmap bitmap_;
    std::optional<SelectGuard> select_;
    const std::uint32_t* pixels_ = nullptr;
};

// An image list of 16 x 16 images, each one solid colour.
UniqueImageList SolidImages(std::initializer_list<COLORREF> colors) {
    UniqueImageList list(::ImageList_Create(16, 16, ILC_COLOR24, 0, 4));
    for (COLORREF color : colors) {
        Bitmap32 source;
        const UniqueBitmap image(::CreateCompatibleBitmap(source.dc(), 16, 16));
        {
            const UniqueMemoryDC dc(::CreateCompatibleDC(source.dc()));
            const SelectGuard select(dc.get(), image.get());
            const RECT all{0, 0, 16, 16};
            const UniqueBrush brush(::CreateSolidBrush(color));
            ::FillRect(dc.get(), &all, brush.get());
        }
        ::ImageList_Add(list.get(), image.get(), nullptr);
    }
    return list;
}

class GdiCanvasTest : public ::testing::Test {
protected:
    // Draws `text` as the list box draws a row: one line, cut with the end ellipsis.
    void Draw(Bitmap32& bitmap, std::u16string_view text, const DrawMarkupParams& params = {},
              const SystemImages* systemImages = nullptr) {
        GdiCanvas canvas(bitmap.dc());
        canvas.SetSystemImageList(systemImages);
        canvas.SelectFont(kFont);
        canvas.SetTextColor(clBlack);
        DrawMarkupResults results;
        DrawMarkup(canvas, text, area, params, results);
    }
    int Extent(std::u16string_view text) {
        Bitmap32 bitmap;
        GdiCanvas canvas(bitmap.dc());
        canvas.SelectFont(kFont);
        return canvas.TextExtent(text).cx;
    }

    const Rect area{10, 10, 300, 40};
};

TEST_F(GdiCanvasTest, SingleAmpersandUnderlinesTheNextCharacter) {
    Bitmap32 plain;
    Draw(plain, u"AB");
    Bitmap32 prefixed;
    Draw(prefixed, u"A&B");
    const Rect plainInk = plain.Bounds(area, Ink);
    const Rect prefixedInk = prefixed.Bounds(area, Ink);
    ASSERT_LT(plainInk.Left, plainInk.Right);
    // The underline is the lowest ink, below the letters' baseline...
    ASSERT_GT(prefixedInk.Bottom, plainInk.Bottom);
    // ...and lies under B only.
    const int bStart = area.Left + Extent(u"A");
    const int bWidth = Extent(u"B");
    const Rect underline{area.Left, prefixedInk.Bottom - 1, area.Right, prefixedInk.Bottom};
    const Rect line = prefixed.Bounds(underline, Ink);
    EXPECT_GE(line.Left, bStart - 1);
    EXPECT_LE(line.Right, bStart + bWidth + 1);
    EXPECT_GE(line.Width(), bWidth - 2);

    // With " & " in the text the ampersand is shown as it stands and nothing is underlined.
    Bitmap32 literal;
    Draw(literal, u"A & B");
    EXPECT_EQ(literal.Bounds(area, Ink).Bottom, plainInk.Bottom);
}

TEST_F(GdiCanvasTest, BackgroundsFillWhereTheMarkupSays) {
    Bitmap32 body;
    Draw(body, u"<BODY BGCOLOR=\"#FFFF00\">text");
    const auto yellow = Near(RGB(255, 255, 0), 0);
    EXPECT_TRUE(yellow(body.At(area.Left, area.Top)));
    EXPECT_TRUE(yellow(body.At(area.Right - 1, area.Bottom - 1)));
    EXPECT_TRUE(Near(RGB(255, 255, 255), 0)(body.At(area.Right, area.Top)));
    EXPECT_TRUE(Near(RGB(255, 255, 255), 0)(body.At(area.Left, area.Bottom)));

    // A text background covers the text's cell and stops after it.
    const int width = Extent(u"MMMM");
    const struct {
        std::u16string_view text;
        COLORREF background;
    } cases[] = {
        {u"<HI>MMMM</HI>", ::GetSysColor(COLOR_HIGHLIGHT)},
        {u"<F BGCOLOR=\"#00C000\">MMMM</F>", RGB(0, 0xC0, 0)},
    };
    for (const auto& c : cases) {
        Bitmap32 bitmap;
        Draw(bitmap, c.text);
        const Rect filled = bitmap.Bounds(area, Near(c.background, 0));
        EXPECT_LE(std::abs(filled.Left - area.Left), 1);
        EXPECT_LE(std::abs(filled.Right - (area.Left + width)), 1);
        EXPECT_GE(filled.Height(), kFont.Height);
        EXPECT_GT(bitmap.Count(filled, Near(c.background, 0)),
                  filled.Width() * filled.Height() / 2);
    }
}

TEST_F(GdiCanvasTest, FontTagColoursTheText) {
    Bitmap32 bitmap;
    Draw(bitmap, u"<F COLOR=\"#FF0000\">MMMM</F>");
    EXPECT_GT(bitmap.Count(area, Near(RGB(255, 0, 0), 60)), 20);
    EXPECT_EQ(bitmap.Count(area, Ink), 0); // nothing dark: the text is red
}

TEST_F(GdiCanvasTest, ImageListImageIsDrawnAtTheTagPosition) {
    const COLORREF first = RGB(200, 0, 200);
    const COLORREF second = RGB(0x20, 0xC0, 0x40);
    const UniqueImageList handle = SolidImages({first, second});
    const GdiImageList images(handle.get());
    ASSERT_EQ(images.Count(), 2);
    ASSERT_EQ(images.Width(), 16);

    Bitmap32 bitmap;
    DrawMarkupParams params;
    params.Images = &images;
    Draw(bitmap, u"ab<IMG SRC=\"IDX:1\">cd", params);
    const Rect drawn = bitmap.Bounds(area, Near(second, 0));
    EXPECT_EQ(drawn.Width(), 16);
    EXPECT_EQ(drawn.Height(), 16);
    EXPECT_LE(std::abs(drawn.Left - (area.Left + Extent(u"ab"))), 1);
    EXPECT_EQ(bitmap.Count(area, Near(second, 0)), 16 * 16);
    EXPECT_EQ(bitmap.Count(area, Near(first, 0)), 0);

    // A destination of another size stretches the image.
    Bitmap32 stretched;
    {
        GdiCanvas canvas(stretched.dc());
        images.Draw(canvas, 0, {40, 5, 72, 37});
    }
    EXPECT_EQ(stretched.Bounds({0, 0, kWidth, kHeight}, Near(first, 0)), (Rect{40, 5, 72, 37}));
}

TEST_F(GdiCanvasTest, SystemIconsComeFromTheShellList) {
    const ShellImages shell;
    ASSERT_GT(shell.Icons(false)->Count(), 0);
    EXPECT_EQ(shell.Icons(false)->Width(), ::GetSystemMetrics(SM_CXSMICON));
    EXPECT_EQ(shell.Icons(true)->Width(), ::GetSystemMetrics(SM_CXICON));
    EXPECT_GE(shell.IconIndex(u"txt", false), 0);
    EXPECT_EQ(shell.IconIndex(u"txt", false), shell.IconIndex(u"notes.txt", false));

    Bitmap32 bitmap;
    Draw(bitmap, u"<IMG SRC=\"SSYS:txt\">", {}, &shell);
    const Rect icon = bitmap.Bounds(area, [](COLORREF c) { return c != RGB(255, 255, 255); });
    EXPECT_GE(icon.Left, area.Left);
    EXPECT_LE(icon.Right, area.Left + ::GetSystemMetrics(SM_CXSMICON));
    EXPECT_GT(icon.Height(), 0);
}

TEST_F(GdiCanvasTest, SymbolFaceGetsTheSymbolCharacterSet) {
    GdiFontCache fonts;
    const struct {
        const char16_t* face;
        BYTE charset;
    } cases[] = {
        {u"SYMBOL", SYMBOL_CHARSET}, {u"Symbol", SYMBOL_CHARSET}, {u"Tahoma", DEFAULT_CHARSET}};
    for (const auto& c : cases) {
        LOGFONTW lf{};
        ::GetObjectW(fonts.Get({c.face, 16}), sizeof lf, &lf);
        EXPECT_EQ(lf.lfCharSet, c.charset);
        EXPECT_EQ(lf.lfHeight, -16);
    }
}

TEST_F(GdiCanvasTest, ClipsNestAndComeBack) {
    Bitmap32 bitmap;
    const Rect all{0, 0, kWidth, kHeight};
    const auto red = Near(RGB(255, 0, 0), 0);
    GdiCanvas canvas(bitmap.dc());
    canvas.PushClip({10, 10, 100, 50});
    canvas.PushClip({50, 0, 200, 30});
    canvas.FillRect(all, clRed);
    EXPECT_EQ(bitmap.Bounds(all, red), (Rect{50, 10, 100, 30}));
    canvas.PopClip();
    canvas.FillRect(all, clRed);
    EXPECT_EQ(bitmap.Bounds(all, red), (Rect{10, 10, 100, 50}));
    canvas.PopClip();
    canvas.FillRect(all, clRed);
    EXPECT_EQ(bitmap.Count(all, red), kWidth * kHeight);
}

TEST_F(GdiCanvasTest, DeviceContextIsGivenBackAsItWas) {
    Bitmap32 bitmap;
    const HDC dc = bitmap.dc();
    const HGDIOBJ font = ::GetCurrentObject(dc, OBJ_FONT);
    ::SetTextColor(dc, RGB(1, 2, 3));
    ::SetBkMode(dc, OPAQUE);
    ::SetBkColor(dc, RGB(4, 5, 6));
    GdiFontCache fonts;
    {
        GdiCanvas canvas(dc, &fonts);
        EXPECT_EQ(canvas.TextColor(), RGB(1, 2, 3));
        EXPECT_EQ(canvas.BrushColor(), RGB(4, 5, 6));
        const FontDesc entry = canvas.Font();
        FontDesc bold = kFont;
        bold.Bold = true;
        canvas.SelectFont(kFont);
        canvas.SelectFont(bold);
        canvas.SelectFont(kFont);
        canvas.SelectFont(entry); // the DC's own font, not a new one
        EXPECT_EQ(fonts.Count(), 2u);
        EXPECT_EQ(::GetCurrentObject(dc, OBJ_FONT), font);
        canvas.SelectFont(bold);
        canvas.SetTextColor(clRed);
        canvas.SetBrushColor(clNone);
        canvas.PushClip({0, 0, 5, 5});
    }
    EXPECT_EQ(::GetCurrentObject(dc, OBJ_FONT), font);
    EXPECT_EQ(::GetTextColor(dc), RGB(1, 2, 3));
    EXPECT_EQ(::GetBkMode(dc), OPAQUE);
    const UniqueRegion clip(::CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(::GetClipRgn(dc, clip.get()), 0);
}

TEST_F(GdiCanvasTest, MeasuresAsTheSystemDoes) {
    Bitmap32 bitmap;
    GdiCanvas canvas(bitmap.dc());
    canvas.SelectFont(kFont);
    SIZE system{};
    ::GetTextExtentPoint32W(bitmap.dc(), L"Hello, world", 12, &system);
    EXPECT_EQ(canvas.TextExtent(u"Hello, world"), (Size{system.cx, system.cy}));
    // Calculate-only drawing applies the ampersand rule and ignores the ellipsis.
    const unsigned format = TextFormat::SingleLine | TextFormat::EndEllipsis;
    EXPECT_EQ(canvas.MeasureText(u"A&B", format).cx, canvas.TextExtent(u"AB").cx);
    EXPECT_EQ(canvas.MeasureText(u"A&B", format | TextFormat::NoPrefix).cx,
              canvas.TextExtent(u"A&B").cx);
    EXPECT_EQ(canvas.MeasureText(u"AB", format).cy, system.cy);
}

} // namespace
} // namespace zel
