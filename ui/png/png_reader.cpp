#include "ui/png/png_reader.h"

#include "ui/png/png_chunks.h"
#include "ui/png/png_format.h"
#include "ui/png/png_inflate.h"
#include "ui/png/png_pixels.h"

#include <string>

namespace zel {

namespace {

using namespace png;

// The chunks between IHDR and IEND, with the rules of their order and contents.
class ChunkSequence {
public:
    explicit ChunkSequence(const Header& header) : header_(header) {}
    void Take(const Chunk& chunk);
    PngImage Finish();

private:
    enum class Stage { BeforeData, InData, AfterData };

    void TakePalette(const Chunk& chunk);
    void TakeTransparency(const Chunk& chunk);
    void TakeData(const Chunk& chunk);
    void ExpectBeforeData(const Chunk& chunk, bool seen) const;
    uint16_t KeySample(std::span<const uint8_t> data, size_t index) const;

    const Header header_;
    ColorInfo colors_;
    bool hasPalette_ = false;
    bool hasTransparency_ = false;
    Stage stage_ = Stage::BeforeData;
    std::vector<std::span<const uint8_t>> data_;
};

void ChunkSequence::Take(const Chunk& chunk) {
    if (stage_ == Stage::InData && chunk.Type != "IDAT")
        stage_ = Stage::AfterData;
    if (chunk.Type == "IDAT")
        TakeData(chunk);
    else if (chunk.Type == "PLTE")
        TakePalette(chunk);
    else if (chunk.Type == "tRNS")
        TakeTransparency(chunk);
    else if (chunk.Type == "IHDR")
        Fail(u"チャンク %s が 2 つあります", chunk.Type);
    else if (chunk.Critical())
        Fail(u"未知の必須チャンク %s があります", chunk.Type);
}

void ChunkSequence::ExpectBeforeData(const Chunk& chunk, bool seen) const {
    if (seen)
        Fail(u"チャンク %s が 2 つあります", chunk.Type);
    if (stage_ != Stage::BeforeData)
        Fail(u"チャンク %s が IDAT の後にあります", chunk.Type);
}

void ChunkSequence::TakePalette(const Chunk& chunk) {
    ExpectBeforeData(chunk, hasPalette_);
    if (hasTransparency_)
        Fail(u"PLTE が tRNS の後にあります");
    if (header_.Color == kGrey || header_.Color == kGreyAlpha)
        Fail(u"灰色の画像に PLTE があります");
    const size_t entries = chunk.Data.size() / 3;
    const size_t limit = header_.Color == kPalette ? size_t{1} << header_.BitDepth : 256;
    if (chunk.Data.size() % 3 != 0 || entries == 0 || entries > limit)
        Fail(u"PLTE の長さ %s が不正です", std::to_string(chunk.Data.size()));
    hasPalette_ = true;
    // A palette in a true-colour image only suggests colours for display: nothing to keep.
    if (header_.Color != kPalette)
        return;
    for (size_t i = 0; i < entries; ++i)
        colors_.Palette.push_back(
            {chunk.Data[3 * i], chunk.Data[3 * i + 1], chunk.Data[3 * i + 2], 255});
}

uint16_t ChunkSequence::KeySample(std::span<const uint8_t> data, size_t index) const {
    const uint16_t value = static_cast<uint16_t>(data[2 * index] << 8 | data[2 * index + 1]);
    if (value >= (uint32_t{1} << header_.BitDepth))
        Fail(u"tRNS の値 %s がビット深度を超えています", std::to_string(value));
    return value;
}

void ChunkSequence::TakeTransparency(const Chunk& chunk) {
    ExpectBeforeData(chunk, hasTransparency_);
    hasTransparency_ = true;
    const std::span<const uint8_t> data = chunk.Data;
    switch (header_.Color) {
    case kPalette:
        if (!hasPalette_)
            Fail(u"tRNS が PLTE より前にあります");
        if (data.size() > colors_.Palette.size())
            Fail(u"tRNS の長さ %s がパレットの色数を超えています", std::to_string(data.size()));
        for (size_t i = 0; i < data.size(); ++i)
            colors_.Palette[i][3] = data[i];
        break;
    case kGrey:
        if (data.size() != 2)
            Fail(u"tRNS の長さ %s が不正です", std::to_string(data.size()));
        colors_.TransparentKey = {KeySample(data, 0), 0, 0};
        break;
    case kRgb:
        if (data.size() != 6)
            Fail(u"tRNS の長さ %s が不正です", std::to_string(data.size()));
        colors_.TransparentKey = {KeySample(data, 0), KeySample(data, 1), KeySample(data, 2)};
        break;
    default:
        Fail(u"アルファ付きの画像に tRNS があります");
    }
}

void ChunkSequence::TakeData(const Chunk& chunk) {
    if (stage_ == Stage::AfterData)
        Fail(u"IDAT が続いていません");
    if (header_.Color == kPalette && !hasPalette_)
        Fail(u"パレットの画像に PLTE がありません");
    stage_ = Stage::InData;
    data_.push_back(chunk.Data);
}

PngImage ChunkSequence::Finish() {
    if (stage_ == Stage::BeforeData)
        Fail(u"IDAT がありません");
    std::vector<uint8_t> raw = InflateExact(data_, RawSize(header_));
    return {static_cast<int>(header_.Width), static_cast<int>(header_.Height),
            DecodePixels(header_, colors_, raw)};
}

} // namespace

PngImage ReadPng(std::span<const uint8_t> data) {
    ChunkReader chunks(data);
    if (chunks.AtEnd())
        Fail(u"IHDR がありません");
    const Chunk first = chunks.Next();
    if (first.Type != "IHDR")
        Fail(u"最初のチャンクが IHDR ではありません");
    ChunkSequence sequence(ParseHeader(first.Data));
    Chunk chunk = chunks.Next();
    for (; chunk.Type != "IEND"; chunk = chunks.Next())
        sequence.Take(chunk);
    if (!chunk.Data.empty())
        Fail(u"IEND にデータがあります");
    if (!chunks.AtEnd())
        Fail(u"IEND の後にデータがあります");
    return sequence.Finish();
}

} // namespace zel
