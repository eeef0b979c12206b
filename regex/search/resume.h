#pragma once
// Where ExecNext of a search object continues.
#include "regex/unicode/unicode_prop.h"

namespace zel {

// At skipP when it is set (and clears it), else one character after the last hit; nullptr when
// there was no hit or it lies at the window end.
inline const char16_t* ResumePoint(const char16_t*& skipP, const char16_t* hitP,
                                   const char16_t* end) {
    if (skipP) {
        const char16_t* p = skipP;
        skipP = nullptr;
        return p;
    }
    return hitP && hitP < end ? hitP + CharUnits(hitP, end) : nullptr;
}

} // namespace zel
