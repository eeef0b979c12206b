// The PNG reader on broken and unsupported files: each one fails with a message that says what
// is wrong, never with a crash or a read outside the data (the sanitizer build checks that).
#include "ui/png/png_reader.h"

#include "core/error.h"
#include "core/utf8.h"
#include "ui/tests/png_test_writer.h"

#include <gtest/gtest.h>

namespace zel {
namespace {

using namespace pngtest;

// The failure's message, or "(no failure)".
std::u16string FailureOf(const Bytes& file) {
    try {
        ReadPng(file);
    } catch (const Exception& e) {
        return e.Message();
    }
    return u"(no failure)";
}

Bytes IhdrWith(size_t index, uint8_t value) {
    Bytes data{0, 0, 0, 3, 0, 0, 0, 2, 8, 0, 0, 0, 0};
    data[index] = value;
    return MakeChunk("IHDR", data);
}

// A 3 x 2 grey image: rows of filter byte and three samples.
const Bytes kRaw{0, 10, 20, 30, 1, 5, 5, 5};
const Bytes kSig = Signature();
const Bytes kIhdr = Ihdr(3, 2, 8, 0, false);
const Bytes kIdat = MakeChunk("IDAT", Zlib(kRaw));
const Bytes kIend = MakeChunk("IEND", {});

Bytes Data(Bytes raw) {
    return MakeChunk("IDAT", Zlib(raw));
}
Bytes WithByte(Bytes bytes, size_t index, uint8_t value) {
    bytes.at(index) = value;
    return bytes;
}
Bytes Flipped(Bytes bytes, size_t index) {
    bytes.at(index) ^= 0xFF;
    return bytes;
}
Bytes Without(Bytes bytes, size_t count) {
    bytes.resize(bytes.size() - count);
    return bytes;
}
Bytes Palette(size_t entries) {
    return MakeChunk("PLTE", Bytes(entries * 3, 7));
}
Bytes PaletteImage(uint8_t depth) {
    return Ihdr(3, 2, depth, 3, false);
}

struct Case {
    const char* Name;
    Bytes File;
    std::u16string_view Says;
};

TEST(PngReaderRejects, BrokenFilesWithTheirReason) {
    const Bytes zlibData = Zlib(kRaw);
    const Case cases[] = {
        {"no signature", Concat({WithByte(kSig, 1, 'Q'), kIhdr, kIdat, kIend}), u"署名"},
        {"empty file", {}, u"署名"},
        {"signature only", kSig, u"IHDR がありません"},
        {"missing IHDR", Concat({kSig, kIdat, kIend}), u"最初のチャンクが IHDR ではありません"},
        {"missing IEND", Concat({kSig, kIhdr, kIdat}), u"IEND がありません"},
        {"bad CRC of IHDR", Concat({kSig, Flipped(kIhdr, 21), kIdat, kIend}),
         u"チャンク IHDR の CRC が一致しません"},
        {"bad CRC of IDAT", Concat({kSig, kIhdr, Flipped(kIdat, kIdat.size() - 1), kIend}),
         u"IDAT の CRC"},
        {"bad CRC of an ancillary chunk",
         Concat({kSig, kIhdr, Flipped(MakeChunk("tEXt", Bytes{'a', 0}), 10), kIdat, kIend}),
         u"tEXt の CRC"},
        {"chunk type with a digit", Concat({kSig, kIhdr, MakeChunk("tEX1", {}), kIdat, kIend}),
         u"英字 4 文字"},
        {"chunk longer than the file", Concat({kSig, kIhdr, WithByte(kIdat, 2, 9), kIend}),
         u"チャンクの途中"},
        {"chunk length over 2^31-1", Concat({kSig, kIhdr, WithByte(kIdat, 0, 0x80), kIend}),
         u"2^31-1"},
        {"zero width", Concat({kSig, Ihdr(0, 2, 8, 0, false), kIdat, kIend}), u"0 です"},
        {"zero height", Concat({kSig, Ihdr(3, 0, 8, 0, false), kIdat, kIend}), u"0 です"},
        {"width over 2^31-1", Concat({kSig, Ihdr(0x80000000u, 1, 8, 0, false), kIdat, kIend}),
         u"2^31-1"},
        {"over 64 Mi pixels", Concat({kSig, Ihdr(8193, 8192, 8, 0, false), kIdat, kIend}),
         u"大きすぎます"},
        {"IHDR of 12 bytes", Concat({kSig, MakeChunk("IHDR", Bytes(12, 1)), kIdat, kIend}), u"13"},
        {"depth 4 for RGB", Concat({kSig, Ihdr(3, 2, 4, 2, false), kIdat, kIend}), u"組み合わせ"},
        {"depth 16 for a palette", Concat({kSig, Ihdr(3, 2, 16, 3, false), kIdat, kIend}),
         u"組み合わせ"},
        {"colour type 1", Concat({kSig, Ihdr(3, 2, 8, 1, false), kIdat, kIend}), u"組み合わせ"},
        {"compression method 1", Concat({kSig, IhdrWith(10, 1), kIdat, kIend}), u"圧縮方式 1"},
        {"filter method 1", Concat({kSig, IhdrWith(11, 1), kIdat, kIend}), u"フィルター方式 1"},
        {"interlace method 2", Concat({kSig, IhdrWith(12, 2), kIdat, kIend}),
         u"インターレース方式 2"},
        {"second IHDR", Concat({kSig, kIhdr, kIhdr, kIdat, kIend}), u"IHDR が 2 つ"},
        {"unknown critical chunk", Concat({kSig, kIhdr, MakeChunk("ABCD", {}), kIdat, kIend}),
         u"未知の必須チャンク ABCD"},
        {"no IDAT", Concat({kSig, kIhdr, kIend}), u"IDAT がありません"},
        {"IDAT interrupted",
         Concat({kSig, kIhdr, MakeChunk("IDAT", Bytes(zlibData.begin(), zlibData.begin() + 4)),
                 MakeChunk("tEXt", Bytes{'a', 0}),
                 MakeChunk("IDAT", Bytes(zlibData.begin() + 4, zlibData.end())), kIend}),
         u"IDAT が続いていません"},
        {"IEND with data", Concat({kSig, kIhdr, kIdat, MakeChunk("IEND", Bytes{0})}),
         u"IEND にデータ"},
        {"bytes after IEND", Concat({kSig, kIhdr, kIdat, kIend, Bytes{0}}), u"IEND の後"},
        {"bad filter byte", Concat({kSig, kIhdr, Data({0, 1, 2, 3, 5, 1, 2, 3}), kIend}),
         u"フィルター種別 5"},
        {"image data too short", Concat({kSig, kIhdr, Data(Without(kRaw, 1)), kIend}), u"短すぎ"},
        {"image data too long", Concat({kSig, kIhdr, Data(Concat({kRaw, Bytes{0}})), kIend}),
         u"長すぎ"},
        {"zlib stream cut short",
         Concat({kSig, kIhdr, MakeChunk("IDAT", Without(zlibData, 4)), kIend}), u"途中で終わって"},
        {"not a zlib stream", Concat({kSig, kIhdr, MakeChunk("IDAT", Bytes{1, 2, 3, 4}), kIend}),
         u"壊れています"},
        {"bytes after the zlib stream",
         Concat({kSig, kIhdr, MakeChunk("IDAT", Concat({zlibData, Bytes{0}})), kIend}), u"余分"},
        {"palette image without PLTE", Concat({kSig, PaletteImage(8), kIdat, kIend}),
         u"PLTE がありません"},
        {"PLTE in a grey image", Concat({kSig, kIhdr, Palette(2), kIdat, kIend}), u"灰色"},
        {"PLTE of 4 bytes",
         Concat({kSig, PaletteImage(8), MakeChunk("PLTE", Bytes(4)), kIdat, kIend}),
         u"PLTE の長さ 4"},
        {"empty PLTE", Concat({kSig, PaletteImage(8), MakeChunk("PLTE", {}), kIdat, kIend}),
         u"PLTE の長さ 0"},
        {"3 colours at depth 1", Concat({kSig, PaletteImage(1), Palette(3), kIdat, kIend}),
         u"PLTE の長さ 9"},
        {"257 colours", Concat({kSig, PaletteImage(8), Palette(257), kIdat, kIend}),
         u"PLTE の長さ 771"},
        {"two PLTE", Concat({kSig, PaletteImage(8), Palette(2), Palette(2), kIdat, kIend}),
         u"PLTE が 2 つ"},
        {"PLTE after IDAT", Concat({kSig, Ihdr(3, 2, 8, 2, false), kIdat, Palette(2), kIend}),
         u"PLTE が IDAT の後"},
        {"PLTE after tRNS",
         Concat({kSig, Ihdr(3, 2, 8, 2, false), MakeChunk("tRNS", Bytes(6)), Palette(2), kIdat,
                 kIend}),
         u"PLTE が tRNS の後"},
        {"tRNS before PLTE",
         Concat({kSig, PaletteImage(8), MakeChunk("tRNS", Bytes{1}), Palette(2), kIdat, kIend}),
         u"tRNS が PLTE より前"},
        {"tRNS longer than the palette",
         Concat({kSig, PaletteImage(8), Palette(2), MakeChunk("tRNS", Bytes(3)), kIdat, kIend}),
         u"tRNS の長さ 3"},
        {"two tRNS",
         Concat(
             {kSig, kIhdr, MakeChunk("tRNS", Bytes(2)), MakeChunk("tRNS", Bytes(2)), kIdat, kIend}),
         u"tRNS が 2 つ"},
        {"tRNS after IDAT", Concat({kSig, kIhdr, kIdat, MakeChunk("tRNS", Bytes(2)), kIend}),
         u"tRNS が IDAT の後"},
        {"tRNS of 3 bytes in grey",
         Concat({kSig, kIhdr, MakeChunk("tRNS", Bytes(3)), kIdat, kIend}), u"tRNS の長さ 3"},
        {"tRNS in an RGBA image",
         Concat({kSig, Ihdr(3, 2, 8, 6, false), MakeChunk("tRNS", Bytes(6)), kIdat, kIend}),
         u"アルファ付き"},
        {"tRNS grey level above depth 1",
         Concat({kSig, Ihdr(3, 2, 1, 0, false), MakeChunk("tRNS", Bytes{0, 2}), kIdat, kIend}),
         u"tRNS の値 2"},
        {"palette index beyond the palette",
         Concat({kSig, PaletteImage(8), Palette(6), kIdat, kIend}), u"パレット番号 10"},
    };
    for (const Case& c : cases) {
        const std::u16string message = FailureOf(c.File);
        EXPECT_NE(message.find(u"PNG 画像を読み込めません: "), std::u16string::npos) << c.Name;
        EXPECT_NE(message.find(c.Says), std::u16string::npos)
            << c.Name << ": " << Utf16ToUtf8(message);
    }
}

// An interlaced palette image with transparency and an ancillary chunk, cut at every length.
TEST(PngReaderRejects, EveryTruncation) {
    SampleImage image{5, 4, 2, 3, true, -1, {}};
    for (int i = 0; i < 20; ++i)
        image.Samples.push_back(uint16_t(i % 4));
    const Bytes file = WritePng(image, Concat({Palette(4), MakeChunk("tRNS", Bytes{0, 128}),
                                               MakeChunk("tEXt", Bytes{'k', 0, 'v'})}));
    ASSERT_EQ(ReadPng(file).Width, 5);
    for (size_t length = 0; length < file.size(); ++length) {
        const Bytes cut(file.begin(), file.begin() + length);
        EXPECT_NE(FailureOf(cut).find(u"PNG 画像を読み込めません: "), std::u16string::npos)
            << "length " << length;
    }
}

} // namespace
} // namespace zel
