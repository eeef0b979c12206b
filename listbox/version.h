#pragma once
// The list box's version: four bytes, high byte first.
#include "core/version_text.h"

namespace zel {

inline constexpr uint32_t GetVersionNr() {
    return (1u << 24) | (1u << 16) | (5u << 8) | 1u;
}

} // namespace zel
