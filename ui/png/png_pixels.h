#pragma once
// From the decompressed scanlines to RGBA: undo the filters pass by pass, then expand each
// pixel's samples (grey, RGB, palette index, with or without alpha) to 8-bit straight RGBA.
#include "ui/png/png_format.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace zel::png {

struct ColorInfo {
    std::vector<std::array<uint8_t, 4>> Palette; // RGBA; tRNS gives the alpha of the first ones
    // The one grey level or RGB value that tRNS makes transparent, in the image's own samples.
    std::optional<std::array<uint16_t, 3>> TransparentKey;
};

// `raw` is the decompressed data of RawSize(header) bytes; it is unfiltered in place.
std::vector<uint8_t> DecodePixels(const Header& header, const ColorInfo& colors,
                                  std::vector<uint8_t>& raw);

} // namespace zel::png
