#include "zelgrep/input.h"

#include <cstdint>
#include <istream>
#include <memory>

#ifdef __linux__
#include <sys/mman.h>
#endif

#include "core/error.h"
#include "core/utf8.h"

namespace zel {

namespace {

// Large enough that reading costs no more than a call per megabyte, small enough to stay in
// the cache while it is decoded.
constexpr std::size_t kPieceBytes = 1 << 18;

// Asks for the text's memory in large pages where the system offers them on request: a text
// of tens of megabytes otherwise costs a page fault per four kilobytes, more than decoding it.
void AdviseLargePages(const void* data, std::size_t bytes) {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    constexpr std::uintptr_t kLarge = std::uintptr_t{1} << 21;
    const auto begin = (reinterpret_cast<std::uintptr_t>(data) + kLarge - 1) & ~(kLarge - 1);
    const auto end = (reinterpret_cast<std::uintptr_t>(data) + bytes) & ~(kLarge - 1);
    if (end > begin)
        madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
#else
    static_cast<void>(data);
    static_cast<void>(bytes);
#endif
}

} // namespace

std::u16string ReadUtf8Text(std::istream& stream, std::size_t expectedBytes) {
    std::u16string text;
    // No sequence gives more units than it has bytes: the text never outgrows this.
    text.reserve(expectedBytes);
    AdviseLargePages(text.data(), text.capacity() * sizeof(char16_t));
    Utf8StreamDecoder decoder(true);
    const auto piece = std::make_unique<char[]>(kPieceBytes);
    while (stream) {
        stream.read(piece.get(), static_cast<std::streamsize>(kPieceBytes));
        const auto got = static_cast<std::size_t>(stream.gcount());
        decoder.Append(std::string_view(piece.get(), got), text);
    }
    if (stream.bad())
        throw Exception(u"cannot read the input");
    decoder.Finish(text);
    return text;
}

} // namespace zel
