#pragma once
// The image data of a PNG file: one zlib stream split over the IDAT chunks.
#include <cstdint>
#include <span>
#include <vector>

namespace zel::png {

// Inflates the stream whose pieces are given in order into exactly `size` bytes. A corrupt
// stream, one that ends short of `size`, and one that holds more (output or input after its
// end) fail. The output grows with what the stream delivers, so a small file claiming a huge
// image fails before the memory for it is taken.
std::vector<uint8_t> InflateExact(std::span<const std::span<const uint8_t>> pieces, size_t size);

} // namespace zel::png
