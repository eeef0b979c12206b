// The PNG reader's fuzz case. Input: the file's bytes. A damaged file fails with the reader's
// error and nothing else; a file that reads gives exactly its pixels.
#include "fuzz/fuzz_cases.h"
#include "fuzz/fuzz_input.h"

#include "core/error.h"
#include "ui/png/png_reader.h"

#include <span>
#include <string_view>

namespace zel {

void RunPngFuzzCase(const std::uint8_t* data, std::size_t size) {
    // The glyphs are a few hundred bytes; larger inputs only repeat what smaller ones find.
    if (size > (1u << 20))
        return;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    PngImage image;
    try {
        image = ReadPng(std::span<const std::uint8_t>(data, size));
    } catch (const Exception& e) {
        fuzz::CheckInput(e.Message().starts_with(u"PNG 画像を読み込めません: "),
                         "a damaged file fails with the reader's error", input);
        return;
    }
    fuzz::CheckInput(image.Width > 0 && image.Height > 0, "an image has pixels", input);
    const std::uint64_t pixels = std::uint64_t(image.Width) * std::uint64_t(image.Height);
    fuzz::CheckInput(pixels <= kPngMaxPixels, "no image beyond the pixel limit", input);
    fuzz::CheckInput(image.Rgba.size() == pixels * 4, "four bytes a pixel", input);
}

} // namespace zel
