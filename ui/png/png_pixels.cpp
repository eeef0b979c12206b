#include "ui/png/png_pixels.h"

#include <algorithm>
#include <cstdlib>
#include <string>

namespace zel::png {

namespace {

uint8_t Paeth(int a, int b, int c) {
    const int p = a + b - c;
    const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    if (pa <= pb && pa <= pc)
        return static_cast<uint8_t>(a);
    return static_cast<uint8_t>(pb <= pc ? b : c);
}

// Undoes one row's filter; `prior` is the row above in the same pass (zeros for the first).
void Unfilter(uint8_t type, uint8_t* row, const uint8_t* prior, size_t length, size_t stride) {
    if (type > 4)
        Fail(u"フィルター種別 %s は不正です", std::to_string(type));
    if (type == 0)
        return;
    for (size_t i = 0; i < length; ++i) {
        const int a = i >= stride ? row[i - stride] : 0;
        const int b = prior[i];
        const int c = i >= stride ? prior[i - stride] : 0;
        switch (type) {
        case 1:
            row[i] = static_cast<uint8_t>(row[i] + a);
            break;
        case 2:
            row[i] = static_cast<uint8_t>(row[i] + b);
            break;
        case 3:
            row[i] = static_cast<uint8_t>(row[i] + (a + b) / 2);
            break;
        case 4:
            row[i] = static_cast<uint8_t>(row[i] + Paeth(a, b, c));
            break;
        }
    }
}

uint16_t Sample(const uint8_t* row, size_t index, int depth) {
    if (depth == 16)
        return static_cast<uint16_t>(row[2 * index] << 8 | row[2 * index + 1]);
    if (depth == 8)
        return row[index];
    const size_t bit = index * depth;
    const int shift = 8 - depth - static_cast<int>(bit % 8);
    return static_cast<uint16_t>((row[bit / 8] >> shift) & ((1 << depth) - 1));
}

uint8_t To8Bits(uint16_t sample, int depth) {
    if (depth == 16)
        return static_cast<uint8_t>((sample + 128) / 257);
    return static_cast<uint8_t>(sample * 255 / ((1 << depth) - 1));
}

// Expands pixel `index` of an unfiltered row into `out` (4 bytes).
class PixelExpander {
public:
    PixelExpander(const Header& header, const ColorInfo& colors)
        : header_(header), colors_(colors), channels_(header.Channels()) {}

    void Expand(const uint8_t* row, size_t index, uint8_t* out) const {
        std::array<uint16_t, 4> s{};
        for (int k = 0; k < channels_; ++k)
            s[k] = Sample(row, index * channels_ + k, header_.BitDepth);
        if (header_.Color == kPalette)
            return ExpandIndex(s[0], out);
        const bool grey = header_.Color == kGrey || header_.Color == kGreyAlpha;
        const int colorChannels = grey ? 1 : 3;
        for (int k = 0; k < 3; ++k)
            out[k] = To8Bits(s[grey ? 0 : k], header_.BitDepth);
        if (header_.Color == kGreyAlpha || header_.Color == kRgba)
            out[3] = To8Bits(s[colorChannels], header_.BitDepth);
        else
            out[3] = IsKey(s, colorChannels) ? 0 : 255;
    }

private:
    void ExpandIndex(uint16_t index, uint8_t* out) const {
        if (index >= colors_.Palette.size())
            Fail(u"パレット番号 %s がパレットの外を指しています", std::to_string(index));
        const auto& entry = colors_.Palette[index];
        std::copy(entry.begin(), entry.end(), out);
    }
    bool IsKey(const std::array<uint16_t, 4>& s, int colorChannels) const {
        if (!colors_.TransparentKey)
            return false;
        for (int k = 0; k < colorChannels; ++k)
            if (s[k] != (*colors_.TransparentKey)[k])
                return false;
        return true;
    }

    const Header& header_;
    const ColorInfo& colors_;
    int channels_;
};

} // namespace

std::vector<uint8_t> DecodePixels(const Header& header, const ColorInfo& colors,
                                  std::vector<uint8_t>& raw) {
    std::vector<uint8_t> rgba(size_t{header.Width} * header.Height * 4);
    const PixelExpander expander(header, colors);
    uint8_t* at = raw.data();
    for (const Pass& pass : Passes(header)) {
        if (pass.Empty())
            continue;
        const std::vector<uint8_t> zeros(pass.RowBytes);
        const uint8_t* prior = zeros.data();
        for (uint32_t y = 0; y < pass.Height; ++y) {
            uint8_t* row = at + 1;
            Unfilter(at[0], row, prior, pass.RowBytes, header.FilterStride());
            const size_t top = size_t{pass.Y0 + y * pass.Dy} * header.Width;
            for (uint32_t x = 0; x < pass.Width; ++x)
                expander.Expand(row, x, &rgba[(top + pass.X0 + x * pass.Dx) * 4]);
            prior = row;
            at = row + pass.RowBytes;
        }
    }
    return rgba;
}

} // namespace zel::png
