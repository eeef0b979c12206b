#pragma once
// Pixel arithmetic of the layout. Markup may ask for sizes (fonts, pictures, offsets, many of
// them on a line) whose sums leave the range of int. Every size that enters the layout and
// every running sum is kept within +-kPixelLimit, far beyond any canvas, which leaves room for
// the few terms of any one expression of the layout to be added without overflow.
#include "htmltext/geometry.h"

#include <algorithm>

namespace zel::markup {

inline constexpr int kPixelLimit = 1 << 26;

constexpr int ClampPixels(long long value) {
    return static_cast<int>(std::clamp<long long>(value, -kPixelLimit, kPixelLimit));
}

constexpr int AddPixels(int a, long long b) {
    return ClampPixels(a + b);
}

constexpr Size ClampSize(Size size) {
    return {ClampPixels(size.cx), ClampPixels(size.cy)};
}

constexpr Rect ClampRect(const Rect& r) {
    return {ClampPixels(r.Left), ClampPixels(r.Top), ClampPixels(r.Right), ClampPixels(r.Bottom)};
}

} // namespace zel::markup
