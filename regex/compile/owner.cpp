#include "regex/compile/owner.h"

#include <algorithm>

#include "regex/compile/bin_code.h"

namespace zel {

int LineBreakLength(TRELineBreakKind kind, const char16_t* p, const char16_t* end) noexcept {
    if (p == nullptr || p >= end)
        return 0;
    const char16_t c = *p;
    const bool crlf = c == u'\r' && end - p >= 2 && p[1] == u'\n';
    switch (kind) {
    case lbAnyCRLF:
        return crlf ? 2 : (c == u'\r' || c == u'\n') ? 1 : 0;
    case lbLF:
        return c == u'\n' ? 1 : 0;
    case lbCR:
        return c == u'\r' ? 1 : 0;
    case lbCRLF:
        return crlf ? 2 : 0;
    case lbAny:
        if (crlf)
            return 2;
        return (c >= 0x000A && c <= 0x000D) || c == 0x0085 || c == 0x2028 || c == 0x2029 ? 1 : 0;
    }
    return 0;
}

std::u16string_view LineBreakStarts(TRELineBreakKind kind) noexcept {
    switch (kind) {
    case lbAnyCRLF:
        return u"\n\r";
    case lbLF:
        return u"\n";
    case lbCR:
    case lbCRLF:
        return u"\r";
    case lbAny:
        break;
    }
    return u"\n\v\f\r\u0085\u2028\u2029";
}

TREOwner::TREOwner() = default;
TREOwner::~TREOwner() = default;

TRECode* TREOwner::AdoptCode(std::unique_ptr<TRECode> code) {
    FCodeList.push_back(std::move(code));
    return FCodeList.back().get();
}

int TREOwner::VerbNameIndex(const std::u16string& name) {
    auto it = std::find(FVerbNames.begin(), FVerbNames.end(), name);
    if (it != FVerbNames.end())
        return static_cast<int>(it - FVerbNames.begin());
    FVerbNames.push_back(name);
    return static_cast<int>(FVerbNames.size()) - 1;
}

void TREOwner::ClearCompiled() {
    FCode = nullptr;
    FBinCodeList.clear();
    FCodeList.clear();
    FVerbNames.clear();
    FGroups.Clear();
}

} // namespace zel
