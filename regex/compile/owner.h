#pragma once
// The state a compiled pattern shares between its compiler, its match codes and (later) its
// matcher: the pattern and its options, the line-break convention, the subject window that
// every code reads, the capture groups, the subroutine-call stack, the callout handler and
// the lists that own every code of the pattern. The public regex object builds on it.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "regex/compile/groups.h"
#include "regex/types.h"

namespace zel {

class TRECode;
class TREBinCode;

// Which character sequences are line breaks.
enum TRELineBreakKind : std::uint8_t { lbAnyCRLF, lbLF, lbCR, lbCRLF, lbAny };

// Length in units of the line break that starts at p under kind, 0 if none; nothing at or
// beyond end is read.
int LineBreakLength(TRELineBreakKind kind, const char16_t* p, const char16_t* end) noexcept;
// The units a line break may start with under kind.
std::u16string_view LineBreakStarts(TRELineBreakKind kind) noexcept;
// Whether a line break of some convention may start with unit c: most units are ruled out
// before the convention is consulted.
inline bool MayStartLineBreak(char16_t c) noexcept {
    return c <= 0x000D ? c >= 0x000A : c == 0x0085 || c == 0x2028 || c == 0x2029;
}

// What a callout hands to its handler (all 1-based positions and lengths in UTF-16 units).
struct TCalloutData {
    std::int32_t Version = 1;
    std::int32_t CalloutNumber = 0;
    std::int32_t CurrentPosition = 0;
    std::int32_t StartMatch = 0;
    std::int32_t PatternPosition = 0;
    std::int32_t PatternLength = 0;
};

// Handler of callouts. The public object binds itself as the sender when it installs one.
using TRECalloutHandler =
    std::function<void(TCalloutData& AData, bool& IsMatch, std::int32_t& MatchLength)>;

// One active subroutine call (the matcher pushes and pops them).
struct TREGoSubFrame {
    int GroupIndex = 0;                    // called group; 0 or less for the whole pattern
    const TRENFAState* EndCode = nullptr;  // not owned: where the call returns
    const TRENFAState* NextCode = nullptr; // not owned: what follows the call
};

class TREOwner {
public:
    TREOwner();
    ~TREOwner();
    TREOwner(const TREOwner&) = delete;
    TREOwner& operator=(const TREOwner&) = delete;

    // ---- pattern --------------------------------------------------------------------------
    std::u16string FExpression;
    TREOptions FOptions;

    TRELineBreakKind LineBreakKind() const { return FLineBreakKind; }
    void SetLineBreakKind(TRELineBreakKind kind) { FLineBreakKind = kind; }
    // Length of the line break at p under the current convention, within the window.
    int IsLineBreak(const char16_t* p) const noexcept {
        return p < FMatchEndP && MayStartLineBreak(*p)
                   ? LineBreakLength(FLineBreakKind, p, FMatchEndP)
                   : 0;
    }

    // ---- subject window: every code reads these while matching ------------------------------
    const char16_t* FTextTopP = nullptr;   // first unit of the subject
    const char16_t* FTextEndP = nullptr;   // one past the subject's last unit
    const char16_t* FMatchTopP = nullptr;  // start of the window of the current search
    const char16_t* FMatchEndP = nullptr;  // end of that window
    const char16_t* FGlobalEndP = nullptr; // end of the previous match, nullptr when none
    std::int32_t FStartMatch = 0;          // 1-based start of the current attempt
    // Counts the subjects set: what was learnt about one text is not taken for the next,
    // which may lie at the same address.
    std::uint64_t FSubjectSerial = 0;
    // The whole subject becomes the window.
    void SetSubject(const char16_t* top, const char16_t* end) {
        ++FSubjectSerial;
        FTextTopP = FMatchTopP = top;
        FTextEndP = FMatchEndP = end;
        FGlobalEndP = nullptr;
        FGroups.FTextTopP = top;
    }

    TGroupCollection FGroups;
    std::vector<TREGoSubFrame> FSubStack;
    TRECalloutHandler FOnCallout;

    // ---- what a compile makes: owned here, freed on recompile and destruction ----------------
    std::vector<std::unique_ptr<TRECode>> FCodeList;       // leaf codes
    std::vector<std::unique_ptr<TREBinCode>> FBinCodeList; // syntax-tree nodes
    std::vector<std::u16string> FVerbNames;                // names of backtracking verbs
    TRECode* FCode = nullptr;                              // root of the tree while compiling

    // Creates a leaf code owned by the code list.
    template <typename T, typename... Args>
    T* NewCode(Args&&... args) {
        auto code = std::make_unique<T>(this, std::forward<Args>(args)...);
        T* raw = code.get();
        FCodeList.push_back(std::move(code));
        return raw;
    }
    TRECode* AdoptCode(std::unique_ptr<TRECode> code);
    // Index of a verb name, entered when new.
    int VerbNameIndex(const std::u16string& name);

    // Frees every code and node and resets the groups, for a new compile.
    void ClearCompiled();

private:
    TRELineBreakKind FLineBreakKind = lbAnyCRLF;
};

// Makes [top, end) the window for the lifetime of the scope (a compile-time question such as
// "does this code match that literal's text" asks it of the text itself).
class TREWindowScope {
public:
    TREWindowScope(TREOwner& owner, const char16_t* top, const char16_t* end)
        : FOwner(owner), FTop(owner.FMatchTopP), FEnd(owner.FMatchEndP) {
        owner.FMatchTopP = top;
        owner.FMatchEndP = end;
    }
    ~TREWindowScope() {
        FOwner.FMatchTopP = FTop;
        FOwner.FMatchEndP = FEnd;
    }
    TREWindowScope(const TREWindowScope&) = delete;
    TREWindowScope& operator=(const TREWindowScope&) = delete;

private:
    TREOwner& FOwner;
    const char16_t* FTop;
    const char16_t* FEnd;
};

} // namespace zel
