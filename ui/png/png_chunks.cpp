#include "ui/png/png_chunks.h"

#include "ui/png/png_format.h"

#include <zlib.h>

#include <algorithm>
#include <string>

namespace zel::png {

namespace {

constexpr uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr size_t kFraming = 12; // length, type and CRC around the data

bool IsLetter(uint8_t c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

} // namespace

ChunkReader::ChunkReader(std::span<const uint8_t> file) {
    if (file.size() < sizeof kSignature || !std::equal(kSignature, kSignature + 8, file.begin()))
        Fail(u"PNG の署名がありません");
    rest_ = file.subspan(sizeof kSignature);
}

Chunk ChunkReader::Next() {
    if (rest_.empty())
        Fail(u"IEND がありません");
    if (rest_.size() < kFraming)
        Fail(u"チャンクの途中でデータが終わっています");
    const uint32_t length = ReadBigEndian32(rest_.data());
    if (length > 0x7FFFFFFFu)
        Fail(u"チャンクの長さ %s は 2^31-1 を超えています", std::to_string(length));
    if (rest_.size() - kFraming < length)
        Fail(u"チャンクの途中でデータが終わっています");
    const uint8_t* type = rest_.data() + 4;
    if (!std::all_of(type, type + 4, IsLetter))
        Fail(u"チャンクの種類が英字 4 文字ではありません");
    const std::string_view name(reinterpret_cast<const char*>(type), 4);
    const uint32_t stored = ReadBigEndian32(type + 4 + length);
    if (crc32(crc32(0, nullptr, 0), type, 4 + length) != stored)
        Fail(u"チャンク %s の CRC が一致しません", name);
    Chunk chunk{name, rest_.subspan(8, length)};
    rest_ = rest_.subspan(kFraming + length);
    return chunk;
}

} // namespace zel::png
