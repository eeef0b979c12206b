#pragma once
// Placement arithmetic of child controls: alignment (top, bottom, left, right, client) with
// margins, and anchors for the unaligned ones. Portable, so it is tested without windows.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace zel {

struct TRect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool operator==(const TRect&) const = default;
};

inline TRect BoundsRect(int left, int top, int width, int height) {
    return {left, top, left + width, top + height};
}

enum class TAlign : uint8_t { alNone, alTop, alBottom, alLeft, alRight, alClient };

enum TAnchorKind : uint8_t { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };
using TAnchors = uint8_t;
inline constexpr TAnchors kDefaultAnchors = akLeft | akTop;

struct TMargins {
    int Left = 3, Top = 3, Right = 3, Bottom = 3;
};

struct LayoutItem {
    TAlign Align = TAlign::alNone;
    TAnchors Anchors = kDefaultAnchors;
    TMargins Margins;
    bool AlignWithMargins = false;
    bool Visible = true;
    TRect Bounds;       // current bounds; aligned items keep the size across their flow
    TRect AnchorOrigin; // bounds when they were last set explicitly
    int OriginParentWidth = 0, OriginParentHeight = 0; // parent client size at that moment
};

// New bounds for every item inside a parent client area of the given size. Aligned items
// take the space in list order, top and bottom first, then left and right, then client;
// the others follow their anchors from where they were last placed.
std::vector<TRect> ArrangeChildren(int clientWidth, int clientHeight,
                                   const std::vector<LayoutItem>& items);

} // namespace zel
