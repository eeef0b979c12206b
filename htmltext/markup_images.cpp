// Images of the I-M and B-O tags, and the paragraph and body backgrounds.
#include "htmltext/markup_chars.h"
#include "htmltext/markup_color.h"
#include "htmltext/markup_renderer.h"
#include "htmltext/pixels.h"

#include <algorithm>
#include <cmath>

namespace zel::markup {
namespace {

constexpr int kGradientBands = 64;

bool IsNumber(std::u16string_view value) {
    return !value.empty() && std::all_of(value.begin(), value.end(),
                                         [](char16_t c) { return c >= u'0' && c <= u'9'; });
}

// A size times the printing factor, rounded, within the layout's pixel range; a factor that is
// no number gives no size.
int ScaledPixels(int size, double factor) {
    const double scaled = size * factor;
    if (std::isnan(scaled))
        return 0;
    return static_cast<int>(
        std::lround(std::clamp(scaled, -double(kPixelLimit), double(kPixelLimit))));
}

int Interpolate(int from, int to, int band) {
    return static_cast<int>(std::lround(from + (to - from) * band / double(kGradientBands - 1)));
}

class ClipScope {
public:
    ClipScope(Canvas& canvas, const Rect& rect) : canvas_(canvas) { canvas_.PushClip(rect); }
    ~ClipScope() { canvas_.PopClip(); }
    ClipScope(const ClipScope&) = delete;
    ClipScope& operator=(const ClipScope&) = delete;

private:
    Canvas& canvas_;
};

// A solid fill, or with a second colour a gradient of 64 bands: from left to right in
// vertical bands when horizontal, otherwise from top to bottom.
void FillBackground(Canvas& canvas, const Rect& rect, Color from, Color to, bool horizontal) {
    if (to == clNone) {
        canvas.FillRect(rect, from);
        return;
    }
    const Color a = canvas.ToRgb(from);
    const Color b = canvas.ToRgb(to);
    const int extent = horizontal ? rect.Width() : rect.Height();
    for (int band = 0; band < kGradientBands; ++band) {
        const int start = static_cast<int>(static_cast<long long>(extent) * band / kGradientBands);
        const int end =
            static_cast<int>(static_cast<long long>(extent) * (band + 1) / kGradientBands);
        if (end <= start)
            continue;
        const Color c =
            Rgb(Interpolate(RedOf(a), RedOf(b), band), Interpolate(GreenOf(a), GreenOf(b), band),
                Interpolate(BlueOf(a), BlueOf(b), band));
        canvas.FillRect(horizontal ? Rect{rect.Left + start, rect.Top, rect.Left + end, rect.Bottom}
                                   : Rect{rect.Left, rect.Top + start, rect.Right, rect.Top + end},
                        c);
    }
}

} // namespace

MarkupImage MarkupRenderer::ResolveImage(std::u16string_view source,
                                         std::u16string_view tag) const {
    MarkupImage image;
    const auto scaled = [this](const ImageList& list) {
        return Size{
            ClampPixels(static_cast<long long>(list.Width()) * canvas_.PixelsPerInchX() / 96),
            ClampPixels(static_cast<long long>(list.Height()) * canvas_.PixelsPerInchY() / 96)};
    };
    if (StartsWithNoCase(source, u"IDX:")) {
        const int index = MarkupNumber(source.substr(4));
        if (!p_.Images || index < 0 || index >= p_.Images->Count())
            return image;
        image.list = p_.Images;
        image.index = index;
        image.size = scaled(*p_.Images);
        return image;
    }
    const bool small = StartsWithNoCase(source, u"SSYS:");
    if (small || StartsWithNoCase(source, u"LSYS:")) {
        const SystemImages* system = canvas_.SystemImageList();
        const ImageList* list = system ? system->Icons(!small) : nullptr;
        if (!list)
            return image;
        const auto name = source.substr(5);
        const int index = IsNumber(name) ? MarkupNumber(name) : system->IconIndex(name, !small);
        if (index < 0 || index >= list->Count())
            return image;
        image.list = list;
        image.index = index;
        image.size = scaled(*list);
        image.system = true;
        return image;
    }
    const PictureSource* pictures =
        source.find(u"://") != std::u16string_view::npos ? p_.PictureCache
        : source.find(u':') == std::u16string_view::npos ? p_.PictureContainer
                                                         : nullptr;
    const Picture* picture = pictures && !source.empty() ? pictures->FindPicture(source) : nullptr;
    if (!picture || picture->Empty())
        return image;
    image.picture = picture;
    const Size own = ClampSize({picture->Width(), picture->Height()});
    const auto width = TagAttribute(tag, u"WIDTH");
    const auto height = TagAttribute(tag, u"HEIGHT");
    // The other side in the picture's own aspect.
    const auto aspect = [](int given, int along, int across) {
        return along > 0 ? ClampPixels(static_cast<long long>(given) * across / along) : across;
    };
    image.size = own;
    if (!width.empty() && !height.empty())
        image.size = {MarkupNumber(width), MarkupNumber(height)};
    else if (!width.empty())
        image.size = {MarkupNumber(width), aspect(MarkupNumber(width), own.cx, own.cy)};
    else if (!height.empty())
        image.size = {aspect(MarkupNumber(height), own.cy, own.cx), MarkupNumber(height)};
    return image;
}

bool MarkupRenderer::PlaceImage(LinePass& line, std::u16string_view tag) {
    const MarkupImage image = ResolveImage(TagAttribute(tag, u"SRC"), tag);
    if (!image)
        return true;
    const int width = image.size.cx;
    const int height = image.size.cy;
    const auto align = TagAttribute(tag, u"ALIGN");
    UseFont(state_.Font);
    if (line.mode == Mode::Measure) {
        const int available = rect_.Width() - line.listOffset;
        if (p_.WordWrap && line.hasContent && AddPixels(metrics_.Width, width) > available &&
            width < available)
            return false;
        ++state_.ImageCounter;
        metrics_.Width = AddPixels(metrics_.Width, width);
        metrics_.TrailingBlank = 0;
        metrics_.Height = std::max(metrics_.Height, height);
        if (EqualsNoCase(align, u"TOP"))
            metrics_.BaselineOffset = metrics_.Height - ghHeight_;
        else if (EqualsNoCase(align, u"MIDDLE"))
            metrics_.BaselineOffset = (metrics_.Height - ghHeight_) / 2;
        if (ContainsNoCase(tag, u"WRAP")) {
            metrics_.Height = ghHeight_;
            metrics_.BaselineOffset = 0;
        }
        line.x = AddPixels(line.x, width);
        line.hasContent = true;
        return true;
    }
    ++state_.ImageCounter;
    int offset = 0;
    if (!image.system && height < ghHeight_) {
        const int band = line.textBottom - line.top - metrics_.BaselineOffset;
        if (EqualsNoCase(align, u"MIDDLE"))
            offset = std::max(0, (band - height) / 2);
        else if (!EqualsNoCase(align, u"TOP"))
            offset = std::max(0, band - height);
    }
    const Rect dest{line.x, line.top + offset, line.x + width, line.top + offset + height};
    if (line.mode == Mode::Draw)
        DrawImage(image, dest);
    if (state_.InLink && dest.Contains({p_.MouseX, p_.MouseY})) {
        mouseOnLinkImage_ = true;
        state_.MouseOnLink = true;
        r_.AnchorValue.assign(state_.Href);
        if (!state_.Title.empty())
            r_.FocusAnchor.assign(state_.Title);
    }
    line.x = AddPixels(line.x, width);
    return true;
}

void MarkupRenderer::DrawImage(const MarkupImage& image, const Rect& dest) {
    Rect target = dest;
    if (p_.Printing) {
        target.Right = dest.Left + ScaledPixels(dest.Width(), p_.ResFactor);
        target.Bottom = dest.Top + ScaledPixels(dest.Height(), p_.ResFactor);
    }
    if (image.list)
        image.list->Draw(canvas_, image.index, target);
    else
        image.picture->Draw(canvas_, target);
}

void MarkupRenderer::PaintBody(const LinePass& line, std::u16string_view tag) {
    if (const auto from = TagAttribute(tag, u"BGCOLOR"); !from.empty()) {
        const auto to = TagAttribute(tag, u"BGCOLORTO");
        const auto dir = TagAttribute(tag, u"DIR");
        FillBackground(canvas_, rect_, ParseMarkupColor(from),
                       to.empty() ? clNone : ParseMarkupColor(to),
                       dir.empty() || EqualsNoCase(dir, u"H"));
    }
    const auto at = [&line](const MarkupImage& image, int x) {
        return Rect{x, line.top, x + image.size.cx, line.top + image.size.cy};
    };
    if (const MarkupImage image = ResolveImage(TagAttribute(tag, u"BACKGROUND"), {}); image) {
        if (image.list) {
            DrawImage(image, at(image, line.x));
        } else if (image.size.cx > 0 && image.size.cy > 0) {
            const ClipScope clip(canvas_, rect_);
            for (int y = rect_.Top; y < rect_.Bottom; y += image.size.cy)
                for (int x = rect_.Left; x < rect_.Right; x += image.size.cx)
                    DrawImage(image, {x, y, x + image.size.cx, y + image.size.cy});
        }
    }
    if (const MarkupImage image = ResolveImage(TagAttribute(tag, u"BGTOPLEFT"), {}); image)
        DrawImage(image, at(image, line.x));
    if (const MarkupImage image = ResolveImage(TagAttribute(tag, u"BGTOPRIGHT"), {}); image)
        DrawImage(image, at(image, line.right - image.size.cx));
}

void MarkupRenderer::FillParagraphLine(const LinePass& line) {
    FillBackground(canvas_, {rect_.Left, line.top, rect_.Right, line.bottom}, state_.FillFrom,
                   state_.FillTo, state_.FillHorizontal);
}

} // namespace zel::markup
