#pragma once
// What the PNG reader's steps share: the failure, the image header and the pass geometry.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace zel::png {

// Throws the reader's failure: "PNG 画像を読み込めません: <detail>".
[[noreturn]] void Fail(std::u16string_view detail);
// The same with "%s" of `detail` replaced by ASCII text (a chunk name, a number).
[[noreturn]] void Fail(std::u16string_view detail, std::string_view arg);

inline uint32_t ReadBigEndian32(const uint8_t* p) {
    return uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | p[3];
}

enum ColorType : uint8_t { kGrey = 0, kRgb = 2, kPalette = 3, kGreyAlpha = 4, kRgba = 6 };

struct Header {
    uint32_t Width = 0, Height = 0;
    uint8_t BitDepth = 0;
    ColorType Color = kGrey;
    bool Interlaced = false;

    int Channels() const;
    size_t BitsPerPixel() const { return size_t(Channels()) * BitDepth; }
    // The filters' byte distance to the corresponding byte of the pixel before.
    size_t FilterStride() const { return BitsPerPixel() < 8 ? 1 : BitsPerPixel() / 8; }
};

// Validates the 13 bytes of IHDR, including the pixel limit.
Header ParseHeader(std::span<const uint8_t> data);

// One reduced image: where its pixels lie in the whole image, and its size.
struct Pass {
    uint32_t X0, Y0, Dx, Dy;
    uint32_t Width, Height;
    size_t RowBytes; // without the filter byte
    bool Empty() const { return Width == 0 || Height == 0; }
};

// One pass for a plain image, the seven Adam7 passes for an interlaced one (some may be empty).
std::vector<Pass> Passes(const Header& header);

// The size of the decompressed data: every non-empty pass's rows, each led by a filter byte.
size_t RawSize(const Header& header);

} // namespace zel::png
