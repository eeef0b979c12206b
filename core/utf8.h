#pragma once
// Strict UTF-8 for the files the programs read: an invalid sequence is an error, never a
// silent replacement.
#include <cstddef>
#include <string>
#include <string_view>

#include "core/error.h"

namespace zel {

// The system's text for bytes that are not valid UTF-8.
inline constexpr std::u16string_view kInvalidUtf8Message =
    u"Unicode 文字のマッピングがターゲットのマルチバイト コード ページに存在しません";

// The failure of a strict decode: the system's text, and where the sequence that is not valid
// UTF-8 begins, in bytes from the first byte given to the decoder (a byte order mark counts).
class Utf8Error : public Exception {
public:
    explicit Utf8Error(std::size_t offset);
    std::size_t Offset() const noexcept { return offset_; }

private:
    std::size_t offset_;
};

// Decodes strictly (no overlong forms, no encoded surrogates, nothing above U+10FFFF,
// no truncated sequence); throws Utf8Error otherwise.
std::u16string Utf8ToUtf16(std::string_view bytes);

// Skips a leading EF BB BF, then decodes strictly.
std::u16string Utf8FileTextToUtf16(std::string_view bytes);

// Decodes a text that arrives in pieces (a file read in chunks) onto the end of one string,
// as strictly as Utf8ToUtf16: a sequence cut by the end of a piece is completed by the next.
class Utf8StreamDecoder {
public:
    // skipByteOrderMark: a leading EF BB BF is no text (as for Utf8FileTextToUtf16).
    explicit Utf8StreamDecoder(bool skipByteOrderMark) : markPending_(skipByteOrderMark) {}
    void Append(std::string_view bytes, std::u16string& out);
    // The text has ended: throws when a sequence is still incomplete.
    void Finish(std::u16string& out);

private:
    void DecodeInto(std::string_view bytes, std::u16string& out, bool final);

    bool markPending_;       // the first bytes may still turn out to be a byte order mark
    std::string pending_;    // those bytes, or the start of a sequence the last piece cut
    std::size_t offset_ = 0; // where pending_ (or the next piece) begins in the text
};

// Encodes UTF-16; a lone surrogate becomes U+FFFD (it cannot be written as UTF-8).
std::string Utf16ToUtf8(std::u16string_view text);

} // namespace zel
