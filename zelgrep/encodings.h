#pragma once
// The encodings zelgrep reads besides UTF-8: UTF-16 here, Shift_JIS (the Windows code page 932
// that Japanese files use) and EUC-JP through the platform's converter (iconv, or the Windows
// code pages). Every decode is strict: bytes that are no character are an error.
#include <string>
#include <string_view>

#include "zelgrep/options.h"

namespace zel {

// The name that messages give the encoding.
std::u16string_view EncodingName(TEncoding encoding);

// Decodes the whole bytes of a text in one of the encodings other than UTF-8; UTF-16 is
// little-endian unless a byte order mark says otherwise, and the mark is no text. Throws
// TDecodeError with the offset of the first byte that is no character.
std::u16string DecodeLegacy(std::string_view bytes, TEncoding encoding);

} // namespace zel
