#include "ui/png/png_format.h"

#include "core/error.h"
#include "ui/png/png_reader.h"

#include <string>

namespace zel::png {

void Fail(std::u16string_view detail) {
    throw Exception(u"PNG 画像を読み込めません: " + std::u16string(detail));
}

void Fail(std::u16string_view detail, std::string_view arg) {
    Fail(FormatText(detail, std::u16string(arg.begin(), arg.end())));
}

int Header::Channels() const {
    switch (Color) {
    case kRgb:
        return 3;
    case kGreyAlpha:
        return 2;
    case kRgba:
        return 4;
    default:
        return 1;
    }
}

namespace {

bool DepthAllowed(uint8_t color, uint8_t depth) {
    switch (color) {
    case kGrey:
        return depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16;
    case kPalette:
        return depth == 1 || depth == 2 || depth == 4 || depth == 8;
    case kRgb:
    case kGreyAlpha:
    case kRgba:
        return depth == 8 || depth == 16;
    default:
        return false;
    }
}

} // namespace

Header ParseHeader(std::span<const uint8_t> data) {
    if (data.size() != 13)
        Fail(u"IHDR の長さが 13 ではありません");
    Header h;
    h.Width = ReadBigEndian32(data.data());
    h.Height = ReadBigEndian32(data.data() + 4);
    if (h.Width == 0 || h.Height == 0)
        Fail(u"画像の幅か高さが 0 です");
    if (h.Width > 0x7FFFFFFFu || h.Height > 0x7FFFFFFFu)
        Fail(u"画像の幅か高さが 2^31-1 を超えています");
    if (uint64_t{h.Width} * h.Height > kPngMaxPixels)
        Fail(u"画像が大きすぎます (%s 画素)", std::to_string(uint64_t{h.Width} * h.Height));
    if (!DepthAllowed(data[9], data[8]))
        Fail(u"色の種類とビット深度の組み合わせが不正です (%s)",
             std::to_string(data[9]) + "/" + std::to_string(data[8]));
    h.BitDepth = data[8];
    h.Color = static_cast<ColorType>(data[9]);
    if (data[10] != 0)
        Fail(u"圧縮方式 %s は使えません", std::to_string(data[10]));
    if (data[11] != 0)
        Fail(u"フィルター方式 %s は使えません", std::to_string(data[11]));
    if (data[12] > 1)
        Fail(u"インターレース方式 %s は使えません", std::to_string(data[12]));
    h.Interlaced = data[12] == 1;
    return h;
}

namespace {

Pass MakePass(const Header& h, uint32_t x0, uint32_t y0, uint32_t dx, uint32_t dy) {
    Pass p{x0, y0, dx, dy, 0, 0, 0};
    p.Width = h.Width > x0 ? (h.Width - x0 + dx - 1) / dx : 0;
    p.Height = h.Height > y0 ? (h.Height - y0 + dy - 1) / dy : 0;
    p.RowBytes = (size_t{p.Width} * h.BitsPerPixel() + 7) / 8;
    return p;
}

} // namespace

std::vector<Pass> Passes(const Header& header) {
    if (!header.Interlaced)
        return {MakePass(header, 0, 0, 1, 1)};
    // Adam7: where each pass starts and how far apart its pixels lie.
    static constexpr uint32_t kX0[] = {0, 4, 0, 2, 0, 1, 0};
    static constexpr uint32_t kY0[] = {0, 0, 4, 0, 2, 0, 1};
    static constexpr uint32_t kDx[] = {8, 8, 4, 4, 2, 2, 1};
    static constexpr uint32_t kDy[] = {8, 8, 8, 4, 4, 2, 2};
    std::vector<Pass> passes;
    for (int i = 0; i < 7; ++i)
        passes.push_back(MakePass(header, kX0[i], kY0[i], kDx[i], kDy[i]));
    return passes;
}

size_t RawSize(const Header& header) {
    size_t size = 0;
    for (const Pass& p : Passes(header))
        if (!p.Empty())
            size += size_t{p.Height} * (1 + p.RowBytes);
    return size;
}

} // namespace zel::png
