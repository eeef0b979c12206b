#include "listbox/wildcard.h"

namespace zel {

namespace {

constexpr size_t npos = std::u16string_view::npos;

} // namespace

WildcardPattern::WildcardPattern(std::u16string_view P) {
    segments_.emplace_back();
    for (size_t i = 0; i < P.size(); ++i) {
        const char16_t c = P[i];
        if (c == u'*') {
            while (i + 1 < P.size() && P[i + 1] == u'*')
                ++i;
            segments_.emplace_back();
            continue;
        }
        Segment& segment = segments_.back();
        if (c == u'"')
            continue;
        if (c == u'!') {
            segment.Tokens.push_back({TokenKind::Negate, 0});
            segment.Negates = true;
            segment.Plain = false;
            continue;
        }
        segment.Tokens.push_back({c == u'?' ? TokenKind::Any : TokenKind::Char, c});
        segment.Literal.push_back(c);
        segment.Plain = segment.Plain && c != u'?';
        ++segment.Width;
    }
    for (size_t j = segments_.size(); j > 0; --j)
        if (segments_[j - 1].Negates) {
            negatingFrom_ = j;
            break;
        }
}

bool WildcardPattern::SegmentAt(const Segment& segment, std::u16string_view S, size_t s) {
    if (segment.Width > S.size() || s > S.size() - segment.Width)
        return false;
    for (size_t i = 0; i < segment.Width; ++i)
        if (segment.Literal[i] != S[s + i] && segment.Literal[i] != u'?')
            return false;
    return true;
}

size_t WildcardPattern::Find(const Segment& segment, std::u16string_view S, size_t from,
                             size_t last) const {
    if (from > last)
        return npos;
    if (segment.Plain) {
        const size_t at = S.substr(0, last + segment.Width).find(segment.Literal, from);
        return at;
    }
    for (size_t p = from; p <= last; ++p)
        if (SegmentAt(segment, S, p))
            return p;
    return npos;
}

bool WildcardPattern::Place(size_t j, std::u16string_view S, size_t s, bool anchored) const {
    const size_t lastLevel = segments_.size() - 1;
    const size_t n = S.size();
    if (anchored) {
        const Segment& first = segments_[j];
        if (!SegmentAt(first, S, s) || (j == lastLevel && s + first.Width != n))
            return false;
        if (j == lastLevel)
            return true;
        s += first.Width;
        ++j;
    }
    const Segment& last = segments_[lastLevel];
    if (last.Width > n - s)
        return false;
    const size_t lastStart = n - last.Width;
    if (!SegmentAt(last, S, lastStart))
        return false;
    for (; j < lastLevel; ++j) {
        const Segment& middle = segments_[j];
        if (middle.Width > lastStart - s)
            return false;
        const size_t at = Find(middle, S, s, lastStart - middle.Width);
        if (at == npos)
            return false;
        s = at + middle.Width;
    }
    return true;
}

size_t WildcardPattern::Walk(size_t j, std::u16string_view S, size_t s, bool& negate) const {
    negate = false;
    for (const Token& token : segments_[j].Tokens) {
        if (token.Kind == TokenKind::Negate) {
            negate = true;
        } else if (s >= S.size() || (token.Kind == TokenKind::Char && S[s] != token.Unit)) {
            return npos;
        } else {
            ++s;
        }
    }
    return s;
}

bool WildcardPattern::MatchesLevels(std::u16string_view S) {
    // Level j matches from s: its segment walks from s and the text after it matches the
    // levels below (the last level: reaches the end), the whole negated by a "!" passed.
    // below_[s] tells whether the next level matches from some position at or after s.
    const size_t n = S.size();
    const size_t lastLevel = segments_.size() - 1;
    below_.assign(n + 2, 0);
    current_.assign(n + 2, 0);
    for (size_t j = lastLevel; j >= 1; --j) {
        current_[n + 1] = 0;
        for (size_t s = n + 1; s-- > 0;) {
            bool negate = false;
            const size_t end = Walk(j, S, s, negate);
            const bool ok = end != npos && (j == lastLevel ? end == n : below_[end] != 0);
            current_[s] = static_cast<char>((ok != negate) || current_[s + 1]);
        }
        std::swap(below_, current_);
    }
    bool negate = false;
    const size_t end = Walk(0, S, 0, negate);
    const bool ok = end != npos && (lastLevel == 0 ? end == n : below_[end] != 0);
    return ok != negate;
}

bool WildcardPattern::Matches(std::u16string_view S) {
    if (negatingFrom_ == 0)
        return Place(0, S, 0, true);
    if (negatingFrom_ > 1)
        return MatchesLevels(S);
    // Only the first segment negates, as in "!*T*": walk it, then place the rest.
    bool negate = false;
    const size_t end = Walk(0, S, 0, negate);
    if (end == npos)
        return negate;
    const bool ok = segments_.size() == 1 ? end == S.size() : Place(1, S, end, false);
    return ok != negate;
}

const std::u16string* WildcardPattern::ContainedLiteral() const noexcept {
    const bool contains = segments_.size() == 3 && segments_[0].Tokens.empty() &&
                          segments_[2].Tokens.empty() && segments_[1].Plain;
    return contains ? &segments_[1].Literal : nullptr;
}

bool MatchWildcard(std::u16string_view P, std::u16string_view S) {
    return WildcardPattern(P).Matches(S);
}

} // namespace zel
