#pragma once
// TRETrieSearch holds several literal strings in a trie whose edges are folded characters, with
// Aho-Corasick failure links, and finds which of them occurs at a position (anchored, yielding
// the alternatives in their order one call at a time) or first after it (unanchored: the
// leftmost start, and at that start the earliest alternative).
//
// The strings are the texts of the literal match codes of one alternation. The trie does not
// know those classes: each string comes with its compare options and an opaque tag (the code
// it came from, say), handed back with a hit. Strings are numbered by their place in the list
// after all Add calls; Add inserts at the front, so adding the alternatives last to first
// numbers the first alternative 0.
#include "regex/search/candidate_scan.h"
#include "regex/types.h"

#include <string>
#include <string_view>
#include <vector>

namespace zel {

class TRETrieSearch {
public:
    // Shortest and longest string, in folded units.
    struct TCharLength {
        int Min = 0;
        int Max = 0;
    };

    // Inserts a string at the front of the list; clears the compiled form.
    void Add(std::u16string_view text, TRECompareOptions options, const void* tag = nullptr);
    void Clear();
    int Count() const { return static_cast<int>(FStrings.size()); }

    // Builds the trie (done on first use); ACCompile adds the failure links.
    void Compile();
    void ACCompile();
    bool Compiled() const { return FCompiled; }
    bool ACCompiled() const { return FACCompiled; }

    // Anchored at str, reading no further than end. When ends are still pending from the last
    // call at the same str, the next one (next alternative) is taken; otherwise all strings that
    // occur at str are found. True: StartP = str, EndP = the end of the earliest pending
    // alternative.
    bool IsMatch(const char16_t* str, const char16_t* end);
    // Forgets the ends pending at the last IsMatch start.
    void ResetMatch();

    // Unanchored within [str, str + textLen): the leftmost start at which a string occurs, and
    // there the earliest alternative.
    bool Exec(const char16_t* str, int textLen);
    // Continues from SkipP when set (clearing it), else one character after StartP.
    bool ExecNext();
    // Tries IsMatch at every character from str to end (the window is [str, end)).
    bool Find(const char16_t* str, const char16_t* end);

    // The characters on the path from the root while the nodes have exactly one child and
    // accept nothing (folded form).
    std::u16string GetPrefix();

    const char16_t* StartP() const { return FStartP; }
    const char16_t* EndP() const { return FEndP; }
    int MatchLength() const { return static_cast<int>(FEndP - FStartP); }
    // The hit string: its number (alternative order), folded text and tag. -1/empty/nullptr
    // before any hit.
    int MatchIndex() const { return FMatchIndex; }
    const std::u16string& MatchString() const;
    const void* MatchTag() const;
    // Ends still pending at the current IsMatch start.
    int MatchCount() const { return FMatchCount; }
    const char16_t* SkipP() const { return FSkipP; }
    void SetSkipP(const char16_t* p) { FSkipP = p; }
    TCharLength CharLength();
    // The union of the strings' compare options.
    TRECompareOptions Options() const { return FOptions; }

private:
    struct TString {
        std::u16string Source; // as added
        std::u16string Folded; // converted by its own options
        TRECompareOptions Options;
        const void* Tag = nullptr;
    };
    struct TNode {
        char32_t WChar = 0;
        int Parent = -1;
        int Failure = 0;
        bool IsHead = false;
        bool HasOutput = false; // a string ends here or on the failure chain
        std::vector<std::pair<char32_t, int>> Children; // sorted by character
        std::vector<int> Accepted;                      // numbers of the strings ending here
    };

    int Child(int node, char32_t ch) const;
    int AddChild(int node, char32_t ch);
    TRECompareOptions KeyOptions() const;
    bool Verify(int index, const char16_t* start, const char16_t* end, const char16_t* walked,
                const char16_t*& matchEnd) const;
    void CollectEnds(const char16_t* str, const char16_t* end);
    bool TakeNextEnd();
    bool ScanFrom(const char16_t* p);
    void PlanSkips();
    const char16_t* NextStartCandidate(const char16_t* q, const char16_t*& readOn) const;

    std::vector<TString> FStrings;
    std::vector<TNode> FNodes;                   // FNodes[0] is the root
    std::vector<const char16_t*> FMatchEndPList; // per string: its end at FLastStartP, or nullptr
    std::vector<const char16_t*> FRing; // source positions of the last trie characters scanned
    TRECompareOptions FOptions;
    TRECompareOptions FKeyOptions;
    TCharLength FCharLength;
    int FMaxDepth = 0; // longest string in trie characters
    // The units at which some string may begin (folded by FKeyOptions), for skipping while the
    // automaton rests at the root; FSkips false when no such set is kept.
    TCandidateScan FStarts;
    bool FSkips = false;
    bool FMarkStarts = false; // a string may begin at a sound mark that follows a kana
    bool FCompiled = false;
    bool FACCompiled = false;
    const char16_t* FStartP = nullptr;
    const char16_t* FEndP = nullptr;
    const char16_t* FMatchTopP = nullptr;
    const char16_t* FMatchEndP = nullptr;
    const char16_t* FSkipP = nullptr;
    const char16_t* FLastStartP = nullptr;
    int FMatchCount = 0;
    int FMatchIndex = -1;
};

} // namespace zel
