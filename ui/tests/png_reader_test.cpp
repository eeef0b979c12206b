// The PNG reader on well-formed files: every colour type and bit depth, plain and interlaced,
// all five filters, transparency, split image data and skipped chunks, compared pixel by pixel
// with what the samples mean.
#include "ui/png/png_reader.h"

#include "ui/tests/png_test_writer.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <random>

namespace zel {
namespace {

using namespace pngtest;
using Rgba = std::array<uint8_t, 4>;

struct Colors {
    std::vector<Rgba> Palette;
    std::optional<std::array<uint16_t, 3>> Key; // the samples tRNS makes transparent
};

uint8_t To8(uint16_t sample, int depth) {
    return static_cast<uint8_t>(std::lround(sample * 255.0 / ((1 << depth) - 1)));
}

// What pixel (x, y) must decode to, from its samples alone.
Rgba Expected(const SampleImage& image, const Colors& colors, uint32_t x, uint32_t y) {
    const int channels = ChannelsOf(image.Color);
    const uint16_t* s = &image.Samples[(size_t{y} * image.Width + x) * channels];
    const int depth = image.BitDepth;
    switch (image.Color) {
    case 3:
        return colors.Palette[s[0]];
    case 4:
        return {To8(s[0], depth), To8(s[0], depth), To8(s[0], depth), To8(s[1], depth)};
    case 6:
        return {To8(s[0], depth), To8(s[1], depth), To8(s[2], depth), To8(s[3], depth)};
    default:
        break;
    }
    const bool grey = image.Color == 0;
    const Rgba rgb{To8(s[0], depth), To8(s[grey ? 0 : 1], depth), To8(s[grey ? 0 : 2], depth), 255};
    bool key = colors.Key.has_value();
    for (int k = 0; key && k < channels; ++k)
        key = s[k] == (*colors.Key)[k];
    return {rgb[0], rgb[1], rgb[2], uint8_t(key ? 0 : 255)};
}

struct Case {
    uint8_t Color, BitDepth;
    bool Transparency; // a tRNS chunk (key colour or palette alphas)
};

const Case kCases[] = {
    {0, 1, true},  {0, 2, false},  {0, 4, true},  {0, 8, false},  {0, 8, true},
    {0, 16, true}, {0, 16, false}, {2, 8, true},  {2, 8, false},  {2, 16, true},
    {3, 1, true},  {3, 2, false},  {3, 4, true},  {3, 8, true},   {3, 8, false},
    {4, 8, false}, {4, 16, false}, {6, 8, false}, {6, 16, false},
};

struct Built {
    SampleImage Image;
    Colors Palette;
    Bytes Chunks; // PLTE and tRNS
};

Built MakeImage(const Case& c, uint32_t width, uint32_t height, bool interlaced) {
    std::mt19937 random(c.Color * 100 + c.BitDepth + width);
    Built b;
    b.Image = {width, height, c.BitDepth, c.Color, interlaced, -1, {}};
    const uint32_t maxSample = (1u << c.BitDepth) - 1;
    const uint32_t paletteSize = std::min<uint32_t>(maxSample + 1, 200);
    const size_t count = size_t{width} * height * ChannelsOf(c.Color);
    for (size_t i = 0; i < count; ++i)
        b.Image.Samples.push_back(
            uint16_t(random() % ((c.Color == 3 ? paletteSize - 1 : maxSample) + 1)));
    if (c.Color == 3) {
        Bytes plte, trns;
        for (uint32_t i = 0; i < paletteSize; ++i) {
            const Rgba entry{uint8_t(random()), uint8_t(random()), uint8_t(random()),
                             uint8_t(c.Transparency && i < paletteSize / 2 + 1 ? random() : 255)};
            b.Palette.Palette.push_back(entry);
            plte.insert(plte.end(), entry.begin(), entry.begin() + 3);
            trns.push_back(entry[3]);
        }
        trns.resize(c.Transparency ? paletteSize / 2 + 1 : 0);
        b.Chunks =
            Concat({MakeChunk("PLTE", plte), c.Transparency ? MakeChunk("tRNS", trns) : Bytes{}});
    } else if (c.Transparency) {
        // The first pixel's colour becomes transparent wherever it occurs.
        std::array<uint16_t, 3> key{};
        Bytes trns;
        for (int k = 0; k < ChannelsOf(c.Color); ++k) {
            key[k] = b.Image.Samples[k];
            trns.insert(trns.end(), {uint8_t(key[k] >> 8), uint8_t(key[k])});
        }
        b.Palette.Key = key;
        b.Chunks = MakeChunk("tRNS", trns);
    }
    return b;
}

void ExpectPixels(const PngImage& decoded, const SampleImage& image, const Colors& colors) {
    ASSERT_EQ(decoded.Width, int(image.Width));
    ASSERT_EQ(decoded.Height, int(image.Height));
    ASSERT_EQ(decoded.Rgba.size(), size_t{image.Width} * image.Height * 4);
    int wrong = 0;
    for (uint32_t y = 0; y < image.Height; ++y)
        for (uint32_t x = 0; x < image.Width; ++x) {
            const Rgba want = Expected(image, colors, x, y);
            const uint8_t* got = &decoded.Rgba[(size_t{y} * image.Width + x) * 4];
            if (!std::equal(want.begin(), want.end(), got) && wrong++ < 3)
                ADD_FAILURE() << "pixel " << x << "," << y << ": " << int(got[0]) << " "
                              << int(got[1]) << " " << int(got[2]) << " " << int(got[3])
                              << " instead of " << int(want[0]) << " " << int(want[1]) << " "
                              << int(want[2]) << " " << int(want[3]);
        }
    EXPECT_EQ(wrong, 0);
}

TEST(PngReader, DecodesEveryColourTypeAndDepthPlainAndInterlaced) {
    const std::pair<uint32_t, uint32_t> sizes[] = {{13, 11}, {1, 1}, {5, 3}, {2, 9}};
    for (const Case& c : kCases)
        for (const auto& [width, height] : sizes)
            for (bool interlaced : {false, true}) {
                SCOPED_TRACE(testing::Message()
                             << "colour " << int(c.Color) << " depth " << int(c.BitDepth)
                             << " tRNS " << c.Transparency << " " << width << "x" << height
                             << (interlaced ? " interlaced" : ""));
                const Built b = MakeImage(c, width, height, interlaced);
                ExpectPixels(ReadPng(WritePng(b.Image, b.Chunks)), b.Image, b.Palette);
            }
}

TEST(PngReader, EachFilterAloneOnEveryRow) {
    for (int filter = 0; filter < 5; ++filter)
        for (const Case& c : {Case{6, 16, false}, Case{2, 8, false}, Case{0, 2, false}}) {
            SCOPED_TRACE(testing::Message() << "filter " << filter << " colour " << int(c.Color));
            Built b = MakeImage(c, 17, 6, false);
            b.Image.Filter = filter;
            ExpectPixels(ReadPng(WritePng(b.Image, b.Chunks)), b.Image, b.Palette);
        }
}

// The seven passes in the order of the standard: every pixel of pass p carries the value 30 p.
TEST(PngReader, Adam7PassesLandWhereTheStandardPutsThem) {
    const int passOf[8][8] = {
        {1, 6, 4, 6, 2, 6, 4, 6}, {7, 7, 7, 7, 7, 7, 7, 7}, {5, 6, 5, 6, 5, 6, 5, 6},
        {7, 7, 7, 7, 7, 7, 7, 7}, {3, 6, 4, 6, 3, 6, 4, 6}, {7, 7, 7, 7, 7, 7, 7, 7},
        {5, 6, 5, 6, 5, 6, 5, 6}, {7, 7, 7, 7, 7, 7, 7, 7},
    };
    const int passWidth[] = {1, 1, 2, 2, 4, 4, 8}, passHeight[] = {1, 1, 1, 2, 2, 4, 4};
    Bytes raw;
    for (int p = 0; p < 7; ++p)
        for (int row = 0; row < passHeight[p]; ++row) {
            raw.push_back(0);
            raw.insert(raw.end(), passWidth[p], uint8_t(30 * (p + 1)));
        }
    const PngImage image = ReadPng(Concat({Signature(), Ihdr(8, 8, 8, 0, true),
                                           MakeChunk("IDAT", Zlib(raw)), MakeChunk("IEND", {})}));
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(image.Rgba[(y * 8 + x) * 4], 30 * passOf[y][x]) << x << "," << y;
}

TEST(PngReader, ImageDataSplitOverManyChunksAndAncillaryChunksSkipped) {
    const Built b = MakeImage({6, 8, false}, 9, 7, true);
    const Bytes stream = Zlib(Scanlines(b.Image));
    Bytes chunks = Concat({MakeChunk("tEXt", Bytes{'a', 0, 'b'}), MakeChunk("vpAg", Bytes(9)),
                           MakeChunk("IDAT", {})});
    for (uint8_t byte : stream)
        chunks = Concat({chunks, MakeChunk("IDAT", Bytes{byte})});
    const Bytes file = Concat({Signature(), Ihdr(9, 7, 8, 6, true), chunks,
                               MakeChunk("zzZz", Bytes{1, 2}), MakeChunk("IEND", {})});
    ExpectPixels(ReadPng(file), b.Image, b.Palette);
}

TEST(PngReader, PaletteOfATrueColourImageIsOnlyASuggestion) {
    const Built b = MakeImage({2, 8, false}, 4, 4, false);
    ExpectPixels(ReadPng(WritePng(b.Image, MakeChunk("PLTE", Bytes{1, 2, 3, 4, 5, 6}))), b.Image,
                 b.Palette);
}

// The programs' glyphs, written by an independent encoder (PIL).
TEST(PngReader, ReadsTheButtonGlyphs) {
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(ZEL_GLYPH_DIR)) {
        SCOPED_TRACE(entry.path().filename().string());
        std::ifstream in(entry.path(), std::ios::binary);
        const Bytes file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        const PngImage image = ReadPng(file);
        EXPECT_EQ(image.Width, 16);
        EXPECT_EQ(image.Height, 16);
        ASSERT_EQ(image.Rgba.size(), 16u * 16 * 4);
        int transparent = 0, opaque = 0;
        for (size_t i = 3; i < image.Rgba.size(); i += 4) {
            transparent += image.Rgba[i] == 0;
            opaque += image.Rgba[i] == 255;
        }
        EXPECT_GT(transparent, 64);
        EXPECT_GT(opaque, 8);
        ++count;
    }
    EXPECT_EQ(count, 15);
}

} // namespace
} // namespace zel
