#pragma once
// A deterministic canvas for tests: every glyph of a font is Height / 2 pixels wide (one more
// when bold) and Height pixels high, and everything drawn is recorded in order.
#include "htmltext/canvas.h"
#include "htmltext/picture.h"

#include <string>
#include <vector>

namespace zel {

struct DrawnText {
    std::u16string Text;  // as passed
    std::u16string Shown; // after prefix processing and the end ellipsis
    int Underlined = -1;  // index in Shown of the character a single "&" underlines, -1 none
    Rect Bounds;          // the rectangle passed
    Point At;             // top-left corner of the shown text
    unsigned Format = 0;
    FontDesc Font;
    Color TextColor = clNone;
    Color Background = clNone; // clNone: transparent
};

struct FilledShape {
    Rect Bounds;
    Color Fill = clNone;
    bool Ellipse = false;
};

struct DrawnLine {
    std::vector<Point> Points;
    Color Pen = clNone;
};

struct DrawnImage {
    const ImageList* List = nullptr;
    int Index = -1;
    Rect Dest;
};

class TestCanvas : public Canvas {
public:
    static FontDesc DefaultFont() { return {u"Test Sans", 16}; }
    static int GlyphWidth(const FontDesc& font);
    // The direct colour the test canvas gives system colour `index`.
    static Color SystemRgb(int index);

    explicit TestCanvas(FontDesc font = DefaultFont());

    const FontDesc& Font() const override { return font_; }
    void SelectFont(const FontDesc& font) override;
    Color TextColor() const override { return textColor_; }
    void SetTextColor(Color color) override { textColor_ = color; }
    Color BrushColor() const override { return brushColor_; }
    void SetBrushColor(Color color) override { brushColor_ = color; }

    Size TextExtent(std::u16string_view text) override;
    Size MeasureText(std::u16string_view text, unsigned format) override;
    void TextRect(std::u16string_view text, const Rect& rect, unsigned format) override;

    void FillRect(const Rect& rect, Color color) override;
    void Ellipse(const Rect& rect, Color color) override;
    void Polyline(std::span<const Point> points, Color color) override;
    void DrawFocusRect(const Rect& rect) override { FocusRects.push_back(rect); }

    void PushClip(const Rect& rect) override { clips_.push_back(rect); }
    void PopClip() override { clips_.pop_back(); }
    int ClipDepth() const { return static_cast<int>(clips_.size()); }

    int PixelsPerInchX() const override { return dpiX_; }
    int PixelsPerInchY() const override { return dpiY_; }
    void SetPixelsPerInch(int x, int y);
    Color ToRgb(Color color) const override;
    bool RightToLeftLocale() const override { return rightToLeft_; }
    void SetRightToLeftLocale(bool value) { rightToLeft_ = value; }
    const SystemImages* SystemImageList() const override { return systemImages_; }
    void SetSystemImageList(const SystemImages* images) { systemImages_ = images; }

    // Called by TestImageList::Draw.
    void RecordImage(const ImageList& list, int index, const Rect& dest);
    // Forgets everything drawn (keeps font, colours and settings).
    void ClearRecord();
    // The shown texts of every TextRect, in order, joined by "|".
    std::u16string ShownTexts() const;

    std::vector<DrawnText> Texts;
    std::vector<FilledShape> Fills;
    std::vector<DrawnLine> Lines;
    std::vector<DrawnImage> Images;
    std::vector<Rect> FocusRects;
    int FontSelections = 0;
    int Measurements = 0; // TextExtent and MeasureText calls

private:
    FontDesc font_;
    Color textColor_ = clWindowText;
    Color brushColor_ = clWindow;
    int dpiX_ = 96;
    int dpiY_ = 96;
    bool rightToLeft_ = false;
    const SystemImages* systemImages_ = nullptr;
    std::vector<Rect> clips_;
};

// Images of a fixed size; drawing one on a TestCanvas records it.
class TestImageList : public ImageList {
public:
    TestImageList(int count, int width = 16, int height = 16)
        : count_(count), width_(width), height_(height) {}
    int Count() const override { return count_; }
    int Width() const override { return width_; }
    int Height() const override { return height_; }
    void Draw(Canvas& canvas, int index, const Rect& dest, bool enabled = true) const override;

private:
    int count_;
    int width_;
    int height_;
};

// A picture of a fixed size; drawing it fills the destination in red.
class TestPicture : public Picture {
public:
    explicit TestPicture(Size size) : size_(size) {}
    bool Empty() const override { return false; }
    int Width() const override { return size_.cx; }
    int Height() const override { return size_.cy; }
    void Draw(Canvas& canvas, const Rect& dest) const override { canvas.FillRect(dest, clRed); }

private:
    Size size_;
};

// One picture under one name or address.
class TestPictureSource : public PictureSource {
public:
    explicit TestPictureSource(std::u16string key, Size size = {40, 20})
        : key_(std::move(key)), picture_(size) {}
    const Picture* FindPicture(std::u16string_view key) const override {
        return key == key_ ? &picture_ : nullptr;
    }

private:
    std::u16string key_;
    TestPicture picture_;
};

// Five small (16 x 16) and five large (32 x 32) system icons; ".txt" has icon 3.
class TestSystemImages : public SystemImages {
public:
    const ImageList* Icons(bool large) const override { return large ? &large_ : &small_; }
    int IconIndex(std::u16string_view name, bool) const override {
        return name == u".txt" ? 3 : -1;
    }

private:
    TestImageList small_{5, 16, 16};
    TestImageList large_{5, 32, 32};
};

} // namespace zel
