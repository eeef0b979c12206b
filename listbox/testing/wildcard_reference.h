#pragma once
// The wildcard rules read literally, for the tests and the fuzz case to hold the bounded
// matcher against: "*" tries the rest from the end of the text backwards, "!" negates the match
// it stands in, a quote is skipped, every other character (also the end of the pattern) must
// equal the text's. Exponential in the stars: for small cases only.
#include <cstddef>
#include <string_view>

namespace zel::testing {

inline bool ReferenceWildcard(std::u16string_view P, std::size_t p, std::u16string_view S,
                              std::size_t s) {
    bool negate = false, ok = true;
    while (ok && !(p == P.size() && s == S.size())) {
        const char16_t c = p < P.size() ? P[p] : 0;
        if (p < P.size() && c == u'!') {
            negate = true;
            ++p;
        } else if (p < P.size() && c == u'"') {
            ++p;
        } else if (p < P.size() && c == u'*') {
            while (p < P.size() && P[p] == u'*')
                ++p;
            ok = false;
            for (std::size_t k = S.size() + 1; k-- > s && !ok;)
                ok = ReferenceWildcard(P, p, S, k);
            if (ok)
                p = P.size(), s = S.size();
        } else if (p < P.size() && c == u'?') {
            ok = s < S.size();
            p += ok, s += ok;
        } else {
            ok = p < P.size() && s < S.size() && c == S[s];
            p += ok, s += ok;
        }
    }
    return ok != negate;
}

} // namespace zel::testing
