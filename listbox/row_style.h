#pragma once
// How the rows of the list look, and how high they are. Kept free of the markup headers so
// that window code can fill it in.
#include <cstdint>
#include <string>
#include <string_view>

namespace zel {

class ImageList;
class TextFolder;

struct RowStyle {
    const ImageList* Images = nullptr; // not owned
    bool CheckList = false;
    uint32_t ListColor = 0xFF000005;      // the system's window colour
    uint32_t FontColor = 0xFF000008;      // the system's window text colour
    std::u16string_view HighlightText;    // marked in every row when not empty
    const TextFolder* Folder = nullptr;   // how the highlight compares; null: exactly
    const std::u16string* Text = nullptr; // shown instead of the item's text when not null
};

// Height of every row: the list's item height, or the image height and a margin when larger.
int RowHeight(int itemHeight, const ImageList* images);

} // namespace zel
