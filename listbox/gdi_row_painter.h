#pragma once
// Paints the list's rows on a device context: the portable row drawing through a GDI canvas,
// with the platform's check boxes (themed when the window may use themes and they are on).
#include "listbox/list_items.h"
#include "listbox/row_style.h"
#include "ui/gdi_canvas.h"

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

// Whether the platform offers visual themes to check boxes: version 5.1 or later with common
// controls of a major version above 5.
bool PlatformSupportsThemes();

} // namespace zel
