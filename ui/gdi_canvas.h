#pragma once
// The markup engine's canvas and image lists over GDI.
//
// GdiCanvas draws on a device context it does not own. It starts from the DC's font, text
// colour and text background, and gives the DC back as it found it (objects, colours, modes
// and clip region) when it ends. Fonts are made once per description and kept in a
// GdiFontCache: the canvas's own, or one the caller keeps across canvases (a list box that
// draws every row through a fresh canvas keeps its fonts for its life).
#include "htmltext/canvas.h"
#include "ui/unique_handle.h"

#include <string_view>
#include <utility>
#include <vector>

namespace zel {

// GDI fonts by description, each created on first use and kept until the cache ends. The
// face "SYMBOL" is made with the symbol character set, every other face with the default one.
class GdiFontCache {
public:
    GdiFontCache() = default;
    GdiFontCache(const GdiFontCache&) = delete;
    GdiFontCache& operator=(const GdiFontCache&) = delete;

    HFONT Get(const FontDesc& desc); // owned by the cache
    std::size_t Count() const noexcept { return fonts_.size(); }

private:
    std::vector<std::pair<FontDesc, UniqueFont>> fonts_;
};

class GdiCanvas final : public Canvas {
public:
    // `fonts` (not owned) must outlive the canvas; null: the canvas keeps its own fonts.
    explicit GdiCanvas(HDC dc, GdiFontCache* fonts = nullptr);
    GdiCanvas(const GdiCanvas&) = delete;
    GdiCanvas& operator=(const GdiCanvas&) = delete;
    ~GdiCanvas() override;

    HDC Handle() const noexcept { return dc_; } // not owned
    // The system icon list offered to the markup engine (not owned; null for none).
    void SetSystemImageList(const SystemImages* images) noexcept { systemImages_ = images; }

    const FontDesc& Font() const override { return font_; }
    void SelectFont(const FontDesc& font) override;
    Color TextColor() const override { return textColor_; }
    void SetTextColor(Color color) override;
    Color BrushColor() const override { return brushColor_; }
    void SetBrushColor(Color color) override;

    Size TextExtent(std::u16string_view text) override;
    Size MeasureText(std::u16string_view text, unsigned format) override;
    void TextRect(std::u16string_view text, const Rect& rect, unsigned format) override;

    void FillRect(const Rect& rect, Color color) override;
    void Ellipse(const Rect& rect, Color color) override;
    void Polyline(std::span<const Point> points, Color color) override;
    void DrawFocusRect(const Rect& rect) override;

    void PushClip(const Rect& rect) override;
    void PopClip() override;

    int PixelsPerInchX() const override;
    int PixelsPerInchY() const override;
    Color ToRgb(Color color) const override;
    bool RightToLeftLocale() const override;
    const SystemImages* SystemImageList() const override { return systemImages_; }

private:
    HDC dc_;              // not owned
    GdiFontCache* fonts_; // not owned; &ownFonts_ unless the caller gave one
    GdiFontCache ownFonts_;
    FontDesc font_;
    FontDesc entryFont_; // the DC's own font, selected again as itself
    HFONT entryFontHandle_;
    Color textColor_;
    Color brushColor_;
    const SystemImages* systemImages_ = nullptr;
    std::vector<UniqueRegion> savedClips_; // null entry: there was no clip region
    SavedDCState entryState_;              // declared last: restored before the fonts go
};

// An image list over a comctl32 image list it does not own. Draws only on a GdiCanvas; a
// destination of another size than the images stretches the image.
class GdiImageList final : public ImageList {
public:
    explicit GdiImageList(HIMAGELIST handle = nullptr) noexcept : handle_(handle) {}

    HIMAGELIST Handle() const noexcept { return handle_; } // not owned
    void SetHandle(HIMAGELIST handle) noexcept { handle_ = handle; }

    int Count() const override;
    int Width() const override { return ImageSize().cx; }
    int Height() const override { return ImageSize().cy; }
    void Draw(Canvas& canvas, int index, const Rect& dest, bool enabled = true) const override;

private:
    Size ImageSize() const;

    HIMAGELIST handle_;
};

// The shell's system icon list, small and large (the lists belong to the shell).
class ShellImages final : public SystemImages {
public:
    ShellImages();
    const ImageList* Icons(bool large) const override { return large ? &large_ : &small_; }
    int IconIndex(std::u16string_view fileOrExtension, bool large) const override;

private:
    GdiImageList small_;
    GdiImageList large_;
};

} // namespace zel
