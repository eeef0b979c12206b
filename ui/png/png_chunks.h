#pragma once
// The chunk layer of a PNG file: the signature, then chunks of length, type, data and CRC.
#include <cstdint>
#include <span>
#include <string_view>

namespace zel::png {

struct Chunk {
    std::string_view Type; // four ASCII letters
    std::span<const uint8_t> Data;
    // Critical chunks (upper-case first letter) must be understood to read the image.
    bool Critical() const { return (Type[0] & 0x20) == 0; }
};

class ChunkReader {
public:
    // Checks the signature.
    explicit ChunkReader(std::span<const uint8_t> file);
    bool AtEnd() const { return rest_.empty(); }
    // The next chunk, its length, type and CRC checked; at the end of the file, the failure
    // that IEND is missing.
    Chunk Next();

private:
    std::span<const uint8_t> rest_;
};

} // namespace zel::png
