#pragma once
// PNG images kept as raw data in a module's resources, drawn with their alpha channel.
#include "ui/png/png_reader.h"

#include <windows.h>

#include <string>

namespace zel {

// Decodes the raw-data resource `name` (names ignore case). A missing resource fails as a
// damaged image does, with the PNG reader's error naming the resource.
PngImage LoadPngResource(HMODULE module, const std::u16string& name);

// Draws the image unscaled with its top left at (x, y), blended over what the DC holds.
void DrawPng(HDC dc, const PngImage& image, int x, int y);

} // namespace zel
