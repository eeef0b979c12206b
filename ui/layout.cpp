#include "ui/layout.h"

namespace zel {

namespace {

// One axis of an anchored control: both edges anchored stretch it, only the far edge moves it,
// neither keeps its centre at the same proportion of the parent.
void AnchorAxis(bool nearEdge, bool farEdge, int origin, int size, int originParent, int parent,
                int& outStart, int& outSize) {
    int delta = parent - originParent;
    outSize = size;
    outStart = origin;
    if (nearEdge && farEdge) {
        outSize = size + delta;
    } else if (farEdge) {
        outStart = origin + delta;
    } else if (!nearEdge && originParent > 0) {
        int centre = origin + size / 2;
        outStart = centre * parent / originParent - size / 2;
    }
}

} // namespace

std::vector<TRect> ArrangeChildren(int clientWidth, int clientHeight,
                                   const std::vector<LayoutItem>& items) {
    std::vector<TRect> result(items.size());
    TRect free{0, 0, clientWidth, clientHeight};

    auto place = [&](const LayoutItem& item, TRect outer) {
        if (item.AlignWithMargins) {
            outer.Left += item.Margins.Left;
            outer.Top += item.Margins.Top;
            outer.Right -= item.Margins.Right;
            outer.Bottom -= item.Margins.Bottom;
        }
        if (outer.Right < outer.Left)
            outer.Right = outer.Left;
        if (outer.Bottom < outer.Top)
            outer.Bottom = outer.Top;
        return outer;
    };
    auto extraH = [](const LayoutItem& i) {
        return i.AlignWithMargins ? i.Margins.Top + i.Margins.Bottom : 0;
    };
    auto extraW = [](const LayoutItem& i) {
        return i.AlignWithMargins ? i.Margins.Left + i.Margins.Right : 0;
    };

    for (TAlign pass :
         {TAlign::alTop, TAlign::alBottom, TAlign::alLeft, TAlign::alRight, TAlign::alClient}) {
        for (size_t i = 0; i < items.size(); ++i) {
            const LayoutItem& item = items[i];
            if (item.Align != pass)
                continue;
            if (!item.Visible) {
                result[i] = item.Bounds;
                continue;
            }
            int h = item.Bounds.Height() + extraH(item);
            int w = item.Bounds.Width() + extraW(item);
            switch (pass) {
            case TAlign::alTop:
                result[i] = place(item, {free.Left, free.Top, free.Right, free.Top + h});
                free.Top += h;
                break;
            case TAlign::alBottom:
                result[i] = place(item, {free.Left, free.Bottom - h, free.Right, free.Bottom});
                free.Bottom -= h;
                break;
            case TAlign::alLeft:
                result[i] = place(item, {free.Left, free.Top, free.Left + w, free.Bottom});
                free.Left += w;
                break;
            case TAlign::alRight:
                result[i] = place(item, {free.Right - w, free.Top, free.Right, free.Bottom});
                free.Right -= w;
                break;
            default:
                result[i] = place(item, free);
                break;
            }
        }
    }

    for (size_t i = 0; i < items.size(); ++i) {
        const LayoutItem& item = items[i];
        if (item.Align != TAlign::alNone)
            continue;
        int left, width, top, height;
        AnchorAxis(item.Anchors & akLeft, item.Anchors & akRight, item.AnchorOrigin.Left,
                   item.AnchorOrigin.Width(), item.OriginParentWidth, clientWidth, left, width);
        AnchorAxis(item.Anchors & akTop, item.Anchors & akBottom, item.AnchorOrigin.Top,
                   item.AnchorOrigin.Height(), item.OriginParentHeight, clientHeight, top, height);
        result[i] = BoundsRect(left, top, width < 0 ? 0 : width, height < 0 ? 0 : height);
    }
    return result;
}

} // namespace zel
