#include "ui/png/png_inflate.h"

#include "ui/png/png_format.h"

#include <zlib.h>

#include <algorithm>

namespace zel::png {

namespace {

constexpr size_t kFirstBlock = size_t{64} << 10;
constexpr size_t kLargestBlock = size_t{1} << 30; // what one call's uInt counts can hold

class Inflater {
public:
    explicit Inflater(size_t size) : size_(size) {
        if (inflateInit(&stream_) != Z_OK)
            Fail(u"zlib を初期化できません");
    }
    Inflater(const Inflater&) = delete;
    Inflater& operator=(const Inflater&) = delete;
    ~Inflater() { inflateEnd(&stream_); }

    void Feed(std::span<const uint8_t> piece);
    std::vector<uint8_t> Finish();

private:
    void Step();
    void MakeRoom();

    z_stream stream_{};
    size_t size_;
    std::vector<uint8_t> out_;
    size_t produced_ = 0;
    uint8_t overflow_ = 0; // room for one byte past `size_`: any output there is too much
    bool ended_ = false;
};

void Inflater::Feed(std::span<const uint8_t> piece) {
    if (piece.empty())
        return;
    if (ended_)
        Fail(u"IDAT の圧縮データの後に余分なデータがあります");
    stream_.next_in = const_cast<Bytef*>(piece.data());
    stream_.avail_in = static_cast<uInt>(piece.size());
    while (stream_.avail_in > 0 && !ended_)
        Step();
    if (stream_.avail_in > 0)
        Fail(u"IDAT の圧縮データの後に余分なデータがあります");
}

void Inflater::MakeRoom() {
    if (produced_ == size_) {
        stream_.next_out = &overflow_;
        stream_.avail_out = 1;
        return;
    }
    if (produced_ == out_.size())
        out_.resize(
            std::min(size_, out_.size() + std::clamp(out_.size(), kFirstBlock, kLargestBlock)));
    stream_.next_out = out_.data() + produced_;
    stream_.avail_out = static_cast<uInt>(out_.size() - produced_);
}

void Inflater::Step() {
    MakeRoom();
    const bool full = produced_ == size_;
    const uInt room = stream_.avail_out;
    const int status = inflate(&stream_, Z_NO_FLUSH);
    const size_t written = room - stream_.avail_out;
    if (full && written > 0)
        Fail(u"IDAT の画像データが画像の大きさより長すぎます");
    produced_ += written;
    if (status == Z_STREAM_END)
        ended_ = true;
    else if (status != Z_OK)
        Fail(u"IDAT の圧縮データが壊れています (%s)", stream_.msg ? stream_.msg : zError(status));
}

std::vector<uint8_t> Inflater::Finish() {
    if (produced_ != size_)
        Fail(u"IDAT の画像データが画像の大きさより短すぎます");
    if (!ended_)
        Fail(u"IDAT の圧縮データが途中で終わっています");
    out_.resize(size_);
    return std::move(out_);
}

} // namespace

std::vector<uint8_t> InflateExact(std::span<const std::span<const uint8_t>> pieces, size_t size) {
    Inflater inflater(size);
    for (std::span<const uint8_t> piece : pieces)
        inflater.Feed(piece);
    return inflater.Finish();
}

} // namespace zel::png
