#include "ui/png_resource.h"

#include "core/error.h"
#include "ui/files.h"
#include "ui/unique_handle.h"
#include "ui/wide.h"

namespace zel {

PngImage LoadPngResource(HMODULE module, const std::u16string& name) {
    HRSRC info = ::FindResourceW(module, W(name), MAKEINTRESOURCEW(10)); // RT_RCDATA
    HGLOBAL data = info ? ::LoadResource(module, info) : nullptr;        // owned by the module
    const void* bytes = data ? ::LockResource(data) : nullptr;
    if (!bytes)
        throw Exception(
            FormatText(u"PNG 画像を読み込めません: リソース \"%s\" がありません", name));
    const auto size = static_cast<size_t>(::SizeofResource(module, info));
    return ReadPng({static_cast<const uint8_t*>(bytes), size});
}

void DrawPng(HDC dc, const PngImage& image, int x, int y) {
    if (image.Width <= 0 || image.Height <= 0)
        return;
    BITMAPINFO bitmapInfo{};
    bitmapInfo.bmiHeader.biSize = sizeof bitmapInfo.bmiHeader;
    bitmapInfo.bmiHeader.biWidth = image.Width;
    bitmapInfo.bmiHeader.biHeight = -image.Height; // top-down, as the image's rows
    bitmapInfo.bmiHeader.biPlanes = 1;
    bitmapInfo.bmiHeader.biBitCount = 32;
    bitmapInfo.bmiHeader.biCompression = BI_RGB;
    UniqueMemoryDC memory(::CreateCompatibleDC(dc));
    void* bits = nullptr;
    UniqueBitmap bitmap(
        ::CreateDIBSection(memory.get(), &bitmapInfo, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap)
        throw Exception(SystemErrorText(::GetLastError()));
    // Blending wants blue, green, red with the colour already multiplied by alpha.
    auto* out = static_cast<uint8_t*>(bits);
    const size_t pixels = static_cast<size_t>(image.Width) * static_cast<size_t>(image.Height);
    for (size_t i = 0; i < pixels; ++i) {
        const uint8_t* in = &image.Rgba[i * 4];
        const unsigned alpha = in[3];
        out[i * 4 + 0] = static_cast<uint8_t>((in[2] * alpha + 127) / 255);
        out[i * 4 + 1] = static_cast<uint8_t>((in[1] * alpha + 127) / 255);
        out[i * 4 + 2] = static_cast<uint8_t>((in[0] * alpha + 127) / 255);
        out[i * 4 + 3] = static_cast<uint8_t>(alpha);
    }
    SelectGuard selected(memory.get(), bitmap.get());
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    ::AlphaBlend(dc, x, y, image.Width, image.Height, memory.get(), 0, 0, image.Width, image.Height,
                 blend);
}

} // namespace zel
