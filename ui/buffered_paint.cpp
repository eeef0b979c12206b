#include "ui/buffered_paint.h"

#include "ui/unique_handle.h"

namespace zel {

void PaintBuffered(HDC dc, const RECT& rect, const std::function<void(HDC)>& paint) {
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0)
        return;
    UniqueMemoryDC memory(::CreateCompatibleDC(dc));
    UniqueBitmap buffer(::CreateCompatibleBitmap(dc, width, height));
    SelectGuard selected(memory.get(), buffer.get());
    SelectGuard font(memory.get(), ::GetCurrentObject(dc, OBJ_FONT));
    ::SetTextColor(memory.get(), ::GetTextColor(dc));
    ::SetBkColor(memory.get(), ::GetBkColor(dc));
    ::SetViewportOrgEx(memory.get(), -rect.left, -rect.top, nullptr);
    paint(memory.get());
    ::BitBlt(dc, rect.left, rect.top, width, height, memory.get(), rect.left, rect.top, SRCCOPY);
}

} // namespace zel
