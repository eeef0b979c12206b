#pragma once
// Draws one row of the list: background in the row's colours, the check box in check-list
// style, the item's image, and the item's text through the markup engine. Portable, so that
// the row layout is tested on a recording canvas; the platform draws the check box.
#include "htmltext/canvas.h"
#include "listbox/list_items.h"
#include "listbox/row_style.h"

#include <string_view>

namespace zel {

inline constexpr int kCheckBoxSize = 16;

class CheckBoxPainter {
public:
    virtual ~CheckBoxPainter() = default;
    // A 16 x 16 check box, enabled, with its top-left corner at `topLeft`.
    virtual void DrawCheckBox(Canvas& canvas, Point topLeft, bool checked) = 0;
};

// `item` is null for a row past the visible items: the row is filled and left empty.
void PaintRow(Canvas& canvas, const Rect& rect, bool selected, const TListBoxItem* item,
              const RowStyle& style, CheckBoxPainter& checkBoxes);

} // namespace zel
