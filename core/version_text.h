#pragma once
// Component versions: a 32-bit number read as four bytes, high byte first.
#include <cstdint>
#include <string>

namespace zel {

// The four bytes in decimal joined by ".".
inline std::u16string VersionText(uint32_t nr) {
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8) {
        if (!text.empty())
            text += '.';
        text += std::to_string((nr >> shift) & 0xFF);
    }
    return std::u16string(text.begin(), text.end());
}

} // namespace zel
