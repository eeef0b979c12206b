#pragma once
// Strict UTF-8 for the files the programs read: an invalid sequence is an error, never a
// silent replacement.
#include <string>
#include <string_view>

namespace zel {

// The system's text for bytes that are not valid UTF-8.
inline constexpr std::u16string_view kInvalidUtf8Message =
    u"Unicode 文字のマッピングがターゲットのマルチバイト コード ページに存在しません";

// Decodes strictly (no overlong forms, no encoded surrogates, nothing above U+10FFFF,
// no truncated sequence); throws zel::Exception with kInvalidUtf8Message otherwise.
std::u16string Utf8ToUtf16(std::string_view bytes);

// Skips a leading EF BB BF, then decodes strictly.
std::u16string Utf8FileTextToUtf16(std::string_view bytes);

// Encodes UTF-16; a lone surrogate becomes U+FFFD (it cannot be written as UTF-8).
std::string Utf16ToUtf8(std::u16string_view text);

} // namespace zel
