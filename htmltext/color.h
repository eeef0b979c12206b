#pragma once
// Colour values: 0x00BBGGRR for a direct colour, 0xFF000000 + n for the platform's system
// colour n, clNone for no colour.
#include <cstdint>

namespace zel {

using Color = std::uint32_t;

inline constexpr Color clNone = 0x1FFFFFFF;
inline constexpr Color kSystemColorFlag = 0xFF000000;

constexpr Color SystemColor(int index) {
    return kSystemColorFlag + static_cast<Color>(index);
}
constexpr bool IsSystemColor(Color c) {
    return (c & kSystemColorFlag) == kSystemColorFlag;
}
constexpr int SystemColorIndex(Color c) {
    return static_cast<int>(c & 0xFF);
}

constexpr Color Rgb(int r, int g, int b) {
    return static_cast<Color>(r) | (static_cast<Color>(g) << 8) | (static_cast<Color>(b) << 16);
}
constexpr int RedOf(Color c) {
    return static_cast<int>(c & 0xFF);
}
constexpr int GreenOf(Color c) {
    return static_cast<int>((c >> 8) & 0xFF);
}
constexpr int BlueOf(Color c) {
    return static_cast<int>((c >> 16) & 0xFF);
}

inline constexpr Color clBlack = 0x000000;
inline constexpr Color clRed = 0x0000FF;
inline constexpr Color clBlue = 0xFF0000;
inline constexpr Color clGray = 0x808080;
inline constexpr Color clWhite = 0xFFFFFF;

inline constexpr Color clWindow = SystemColor(5);
inline constexpr Color clWindowText = SystemColor(8);
inline constexpr Color clHighlight = SystemColor(13);
inline constexpr Color clHighlightText = SystemColor(14);
inline constexpr Color clBtnFace = SystemColor(15);

} // namespace zel
