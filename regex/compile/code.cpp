#include "regex/compile/code.h"

#include "regex/compile/owner.h"

namespace zel {

const char16_t* TRECode::MatchTop() const {
    return FRegExp->FMatchTopP;
}
const char16_t* TRECode::MatchEnd() const {
    return FRegExp->FMatchEndP;
}

bool TRECode::ExecRepeat(const char16_t*& AStr, bool IsStar) {
    bool matched = false;
    int len = 0;
    while (AStr < MatchEnd() && IsEqual(AStr, len)) {
        matched = true;
        if (len == 0)
            break;
        AStr += len;
    }
    return IsStar || matched;
}

bool TRECode::ExecRepeat(const char16_t*& AStr, int AMin, int AMax) {
    int len = 0;
    for (int i = 0; i < AMin; ++i) {
        if (AStr >= MatchEnd() || !IsEqual(AStr, len))
            return false;
        if (len == 0)
            return true;
        AStr += len;
    }
    for (int i = AMin; i < AMax && AStr < MatchEnd() && IsEqual(AStr, len) && len > 0; ++i)
        AStr += len;
    return true;
}

const char16_t* TRECode::Find(const char16_t*) {
    return nullptr;
}

bool TRECode::IsEqual(const char16_t*, int& Len) {
    Len = 0;
    return false;
}

bool TRECode::IsOverlap(TRECode*) {
    return true;
}

} // namespace zel
