#pragma once
// Pictures that the caller keeps by name (a container) or by address (a cache). The engine
// needs of a picture only its size and a way to draw it.
#include "htmltext/canvas.h"

#include <string_view>

namespace zel {

class Picture {
public:
    virtual ~Picture() = default;
    virtual bool Empty() const = 0;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual void Draw(Canvas& canvas, const Rect& dest) const = 0;
};

class PictureSource {
public:
    virtual ~PictureSource() = default;
    // The picture under this name or address; null when there is none (yet).
    virtual const Picture* FindPicture(std::u16string_view key) const = 0;
};

} // namespace zel
