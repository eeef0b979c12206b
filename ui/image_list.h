#pragma once
// An image list component: a row of equally sized 32-bit images made from a bitmap resource,
// owned by the component, and offered to the markup engine's drawing as an ImageList.
#include "ui/component.h"
#include "ui/gdi_canvas.h"
#include "ui/unique_handle.h"

namespace zel {

class BitmapImageList : public Component {
public:
    explicit BitmapImageList(Component* owner) : Component(owner) {}

    // Cuts the named bitmap resource of the program into images `width` x `height`;
    // fails with the system's text.
    void LoadBitmapResource(const wchar_t* name, int width, int height);

    HIMAGELIST Handle() const noexcept { return handle_.get(); } // owned
    int Count() const;
    int Width() const noexcept { return width_; }
    int Height() const noexcept { return height_; }
    // The images as the markup engine draws them.
    const ImageList* Images() const noexcept { return &images_; }

private:
    UniqueImageList handle_;
    GdiImageList images_; // over handle_
    int width_ = 16;
    int height_ = 16;
};

} // namespace zel
