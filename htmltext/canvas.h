#pragma once
// The surface the markup engine draws on. The platform canvas implements it over its device
// context; tests use a canvas with fixed glyph metrics that records what was drawn. The
// interface is small on purpose: text, rectangles, lines, ellipses, image-list images, fonts,
// colours and clipping.
#include "htmltext/color.h"
#include "htmltext/geometry.h"

#include <span>
#include <string>
#include <string_view>

namespace zel {

// Text format flags. The values are those of the platform's text drawing (DT_*), so a
// platform canvas passes them through unchanged.
namespace TextFormat {
inline constexpr unsigned Left = 0x0;
inline constexpr unsigned Right = 0x2;
inline constexpr unsigned Bottom = 0x8;
inline constexpr unsigned SingleLine = 0x20;
inline constexpr unsigned ExpandTabs = 0x40;
inline constexpr unsigned ExternalLeading = 0x200;
inline constexpr unsigned NoPrefix = 0x800;
inline constexpr unsigned EndEllipsis = 0x8000;
inline constexpr unsigned RtlReading = 0x20000;
} // namespace TextFormat

// A font by description; the platform canvas creates each distinct description once and keeps
// it for as long as it is in use.
struct FontDesc {
    std::u16string Name;
    int Height = 0; // character (em) height in pixels
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
    int Orientation = 0; // escapement and orientation, in tenths of a degree
    bool operator==(const FontDesc&) const = default;
};

class Canvas;

// A row of equally sized images addressed by index.
class ImageList {
public:
    virtual ~ImageList() = default;
    virtual int Count() const = 0;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    // Draws image `index` into `dest`; a destination larger or smaller than the image size
    // stretches it (used when printing).
    virtual void Draw(Canvas& canvas, int index, const Rect& dest, bool enabled = true) const = 0;
};

// The platform's system icon list (small and large icons, and the icon index associated
// with a file name or extension).
class SystemImages {
public:
    virtual ~SystemImages() = default;
    virtual const ImageList* Icons(bool large) const = 0;
    // Index of the icon associated with a file name or extension, -1 when there is none.
    virtual int IconIndex(std::u16string_view fileOrExtension, bool large) const = 0;
};

class Canvas {
public:
    virtual ~Canvas() = default;

    // The selected font; text is measured and drawn in it.
    virtual const FontDesc& Font() const = 0;
    virtual void SelectFont(const FontDesc& font) = 0;

    virtual Color TextColor() const = 0;
    virtual void SetTextColor(Color color) = 0;
    // The brush fills behind drawn text; clNone leaves the text background transparent.
    virtual Color BrushColor() const = 0;
    virtual void SetBrushColor(Color color) = 0;

    // Extent of a single line as it stands (no prefix processing).
    virtual Size TextExtent(std::u16string_view text) = 0;
    // Extent that TextRect would cover with these format flags (calculate-only drawing).
    virtual Size MeasureText(std::u16string_view text, unsigned format) = 0;
    virtual void TextRect(std::u16string_view text, const Rect& rect, unsigned format) = 0;

    virtual void FillRect(const Rect& rect, Color color) = 0;
    // A filled ellipse inside `rect`, outline and inside in `color`.
    virtual void Ellipse(const Rect& rect, Color color) = 0;
    // A one-pixel polyline; like the platform, the last point is not drawn.
    virtual void Polyline(std::span<const Point> points, Color color) = 0;
    virtual void DrawFocusRect(const Rect& rect) = 0;

    // Restricts drawing to the intersection of the current clip and `rect` until PopClip.
    virtual void PushClip(const Rect& rect) = 0;
    virtual void PopClip() = 0;

    virtual int PixelsPerInchX() const = 0;
    virtual int PixelsPerInchY() const = 0;
    // A direct colour for any colour value (system colours resolved through the platform).
    virtual Color ToRgb(Color color) const = 0;
    // True when the platform locale reads right to left.
    virtual bool RightToLeftLocale() const { return false; }
    // The system icon list, when the platform has one.
    virtual const SystemImages* SystemImageList() const { return nullptr; }

    void Line(Point from, Point to, Color color) {
        const Point points[] = {from, to};
        Polyline(points, color);
    }
};

} // namespace zel
