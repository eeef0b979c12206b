#include "ui/gdi_canvas.h"

#include "core/error.h"
#include "ui/files.h"
#include "ui/wide.h"

#include <algorithm>
#include <shellapi.h>

namespace zel {
namespace {

RECT ToRECT(const Rect& r) {
    return {r.Left, r.Top, r.Right, r.Bottom};
}

int Length(std::u16string_view text) noexcept {
    return static_cast<int>(text.size());
}

bool IsSymbolFace(const std::u16string& name) {
    return name.size() == 6 &&
           std::equal(name.begin(), name.end(), u"SYMBOL", [](char16_t a, char16_t b) {
               return (a >= u'a' && a <= u'z' ? a - 32 : a) == b;
           });
}

// The description of the DC's selected font, with its character height in pixels.
FontDesc DescribeSelectedFont(HDC dc, HFONT font) {
    LOGFONTW lf{};
    ::GetObjectW(font, sizeof lf, &lf);
    TEXTMETRICW tm{};
    ::GetTextMetricsW(dc, &tm);
    FontDesc desc;
    desc.Name = FromW(lf.lfFaceName);
    desc.Height = lf.lfHeight < 0 ? -lf.lfHeight : tm.tmHeight - tm.tmInternalLeading;
    desc.Bold = lf.lfWeight >= FW_BOLD;
    desc.Italic = lf.lfItalic != 0;
    desc.Underline = lf.lfUnderline != 0;
    desc.StrikeOut = lf.lfStrikeOut != 0;
    desc.Orientation = lf.lfEscapement;
    return desc;
}

} // namespace

// ---- GdiFontCache -------------------------------------------------------------------------

HFONT GdiFontCache::Get(const FontDesc& desc) {
    const auto found = std::find_if(fonts_.begin(), fonts_.end(),
                                    [&](const auto& entry) { return entry.first == desc; });
    if (found != fonts_.end())
        return found->second.get();
    LOGFONTW lf{};
    lf.lfHeight = -desc.Height;
    lf.lfEscapement = desc.Orientation;
    lf.lfOrientation = desc.Orientation;
    lf.lfWeight = desc.Bold ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = desc.Italic;
    lf.lfUnderline = desc.Underline;
    lf.lfStrikeOut = desc.StrikeOut;
    lf.lfCharSet = IsSymbolFace(desc.Name) ? SYMBOL_CHARSET : DEFAULT_CHARSET;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = DEFAULT_PITCH;
    const auto faceLength = std::min<std::size_t>(desc.Name.size(), LF_FACESIZE - 1);
    std::copy_n(desc.Name.begin(), faceLength, lf.lfFaceName);
    UniqueFont font(::CreateFontIndirectW(&lf));
    if (!font)
        throw Exception(SystemErrorText(::GetLastError()));
    fonts_.emplace_back(desc, std::move(font));
    return fonts_.back().second.get();
}

// ---- GdiCanvas ----------------------------------------------------------------------------

GdiCanvas::GdiCanvas(HDC dc, GdiFontCache* fonts)
    : dc_(dc), fonts_(fonts ? fonts : &ownFonts_),
      entryFontHandle_(static_cast<HFONT>(::GetCurrentObject(dc, OBJ_FONT))),
      textColor_(::GetTextColor(dc)),
      brushColor_(::GetBkMode(dc) == TRANSPARENT ? clNone : ::GetBkColor(dc)), entryState_(dc) {
    entryFont_ = DescribeSelectedFont(dc, entryFontHandle_);
    font_ = entryFont_;
}

GdiCanvas::~GdiCanvas() = default;

void GdiCanvas::SelectFont(const FontDesc& font) {
    // The DC's own font comes back as itself: its character set and quality stay as they were.
    ::SelectObject(dc_, font == entryFont_ ? entryFontHandle_ : fonts_->Get(font));
    font_ = font;
}

void GdiCanvas::SetTextColor(Color color) {
    textColor_ = color;
    ::SetTextColor(dc_, ToRgb(color) & 0xFFFFFF);
}

void GdiCanvas::SetBrushColor(Color color) {
    brushColor_ = color;
    if (color == clNone) {
        ::SetBkMode(dc_, TRANSPARENT);
        return;
    }
    ::SetBkMode(dc_, OPAQUE);
    ::SetBkColor(dc_, ToRgb(color) & 0xFFFFFF);
}

Size GdiCanvas::TextExtent(std::u16string_view text) {
    SIZE size{};
    ::GetTextExtentPoint32W(dc_, W(text.data()), Length(text), &size);
    return {size.cx, size.cy};
}

Size GdiCanvas::MeasureText(std::u16string_view text, unsigned format) {
    // The whole text's extent: the ellipsis and the alignment only matter when drawing.
    const unsigned measure =
        (format & ~(TextFormat::EndEllipsis | TextFormat::Right | TextFormat::Bottom)) |
        DT_CALCRECT;
    RECT r{};
    ::DrawTextW(dc_, W(text.data()), Length(text), &r, measure);
    return {r.right - r.left, r.bottom - r.top};
}

void GdiCanvas::TextRect(std::u16string_view text, const Rect& rect, unsigned format) {
    RECT r = ToRECT(rect);
    ::DrawTextW(dc_, W(text.data()), Length(text), &r, format);
}

void GdiCanvas::FillRect(const Rect& rect, Color color) {
    if (color == clNone)
        return;
    const RECT r = ToRECT(rect);
    const UniqueBrush brush(::CreateSolidBrush(ToRgb(color) & 0xFFFFFF));
    ::FillRect(dc_, &r, brush.get());
}

void GdiCanvas::Ellipse(const Rect& rect, Color color) {
    const COLORREF rgb = ToRgb(color) & 0xFFFFFF;
    const UniquePen pen(::CreatePen(PS_SOLID, 1, rgb));
    const UniqueBrush brush(::CreateSolidBrush(rgb));
    const SelectGuard selectPen(dc_, pen.get());
    const SelectGuard selectBrush(dc_, brush.get());
    ::Ellipse(dc_, rect.Left, rect.Top, rect.Right, rect.Bottom);
}

void GdiCanvas::Polyline(std::span<const Point> points, Color color) {
    std::vector<POINT> gdiPoints;
    gdiPoints.reserve(points.size());
    for (const Point& p : points)
        gdiPoints.push_back({p.X, p.Y});
    const UniquePen pen(::CreatePen(PS_SOLID, 1, ToRgb(color) & 0xFFFFFF));
    const SelectGuard selectPen(dc_, pen.get());
    ::Polyline(dc_, gdiPoints.data(), static_cast<int>(gdiPoints.size()));
}

void GdiCanvas::DrawFocusRect(const Rect& rect) {
    const RECT r = ToRECT(rect);
    ::DrawFocusRect(dc_, &r);
}

void GdiCanvas::PushClip(const Rect& rect) {
    UniqueRegion saved(::CreateRectRgn(0, 0, 0, 0));
    if (::GetClipRgn(dc_, saved.get()) != 1)
        saved.reset(); // no clip region: popping removes the clip again
    savedClips_.push_back(std::move(saved));
    ::IntersectClipRect(dc_, rect.Left, rect.Top, rect.Right, rect.Bottom);
}

void GdiCanvas::PopClip() {
    if (savedClips_.empty())
        return;
    ::SelectClipRgn(dc_, savedClips_.back().get());
    savedClips_.pop_back();
}

int GdiCanvas::PixelsPerInchX() const {
    return ::GetDeviceCaps(dc_, LOGPIXELSX);
}

int GdiCanvas::PixelsPerInchY() const {
    return ::GetDeviceCaps(dc_, LOGPIXELSY);
}

Color GdiCanvas::ToRgb(Color color) const {
    return IsSystemColor(color) ? ::GetSysColor(SystemColorIndex(color)) : color;
}

bool GdiCanvas::RightToLeftLocale() const {
    return ::GetSystemMetrics(SM_MIDEASTENABLED) != 0;
}

// ---- GdiImageList -------------------------------------------------------------------------

int GdiImageList::Count() const {
    return handle_ ? ::ImageList_GetImageCount(handle_) : 0;
}

Size GdiImageList::ImageSize() const {
    Size size;
    if (handle_)
        ::ImageList_GetIconSize(handle_, &size.cx, &size.cy);
    return size;
}

void GdiImageList::Draw(Canvas& canvas, int index, const Rect& dest, bool enabled) const {
    auto* gdi = dynamic_cast<GdiCanvas*>(&canvas);
    if (!gdi || index < 0 || index >= Count())
        return;
    if (dest.Width() == Width() && dest.Height() == Height()) {
        IMAGELISTDRAWPARAMS params{};
        params.cbSize = sizeof params;
        params.himl = handle_;
        params.i = index;
        params.hdcDst = gdi->Handle();
        params.x = dest.Left;
        params.y = dest.Top;
        params.rgbBk = CLR_NONE;
        params.rgbFg = CLR_DEFAULT;
        params.fStyle = ILD_TRANSPARENT;
        params.fState = enabled ? ILS_NORMAL : ILS_SATURATE;
        ::ImageList_DrawIndirect(&params);
        return;
    }
    const UniqueIcon icon(::ImageList_GetIcon(handle_, index, ILD_TRANSPARENT));
    ::DrawIconEx(gdi->Handle(), dest.Left, dest.Top, icon.get(), dest.Width(), dest.Height(), 0,
                 nullptr, DI_NORMAL);
}

// ---- ShellImages --------------------------------------------------------------------------

namespace {

UINT SizeFlag(bool large) {
    return large ? SHGFI_LARGEICON : SHGFI_SMALLICON;
}

} // namespace

ShellImages::ShellImages() {
    // The shell hands out its one system list whatever file is asked about.
    const auto list = [](bool large) {
        SHFILEINFOW info{};
        return reinterpret_cast<HIMAGELIST>(
            ::SHGetFileInfoW(L".txt", FILE_ATTRIBUTE_NORMAL, &info, sizeof info,
                             SHGFI_SYSICONINDEX | SHGFI_USEFILEATTRIBUTES | SizeFlag(large)));
    };
    small_.SetHandle(list(false));
    large_.SetHandle(list(true));
}

int ShellImages::IconIndex(std::u16string_view fileOrExtension, bool large) const {
    std::u16string name(fileOrExtension);
    if (name.find(u'.') == std::u16string::npos)
        name.insert(0, 1, u'.'); // a bare extension
    SHFILEINFOW info{};
    const auto found =
        ::SHGetFileInfoW(W(name), FILE_ATTRIBUTE_NORMAL, &info, sizeof info,
                         SHGFI_SYSICONINDEX | SHGFI_USEFILEATTRIBUTES | SizeFlag(large));
    return found ? info.iIcon : -1;
}

} // namespace zel
