#pragma once
// Paints the list's rows on a device context: the portable row drawing through a GDI canvas,
// with the platform's check boxes (themed when the window may use themes and they are on).
// Free of the markup headers, so that window code can include it.
#include "listbox/list_items.h"
#include "listbox/row_style.h"

#include <windows.h>

#include <memory>

namespace zel {

class GdiRowPainter {
public:
    GdiRowPainter();
    ~GdiRowPainter();
    GdiRowPainter(const GdiRowPainter&) = delete;
    GdiRowPainter& operator=(const GdiRowPainter&) = delete;

    // `window` is the list's window (for its theme); `themed`: the window may use themes.
    void Paint(HDC dc, const RECT& rect, bool selected, const TListBoxItem* item,
               const RowStyle& style, HWND window, bool themed);

private:
    struct Fonts; // the fonts of the markup, kept for the painter's life
    std::unique_ptr<Fonts> fonts_;
};

// Whether the platform offers visual themes to check boxes: version 5.1 or later with common
// controls of a major version above 5.
bool PlatformSupportsThemes();

} // namespace zel
