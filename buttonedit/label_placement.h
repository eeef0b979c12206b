#pragma once
// Where a field's label goes for each of the fifteen positions, and the room an aligned field
// leaves for it. Portable arithmetic over the field's bounds and the label's size.
#include "htmltext/geometry.h"
#include "ui/layout.h"

#include <cstdint>

namespace zel {

enum class TLabelPosition : uint8_t {
    lpLeftTop,
    lpLeftCenter,
    lpLeftBottom,
    lpTopLeft,
    lpBottomLeft,
    lpLeftTopLeft,
    lpLeftCenterLeft,
    lpLeftBottomLeft,
    lpTopCenter,
    lpBottomCenter,
    lpRightTop,
    lpRightCenter,
    lpRighBottom,
    lpTopRight,
    lpBottomRight,
};

struct LabelExtent {
    int CaptionWidth = 0; // the caption's text in the label's font
    int Width = 0;        // the label's own size
    int Height = 0;
};

// The label's top-left corner beside a field with these bounds; Margin is LabelMargin, and a
// field with a single border centres the label two pixels higher.
Point LabelOrigin(TLabelPosition Position, const TRect& Field, const LabelExtent& Label, int Margin,
                  bool SingleBorder);

// The bounds an aligned field keeps of what the layout gave it, so that the label beside it
// stays inside: a label at the left shifts it right, one on top shifts it down, one at the
// right narrows it, along the sides the alignment stretches.
TRect FieldRoomForLabel(TLabelPosition Position, TAlign Align, const TRect& Arranged,
                        const LabelExtent& Label, int Margin);

} // namespace zel
