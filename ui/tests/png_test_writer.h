#pragma once
// A tiny PNG writer for the reader's tests: images of any colour type, bit depth, filter and
// interlacing from their samples, and the pieces (chunks, zlib data) to build broken files.
#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <initializer_list>
#include <span>
#include <string_view>
#include <vector>

namespace zel::pngtest {

using Bytes = std::vector<uint8_t>;

inline void PutBigEndian32(Bytes& out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<uint8_t>(v >> shift));
}

inline Bytes Signature() {
    return {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
}

// One chunk: length, type, data and the CRC of type and data.
inline Bytes MakeChunk(std::string_view type, std::span<const uint8_t> data) {
    Bytes out;
    PutBigEndian32(out, static_cast<uint32_t>(data.size()));
    out.insert(out.end(), type.begin(), type.end());
    out.insert(out.end(), data.begin(), data.end());
    PutBigEndian32(out, crc32(0, out.data() + 4, static_cast<uInt>(4 + data.size())));
    return out;
}

inline Bytes Ihdr(uint32_t width, uint32_t height, uint8_t depth, uint8_t color, bool interlaced) {
    Bytes data;
    PutBigEndian32(data, width);
    PutBigEndian32(data, height);
    data.insert(data.end(), {depth, color, 0, 0, uint8_t(interlaced ? 1 : 0)});
    return MakeChunk("IHDR", data);
}

inline Bytes Zlib(std::span<const uint8_t> raw) {
    uLongf size = compressBound(static_cast<uLong>(raw.size()));
    Bytes out(size);
    compress2(out.data(), &size, raw.data(), static_cast<uLong>(raw.size()), 9);
    out.resize(size);
    return out;
}

inline Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

inline int ChannelsOf(uint8_t color) {
    return color == 2 ? 3 : color == 4 ? 2 : color == 6 ? 4 : 1;
}

// An image by its samples, row by row, `ChannelsOf(Color)` samples per pixel.
struct SampleImage {
    uint32_t Width = 0, Height = 0;
    uint8_t BitDepth = 8, Color = 0;
    bool Interlaced = false;
    int Filter = -1; // the filter of every row; -1 cycles through the five from row to row
    std::vector<uint16_t> Samples;
};

// Filters one row of bytes against the row above (`prior`, unfiltered, zeros for the first).
inline Bytes FilterRow(int type, const Bytes& row, const Bytes& prior, size_t stride) {
    Bytes out{uint8_t(type)};
    for (size_t i = 0; i < row.size(); ++i) {
        const int a = i >= stride ? row[i - stride] : 0, b = prior[i];
        const int c = i >= stride ? prior[i - stride] : 0;
        const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
        const int paeth = pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
        const int predictor[] = {0, a, b, (a + b) / 2, paeth};
        out.push_back(static_cast<uint8_t>(row[i] - predictor[type]));
    }
    return out;
}

// The samples of the pixels (x0 + i * dx, y) packed into one row of bytes.
inline Bytes PackRow(const SampleImage& image, uint32_t y, uint32_t x0, uint32_t dx) {
    const int channels = ChannelsOf(image.Color);
    Bytes out;
    uint32_t bits = 0, filled = 0;
    for (uint32_t x = x0; x < image.Width; x += dx)
        for (int k = 0; k < channels; ++k) {
            const uint16_t s = image.Samples[(size_t{y} * image.Width + x) * channels + k];
            if (image.BitDepth == 16) {
                out.insert(out.end(), {uint8_t(s >> 8), uint8_t(s)});
                continue;
            }
            bits = bits << image.BitDepth | s;
            filled += image.BitDepth;
            if (filled == 8) {
                out.push_back(uint8_t(bits));
                bits = filled = 0;
            }
        }
    if (filled > 0)
        out.push_back(uint8_t(bits << (8 - filled)));
    return out;
}

// The scanlines before compression: one pass, or the seven Adam7 passes.
inline Bytes Scanlines(const SampleImage& image) {
    struct Step {
        uint32_t x0, y0, dx, dy;
    };
    std::vector<Step> steps{{0, 0, 1, 1}};
    if (image.Interlaced)
        steps = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                 {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};
    const size_t stride = std::max(1, ChannelsOf(image.Color) * image.BitDepth / 8);
    Bytes out;
    int row = 0;
    for (const Step& s : steps) {
        if (s.x0 >= image.Width)
            continue;
        Bytes prior;
        for (uint32_t y = s.y0; y < image.Height; y += s.dy) {
            const Bytes packed = PackRow(image, y, s.x0, s.dx);
            prior.resize(packed.size());
            const int type = image.Filter >= 0 ? image.Filter : row++ % 5;
            const Bytes filtered = FilterRow(type, packed, prior, stride);
            out.insert(out.end(), filtered.begin(), filtered.end());
            prior = packed;
        }
    }
    return out;
}

// A whole file: IHDR, the chunks given (PLTE, tRNS, ...), one IDAT, IEND.
inline Bytes WritePng(const SampleImage& image, const Bytes& extraChunks = {}) {
    return Concat({Signature(),
                   Ihdr(image.Width, image.Height, image.BitDepth, image.Color, image.Interlaced),
                   extraChunks, MakeChunk("IDAT", Zlib(Scanlines(image))), MakeChunk("IEND", {})});
}

} // namespace zel::pngtest
