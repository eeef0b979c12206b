#pragma once
// zelgrep's input: a whole file or stream read as text. UTF-8 bytes are decoded while they are
// read, piece by piece, so that only the text is ever held in full; the legacy encodings go
// through encodings.h.
#include <cstddef>
#include <filesystem>
#include <iosfwd>
#include <string>
#include <string_view>

#include "core/error.h"
#include "zelgrep/options.h"

namespace zel {

// A text read whole, and whether it holds a NUL: the mark of a binary file.
struct TInputText {
    std::u16string Text;
    bool Binary = false;
};

// Bytes that are not text in the encoding read: the encoding's name and where they begin.
class TDecodeError : public Exception {
public:
    TDecodeError(std::u16string_view encoding, std::size_t offset);
};

// Reads the stream to its end and decodes it strictly (a leading byte order mark is no text);
// expectedBytes, when known, sizes the text once. Throws TDecodeError for bytes that are not
// text, zel::Exception for a read error.
TInputText ReadInputText(std::istream& stream, TEncoding encoding, std::size_t expectedBytes = 0);

// Opens and reads a file; a file that cannot be opened throws zel::Exception with the system's
// reason.
TInputText ReadInputFile(const std::filesystem::path& path, TEncoding encoding);

} // namespace zel
