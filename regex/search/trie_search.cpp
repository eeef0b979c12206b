#include "regex/search/trie_search.h"

#include "regex/search/first_units.h"
#include "regex/search/resume.h"
#include "regex/unicode/unicode_prop.h"

#include <algorithm>
#include <deque>
#include <optional>

namespace zel {

namespace {

bool FoldsWidthOrKana(TRECompareOptions options) {
    return options.Contains(coIgnoreWidth) || options.Contains(coIgnoreKana);
}

// A unit that FoldRead may read together with the next one, and a unit that may be so read.
bool MayTakeNext(char16_t unit, bool width) {
    return (unit >= 0xD800 && unit <= 0xDBFF) || (width && unit >= 0xFF61 && unit <= 0xFF9F);
}

bool IsSoundMark(char16_t unit) {
    return unit == 0xFF9E || unit == 0xFF9F;
}

bool MayBeTaken(char16_t unit, bool width) {
    return (unit >= 0xDC00 && unit <= 0xDFFF) || (width && IsSoundMark(unit));
}

} // namespace

void TRETrieSearch::Add(std::u16string_view text, TRECompareOptions options, const void* tag) {
    FStrings.insert(FStrings.begin(), TString{std::u16string(text), {}, options, tag});
    FCompiled = false;
    FACCompiled = false;
}

void TRETrieSearch::Clear() {
    FStrings.clear();
    FNodes.clear();
    FCompiled = false;
    FACCompiled = false;
    FStartP = FEndP = FSkipP = FLastStartP = nullptr;
    FMatchCount = 0;
    FMatchIndex = -1;
}

// The edges of the trie are folded by the union of the options, so that the walk finds every
// string whatever its own options; a string that folds less is then checked on its own terms.
// ASCII-only case folding holds for the edges only when every case-insensitive string asks for
// it.
TRECompareOptions TRETrieSearch::KeyOptions() const {
    TRECompareOptions key = FOptions;
    key.Exclude(coASCIIOnly);
    bool asciiOnly = key.Contains(coIgnoreCase);
    for (const TString& s : FStrings) {
        if (s.Options.Contains(coIgnoreCase) && !s.Options.Contains(coASCIIOnly))
            asciiOnly = false;
    }
    if (asciiOnly)
        key.Include(coASCIIOnly);
    return key;
}

int TRETrieSearch::Child(int node, char32_t ch) const {
    const auto& children = FNodes[static_cast<std::size_t>(node)].Children;
    const auto it = std::lower_bound(children.begin(), children.end(), ch,
                                     [](const auto& c, char32_t x) { return c.first < x; });
    return it != children.end() && it->first == ch ? it->second : -1;
}

int TRETrieSearch::AddChild(int node, char32_t ch) {
    const int existing = Child(node, ch);
    if (existing >= 0)
        return existing;
    const int index = static_cast<int>(FNodes.size());
    TNode child;
    child.WChar = ch;
    child.Parent = node;
    child.IsHead = node == 0;
    FNodes.push_back(std::move(child));
    auto& children = FNodes[static_cast<std::size_t>(node)].Children;
    const auto it = std::lower_bound(children.begin(), children.end(), ch,
                                     [](const auto& c, char32_t x) { return c.first < x; });
    children.insert(it, {ch, index});
    return index;
}

void TRETrieSearch::Compile() {
    FOptions = {};
    for (const TString& s : FStrings)
        FOptions |= s.Options;
    FKeyOptions = KeyOptions();
    FNodes.assign(1, TNode{});
    FCharLength = {};
    FMaxDepth = 0;
    for (std::size_t index = 0; index < FStrings.size(); ++index) {
        TString& s = FStrings[index];
        s.Folded = FoldLiteralText(s.Source, s.Options);
        const std::u16string key = FoldLiteralText(s.Source, FKeyOptions);
        int node = 0;
        int depth = 0;
        TUnicodeMultiChar pending;
        const char16_t* p = key.data();
        const char16_t* end = p + key.size();
        while (p < end || pending.Count > 0) {
            int len = 0;
            node = AddChild(node, FoldRead(p, end, len, FKeyOptions, pending));
            p += len;
            ++depth;
        }
        FNodes[static_cast<std::size_t>(node)].Accepted.push_back(static_cast<int>(index));
        const int units = static_cast<int>(s.Folded.size());
        FCharLength.Min = index == 0 ? units : std::min(FCharLength.Min, units);
        FCharLength.Max = std::max(FCharLength.Max, units);
        FMaxDepth = std::max(FMaxDepth, depth);
    }
    FMatchEndPList.assign(FStrings.size(), nullptr);
    FMatchCount = 0;
    FLastStartP = nullptr;
    FCompiled = true;
    FACCompiled = false;
}

void TRETrieSearch::ACCompile() {
    if (!FCompiled)
        Compile();
    // Breadth first, so that every failure target is final before its children need it.
    std::deque<int> queue{0};
    FNodes[0].Failure = 0;
    FNodes[0].HasOutput = !FNodes[0].Accepted.empty();
    while (!queue.empty()) {
        const int node = queue.front();
        queue.pop_front();
        for (const auto& [ch, child] : FNodes[static_cast<std::size_t>(node)].Children) {
            int failure = 0;
            if (node != 0) {
                int f = FNodes[static_cast<std::size_t>(node)].Failure;
                while (f != 0 && Child(f, ch) < 0)
                    f = FNodes[static_cast<std::size_t>(f)].Failure;
                failure = std::max(Child(f, ch), 0);
            }
            TNode& c = FNodes[static_cast<std::size_t>(child)];
            c.Failure = failure;
            c.HasOutput =
                !c.Accepted.empty() || FNodes[static_cast<std::size_t>(failure)].HasOutput;
            queue.push_back(child);
        }
    }
    FRing.assign(static_cast<std::size_t>(std::max(FMaxDepth, 1)), nullptr);
    PlanSkips();
    FACCompiled = true;
}

// The units that may begin a string, and those that may begin its second character: a string
// of one character takes its first units as candidates whatever follows.
void TRETrieSearch::PlanSkips() {
    FSkips = FNodes[0].Accepted.empty();
    std::vector<TCandidateScan::TStart> starts;
    for (const auto& [ch, child] : FNodes[0].Children) {
        auto units = FirstUnitsOf(ch, FKeyOptions);
        FSkips = FSkips && units.has_value();
        if (!FSkips)
            break;
        const TNode& node = FNodes[static_cast<std::size_t>(child)];
        TCandidateScan::TStart& start = starts.emplace_back();
        start.First = std::move(*units);
        if (node.Accepted.empty())
            start.Next.emplace();
        for (const auto& [nextCh, grandchild] : node.Children) {
            const auto nextUnits = FirstUnitsOf(nextCh, FKeyOptions);
            if (nextUnits && start.Next)
                start.Next->insert(start.Next->end(), nextUnits->begin(), nextUnits->end());
            else
                start.Next.reset();
        }
    }
    FStarts = FSkips ? TCandidateScan::OfFolded(starts, FKeyOptions) : TCandidateScan();
    // Without skipping, any unit may begin a string.
    FMarkStarts = FKeyOptions.Contains(coIgnoreWidth) &&
                  (!FSkips || FStarts.MayStartWith(0xFF9E) || FStarts.MayStartWith(0xFF9F));
}

bool TRETrieSearch::Verify(int index, const char16_t* start, const char16_t* end,
                           const char16_t* walked, const char16_t*& matchEnd) const {
    if (FKeyOptions.Empty()) {
        matchEnd = walked;
        return true;
    }
    const TString& s = FStrings[static_cast<std::size_t>(index)];
    const int n = static_cast<int>(s.Folded.size());
    int len = 0;
    bool same;
    if (FoldsWidthOrKana(s.Options)) {
        same = FoldCompare(start, end, s.Folded.data(), n, len, s.Options) == 0;
    } else if (s.Options.Contains(coIgnoreCase) && !s.Options.Contains(coASCIIOnly)) {
        same = CaseCompare(start, end, s.Folded.data(), n, len) == 0;
    } else {
        len = n;
        same = end - start >= n &&
               (s.Options.Contains(coIgnoreCase) ? SameTextAsciiCase(start, s.Folded.data(), n)
                                                 : SameText(start, s.Folded.data(), n));
    }
    matchEnd = start + len;
    return same;
}

void TRETrieSearch::CollectEnds(const char16_t* str, const char16_t* end) {
    std::fill(FMatchEndPList.begin(), FMatchEndPList.end(), nullptr);
    FMatchCount = 0;
    FLastStartP = str;
    const auto accept = [&](int node, const char16_t* walked) {
        for (int index : FNodes[static_cast<std::size_t>(node)].Accepted) {
            const char16_t* matchEnd = nullptr;
            if (Verify(index, str, end, walked, matchEnd)) {
                FMatchEndPList[static_cast<std::size_t>(index)] = matchEnd;
                ++FMatchCount;
            }
        }
    };
    int node = 0;
    accept(node, str);
    TUnicodeMultiChar pending;
    for (const char16_t* p = str; p < end || pending.Count > 0;) {
        int len = 0;
        node = Child(node, FoldRead(p, end, len, FKeyOptions, pending));
        if (node < 0)
            break;
        p += len;
        accept(node, p);
    }
}

bool TRETrieSearch::TakeNextEnd() {
    for (std::size_t index = 0; index < FMatchEndPList.size(); ++index) {
        if (FMatchEndPList[index]) {
            FEndP = FMatchEndPList[index];
            FMatchEndPList[index] = nullptr;
            --FMatchCount;
            FMatchIndex = static_cast<int>(index);
            return true;
        }
    }
    return false;
}

bool TRETrieSearch::IsMatch(const char16_t* str, const char16_t* end) {
    if (!FCompiled)
        Compile();
    if (str != FLastStartP || FMatchCount == 0)
        CollectEnds(str, end);
    FStartP = str;
    return TakeNextEnd();
}

void TRETrieSearch::ResetMatch() {
    std::fill(FMatchEndPList.begin(), FMatchEndPList.end(), nullptr);
    FMatchCount = 0;
    FLastStartP = nullptr;
}

bool TRETrieSearch::Exec(const char16_t* str, int textLen) {
    FMatchTopP = str;
    FMatchEndP = str + textLen;
    FSkipP = nullptr;
    return ScanFrom(str);
}

bool TRETrieSearch::ExecNext() {
    const char16_t* p = ResumePoint(FSkipP, FStartP, FMatchEndP);
    return p && ScanFrom(p);
}

bool TRETrieSearch::Find(const char16_t* str, const char16_t* end) {
    if (!FCompiled)
        Compile();
    for (const char16_t* s = str; s < end; s += CharUnits(s, end)) {
        CollectEnds(s, end);
        if (FMatchCount > 0)
            return IsMatch(s, end);
    }
    FStartP = nullptr;
    return false;
}

// Where the scan goes on from q (a character start, the automaton at the root): the next unit
// at which a string may begin, or nullptr. Should the unit there be one that the character
// before it may take along (a low surrogate, a sound mark), the scan goes back to where the
// reading is certain to divide the text as it would from q, and skips no more before readOn.
const char16_t* TRETrieSearch::NextStartCandidate(const char16_t* q,
                                                  const char16_t*& readOn) const {
    const char16_t* next = FStarts.Find(q, FMatchEndP);
    const bool width = FKeyOptions.Contains(coIgnoreWidth);
    if (!next || next == q || !MayBeTaken(*next, width))
        return next;
    const char16_t* back = next;
    while (back > q && MayTakeNext(back[-1], width))
        --back;
    if (back != next)
        readOn = next + 1;
    return back;
}

// The automaton reports that some string may end at the character just read; the starts it
// can have lie within the longest string's reach, and each is tried in order with the anchored
// walk. A start that fails there has no string at all and is never tried again, and a start
// out of reach would have been reported earlier, so the first success is the leftmost start.
// While the automaton rests at the root, no string is under way: the scan skips to the next
// unit that may begin one, and no start before that unit needs trying.
bool TRETrieSearch::ScanFrom(const char16_t* p) {
    if (!FACCompiled)
        ACCompile();
    const char16_t* end = FMatchEndP;
    const std::size_t reach = FRing.size();
    const char16_t* nextStart = p;
    const char16_t* ringTop = p; // the ring holds the characters read from here on
    const char16_t* readOn = p;  // no skipping before here
    std::size_t count = 0;
    int state = 0;
    TUnicodeMultiChar pending;
    const auto tryStarts = [&](const char16_t* from, const char16_t* last) {
        for (const char16_t* s = std::max(from, nextStart); s <= last && s < end;
             s += CharUnits(s, end)) {
            CollectEnds(s, end);
            if (FMatchCount > 0) {
                FStartP = s;
                return TakeNextEnd();
            }
            nextStart = s + CharUnits(s, end);
        }
        return false;
    };
    if (FNodes[0].HasOutput && tryStarts(p, p))
        return true;
    for (const char16_t* q = p; q < end || pending.Count > 0;) {
        if (FSkips && state == 0 && pending.Count == 0 && q >= readOn) {
            const char16_t* next = NextStartCandidate(q, readOn);
            if (!next)
                break;
            if (next != q) {
                q = ringTop = next;
                count = 0;
            }
        }
        const char16_t* source = q;
        int len = 0;
        const char32_t ch = FoldRead(q, end, len, FKeyOptions, pending);
        q += len;
        FRing[count++ % reach] = source;
        int next = Child(state, ch);
        while (next < 0 && state != 0) {
            state = FNodes[static_cast<std::size_t>(state)].Failure;
            next = Child(state, ch);
        }
        state = std::max(next, 0);
        // A sound mark read along with its kana is a character start the automaton does not
        // see; when a string may begin there, it is tried in its turn.
        const bool markStart = FMarkStarts && len == 2 && IsSoundMark(source[1]);
        if (FNodes[static_cast<std::size_t>(state)].HasOutput || markStart) {
            const char16_t* from = count >= reach ? FRing[count % reach] : ringTop;
            if (tryStarts(from, markStart ? source + 1 : source))
                return true;
        }
    }
    FStartP = nullptr;
    return false;
}

std::u16string TRETrieSearch::GetPrefix() {
    if (!FCompiled)
        Compile();
    std::u16string prefix;
    int node = 0;
    while (FNodes[static_cast<std::size_t>(node)].Children.size() == 1 &&
           FNodes[static_cast<std::size_t>(node)].Accepted.empty()) {
        const auto [ch, child] = FNodes[static_cast<std::size_t>(node)].Children.front();
        AppendChar(prefix, ch);
        node = child;
    }
    return prefix;
}

const std::u16string& TRETrieSearch::MatchString() const {
    static const std::u16string kNone;
    return FMatchIndex >= 0 && FMatchIndex < Count()
               ? FStrings[static_cast<std::size_t>(FMatchIndex)].Folded
               : kNone;
}

const void* TRETrieSearch::MatchTag() const {
    return FMatchIndex >= 0 && FMatchIndex < Count()
               ? FStrings[static_cast<std::size_t>(FMatchIndex)].Tag
               : nullptr;
}

TRETrieSearch::TCharLength TRETrieSearch::CharLength() {
    if (!FCompiled)
        Compile();
    return FCharLength;
}

} // namespace zel
