#pragma once
// A strict PNG reader: every colour type and bit depth, tRNS, the five filters and Adam7
// interlacing, over zlib. Anything the PNG standard does not allow fails with a zel::Exception
// whose message says what is wrong, including bytes after IEND: the images we read are our own
// resources, so a file that carries more than its chunks is treated as damaged.
#include <cstdint>
#include <span>
#include <vector>

namespace zel {

struct PngImage {
    int Width = 0, Height = 0;
    std::vector<uint8_t> Rgba; // 8-bit R, G, B, A per pixel, straight alpha, rows top-down
};

// Images of more pixels than this are refused before anything is allocated for them.
inline constexpr uint64_t kPngMaxPixels = uint64_t{64} << 20;

// Decodes a whole PNG file. Never reads outside `data`.
PngImage ReadPng(std::span<const uint8_t> data);

} // namespace zel
