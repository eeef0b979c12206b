#pragma once
// Painting through a bitmap: `paint` draws into a memory DC whose logical coordinates are those
// of `dc` within `rect` (with dc's font and colours selected), and the result is copied to dc
// in one step, so that nothing ever shows half drawn.
#include <windows.h>

#include <functional>

namespace zel {

void PaintBuffered(HDC dc, const RECT& rect, const std::function<void(HDC)>& paint);

} // namespace zel
