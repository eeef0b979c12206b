#pragma once
// The wildcard match of the search patterns: "*" matches any run of characters, "?" one
// character, a double quote nothing, and "!" negates the match it stands in (the whole pattern,
// or the part after the "*" it follows), consuming no character; every other character matches
// itself. The pattern must match the whole text.
//
// The pattern is read once into segments between runs of stars. Without "!" the segments are
// placed leftmost in turn, which finds a match whenever there is one. With "!" the result of
// each star level at each text position is worked out once, from the last level back to the
// first, so the work is bounded by the pattern's length times the text's and nothing recurses.
#include <string>
#include <string_view>
#include <vector>

namespace zel {

class WildcardPattern {
public:
    explicit WildcardPattern(std::u16string_view P);

    bool Matches(std::u16string_view S);
    // The text T when the pattern is "*T*" with only plain characters in T (quotes aside):
    // then it matches exactly the texts that contain T. Null otherwise.
    const std::u16string* ContainedLiteral() const noexcept;

private:
    enum class TokenKind : uint8_t { Char, Any, Negate };
    struct Token {
        TokenKind Kind;
        char16_t Unit;
    };
    struct Segment {
        std::vector<Token> Tokens;
        std::u16string Literal; // the characters, when the segment has nothing else
        bool Plain = true;      // only characters
        bool Negates = false;   // holds a "!"
        size_t Width = 0;       // characters it consumes
    };

    // Segments j..last placed from text position s: segment j exactly there when anchored,
    // else leftmost at or after s (a star precedes it). No segment from j on may negate.
    bool Place(size_t j, std::u16string_view S, size_t s, bool anchored) const;
    // The leftmost start in [from, last] where the segment matches, or npos.
    size_t Find(const Segment& segment, std::u16string_view S, size_t from, size_t last) const;
    bool MatchesLevels(std::u16string_view S);
    // Walks segment j from text position s: the position after it, or npos when a token
    // failed; negate tells whether a "!" was passed on the way.
    size_t Walk(size_t j, std::u16string_view S, size_t s, bool& negate) const;
    static bool SegmentAt(const Segment& segment, std::u16string_view S, size_t s);

    std::vector<Segment> segments_; // a run of stars between each two
    size_t negatingFrom_ = 0;       // segments from this one on hold no "!"
    // Scratch of the level evaluation: for the level below, whether it matches from some
    // position at or after each one.
    std::vector<char> below_, current_;
};

// The wildcard match of the whole text, characters compared as they are.
bool MatchWildcard(std::u16string_view P, std::u16string_view S);

} // namespace zel
