#pragma once
// Paints the list's rows on a device context: the portable row drawing through a GDI canvas,
// with the platform's check boxes (themed when the window may use themes and they are on).
#include "listbox/list_items.h"
#include "listbox/row_style.h"
#include "ui/gdi_canvas.h"
#include "ui/themes.h"

#include <windows.h>

namespace zel {

class GdiRowPainter {
public:
    // `window` is the list's window (for its theme); `themed`: the window may use themes.
    void Paint(HDC dc, const RECT& rect, bool selected, const TListBoxItem* item,
               const RowStyle& style, HWND window, bool themed);

private:
    GdiFontCache fonts_; // the fonts of the markup, kept for the painter's life
};

} // namespace zel
