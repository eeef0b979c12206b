#include "zelgrep/input.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <istream>
#include <memory>
#include <system_error>

#ifdef __linux__
#include <sys/mman.h>
#endif

#include "core/utf8.h"
#include "zelgrep/encodings.h"

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

// Hands the stream's bytes to take, a piece at a time.
template <typename TTake>
void ReadPieces(std::istream& stream, TTake take) {
    const auto piece = std::make_unique<char[]>(kPieceBytes);
    while (stream) {
        stream.read(piece.get(), static_cast<std::streamsize>(kPieceBytes));
        take(std::string_view(piece.get(), static_cast<std::size_t>(stream.gcount())));
    }
    if (stream.bad())
        throw Exception(u"cannot read the input");
}

TInputText ReadUtf8(std::istream& stream, std::size_t expectedBytes) {
    TInputText input;
    // No sequence gives more units than it has bytes: the text never outgrows this.
    input.Text.reserve(expectedBytes);
    AdviseLargePages(input.Text.data(), input.Text.capacity() * sizeof(char16_t));
    Utf8StreamDecoder decoder(true);
    try {
        ReadPieces(stream, [&](std::string_view bytes) {
            // A NUL is looked for in the bytes, where the C library's search is fastest.
            input.Binary = input.Binary || std::memchr(bytes.data(), 0, bytes.size()) != nullptr;
            decoder.Append(bytes, input.Text);
        });
        decoder.Finish(input.Text);
    } catch (const Utf8Error& error) {
        throw TDecodeError(EncodingName(TEncoding::Utf8), error.Offset());
    }
    return input;
}

} // namespace

TDecodeError::TDecodeError(std::u16string_view encoding, std::size_t offset)
    : Exception(u"invalid " + std::u16string(encoding) + u" at byte " +
                Utf8ToUtf16(std::to_string(offset))) {}

TInputText ReadInputText(std::istream& stream, TEncoding encoding, std::size_t expectedBytes) {
    if (encoding == TEncoding::Utf8)
        return ReadUtf8(stream, expectedBytes);
    std::string bytes;
    bytes.reserve(expectedBytes);
    ReadPieces(stream, [&](std::string_view piece) { bytes += piece; });
    TInputText input;
    input.Text = DecodeLegacy(bytes, encoding);
    input.Binary = input.Text.find(u'\0') != std::u16string::npos;
    return input;
}

TInputText ReadInputFile(const std::filesystem::path& path, TEncoding encoding) {
    errno = 0;
    std::ifstream stream(path, std::ios::binary);
    if (!stream) {
        const int error = errno;
        throw Exception(error != 0 ? Utf8ToUtf16(std::generic_category().message(error))
                                   : u"cannot open the file");
    }
    std::error_code sizeError;
    const auto size = std::filesystem::file_size(path, sizeError);
    return ReadInputText(stream, encoding, sizeError ? 0 : static_cast<std::size_t>(size));
}

} // namespace zel
