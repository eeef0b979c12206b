#include "ui/image_list.h"

#include "core/error.h"
#include "ui/files.h"

namespace zel {

void BitmapImageList::LoadBitmapResource(const wchar_t* name, int width, int height) {
    UniqueBitmap bitmap(static_cast<HBITMAP>(
        ::LoadImageW(::GetModuleHandleW(nullptr), name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (!bitmap)
        throw Exception(SystemErrorText(::GetLastError()));
    BITMAP info{};
    ::GetObjectW(bitmap.get(), sizeof(info), &info);
    UniqueImageList list(::ImageList_Create(width, height, ILC_COLOR32, info.bmWidth / width, 0));
    if (!list || ::ImageList_Add(list.get(), bitmap.get(), nullptr) < 0)
        throw Exception(SystemErrorText(::GetLastError()));
    handle_ = std::move(list);
    width_ = width;
    height_ = height;
    images_.SetHandle(handle_.get());
}

int BitmapImageList::Count() const {
    return handle_ ? ::ImageList_GetImageCount(handle_.get()) : 0;
}

} // namespace zel
