#pragma once
// zelgrep's input: a whole file or stream read as UTF-8 text. The bytes are decoded while they
// are read, piece by piece, so that only the text is ever held in full.
#include <cstddef>
#include <iosfwd>
#include <string>

namespace zel {

// Reads the stream to its end and decodes it strictly (a leading byte order mark is no text);
// expectedBytes, when known, sizes the text once. Throws zel::Exception for invalid UTF-8 or
// a read error.
std::u16string ReadUtf8Text(std::istream& stream, std::size_t expectedBytes = 0);

} // namespace zel
