#pragma once
// TZelRegExp: the regular-expression engine as the rest of the program sees it. It owns a
// pattern (Expression) with its options, the current subject (InputString) and everything the
// pattern compiles to; it compiles lazily and searches forward through the subject one match
// at a time. Replace, Split, the replacement templates and the escape helpers sit on top.
//
// Positions reported here (Index, MatchOffset, group Index) are 1-based counts of UTF-16
// units; lengths are counts of UTF-16 units. Pattern errors raise EZelRegExpCompile, misuse
// raises EZelRegExpRuntime; a failed search is no error. Events are empty std::function
// members, called only when assigned, with this object first. One object is not meant to be
// used by two threads at once.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "regex/compile/groups.h"
#include "regex/compile/owner.h"
#include "regex/types.h"

namespace zel {

class TZelRegExp;

// Computes the replacement of the current match (Replace with a function).
using TZelRegExpReplaceFunction = std::function<std::u16string(TZelRegExp& ARegExp)>;
// May change the replacement of the current match.
using TZelRegExpReplaceEvent = std::function<void(TZelRegExp& Sender, std::u16string& ReplaceWith)>;
// Decides a callout: IsMatch (False on entry) and MatchLength (0 on entry, units to consume).
using TCalloutEvent = std::function<void(TZelRegExp& ARegExp, TCalloutData& AData, bool& IsMatch,
                                         std::int32_t& MatchLength)>;
using TZelRegExpNotifyEvent = std::function<void(TZelRegExp& Sender)>;

class TZelRegExp {
public:
    TZelRegExp();
    explicit TZelRegExp(std::u16string_view AExpression, TREOptions AOptions = {});
    ~TZelRegExp();
    TZelRegExp(const TZelRegExp&) = delete;
    TZelRegExp& operator=(const TZelRegExp&) = delete;

    static constexpr std::u16string_view Version() { return u"3.1.12"; }

    // ---- pattern and options ----------------------------------------------------------------
    const std::u16string& Expression() const;
    // A different text clears the compiled form.
    void SetExpression(std::u16string_view Value);
    // The raw option set; writing it keeps the compiled form (as the inline options do).
    TREOptions Options() const;
    void SetOptions(TREOptions Value);
    // The Boolean options: a changing write clears the compiled form.
    bool IgnoreCase() const { return Option(roIgnoreCase); }
    void SetIgnoreCase(bool Value) { SetOption(roIgnoreCase, Value); }
    bool MultiLine() const { return Option(roMultiLine); }
    void SetMultiLine(bool Value) { SetOption(roMultiLine, Value); }
    bool NamedGroupOnly() const { return Option(roNamedGroupOnly); }
    void SetNamedGroupOnly(bool Value) { SetOption(roNamedGroupOnly, Value); }
    bool SingleLine() const { return Option(roSingleLine); }
    void SetSingleLine(bool Value) { SetOption(roSingleLine, Value); }
    bool Extended() const { return Option(roExtended); }
    void SetExtended(bool Value) { SetOption(roExtended, Value); }
    bool IgnoreWidth() const { return Option(roIgnoreWidth); }
    void SetIgnoreWidth(bool Value) { SetOption(roIgnoreWidth, Value); }
    bool IgnoreKana() const { return Option(roIgnoreKana); }
    void SetIgnoreKana(bool Value) { SetOption(roIgnoreKana, Value); }
    bool AutoCallout() const { return Option(roAutoCallout); }
    void SetAutoCallout(bool Value) { SetOption(roAutoCallout, Value); }
    bool DefinedCharClassLegacy() const { return Option(roDefinedCharClassLegacy); }
    void SetDefinedCharClassLegacy(bool Value) { SetOption(roDefinedCharClassLegacy, Value); }
    // True only when both IgnoreWidth and IgnoreKana are set; writing writes both.
    bool IgnoreZenHan() const { return IgnoreWidth() && IgnoreKana(); }
    void SetIgnoreZenHan(bool Value);
    // Which sequences are line breaks; does not clear the compiled form.
    TRELineBreakKind LineBreakKind() const;
    void SetLineBreakKind(TRELineBreakKind Value);

    // Skipping the positions where no match can start (on by default). Off, every position is
    // tried; the results are the same either way.
    bool Acceleration() const;
    void SetAcceleration(bool Value);
    // The steps one match attempt may take (one per transition taken or alternative resumed),
    // 0 (the default) for no limit. A search whose attempt goes beyond raises
    // EZelRegExpRuntime; a guard for programs that search with patterns they did not write.
    int StepLimit() const;
    void SetStepLimit(int Value);

    // The search strategy the last compile chose (lcmNone with acceleration off).
    TRELeadCharMode LeadCharMode();

    // Compiles now when not compiled (Exec and ExecPos do it on demand).
    void Compile();
    bool Compiled() const;

    // ---- searching ----------------------------------------------------------------------------
    const std::u16string& InputString() const;
    // Taken by value: a caller that is done with its text moves it in without a copy.
    void SetInputString(std::u16string Value);
    // Sets the subject and searches from its start.
    bool Exec(std::u16string_view AInputStr);
    // Searches again after the previous match (one unit further after an empty match).
    bool ExecNext();
    // Searches the current subject from the 1-based AOffset; AMaxLength > 0 limits the window
    // to that many units from there. False when AOffset < 1 or no subject was set. A limited
    // window is searched as a text of its own: anchors, boundaries and lookbehind see nothing
    // outside it, and "\G" holds at its start as at the start of a new subject.
    bool ExecPos(int AOffset = 1, int AMaxLength = 0);

    // ---- the last search ----------------------------------------------------------------------
    bool Success() const;
    // Group 0: the whole match.
    std::u16string Strings() const { return Groups().Items(0).Strings(); }
    int Index() const { return Groups().Items(0).Index(); }
    int Length() const { return Groups().Items(0).Length(); }
    // The same three under the names the application code uses.
    std::u16string Match() const { return Strings(); }
    int MatchPos() const { return Index(); }
    int MatchLen() const { return Length(); }
    // Start and (limited) length of the current search window.
    int MatchOffset() const;
    int MatchLength() const;
    // The 1-based position at which the last search began its last match attempt (where a
    // search stopped by the step limit was working).
    int StartMatch() const;
    // Names of the backtracking verbs met by the last search, empty when none.
    std::u16string RegMark() const;
    std::u16string RegError() const;

    // ---- groups -------------------------------------------------------------------------------
    int GroupCount() const { return Groups().Count() - 1; }
    const TGroupCollection& Groups() const;
    // Raises EZelRegExpRuntime for an index out of range.
    std::u16string GroupNameFromIndex(int Index) const;
    // The first group of that name that matched, else the first of that name; -1 when unknown.
    int IndexFromGroupName(std::u16string_view Name) const;

    // ---- replace, split -----------------------------------------------------------------------
    // Expands a replacement template ($0-$9, ${name}, $&, $$, $`, $', $_, $+) for the current
    // match; empty after a failed search.
    std::u16string Substitute(std::u16string_view ATemplate);
    // Every non-empty match from AOffset on (at most Count when Count > 0) replaced by the
    // template (escapes decoded first) or by the function's answer.
    std::u16string Replace(std::u16string_view Input, std::u16string_view Replacement,
                           int Count = 0, int AOffset = 1);
    std::u16string Replace(std::u16string_view Input, const TZelRegExpReplaceFunction& AReplaceFunc,
                           int Count = 0, int AOffset = 1);
    // The pieces between non-empty matches; at most Count pieces when Count > 0; empty when
    // nothing matched.
    void Split(std::u16string_view Input, std::vector<std::u16string>& APieces, int Count = 0,
               int AOffset = 1);

    // Raises EZelRegExpRuntime with the message.
    [[noreturn]] static void Error(std::u16string_view ErrorMes);

    // ---- class-level helpers ------------------------------------------------------------------
    static bool RegIsMatch(std::u16string_view ARegExpStr, std::u16string_view AInputStr,
                           TREOptions AOptions = {});
    static bool RegMatch(std::u16string_view ARegExpStr, std::u16string_view AInputStr,
                         std::vector<std::u16string>& AMatches, TREOptions AOptions = {});
    static void RegSplit(std::u16string_view ARegExpStr, std::u16string_view AInputStr,
                         std::vector<std::u16string>& APieces, TREOptions AOptions = {});
    static std::u16string RegReplace(std::u16string_view ARegExpStr, std::u16string_view AInputStr,
                                     std::u16string_view AReplaceStr, TREOptions AOptions = {});
    static std::u16string RegReplace(std::u16string_view ARegExpStr, std::u16string_view AInputStr,
                                     const TZelRegExpReplaceFunction& AReplaceFunc,
                                     TREOptions AOptions = {});
    // "\n", "\x{...}", "\0nn" and the like turned into characters.
    static std::u16string DecodeEscape(std::u16string_view S);
    // Control and unassigned characters written as escapes, for display.
    static std::u16string EncodeEscape(std::u16string_view Str);
    // A "\" before every character that is special in patterns.
    static std::u16string EscapeRegExChars(std::u16string_view S);

    // ---- events -------------------------------------------------------------------------------
    TZelRegExpNotifyEvent OnMatch;    // after every successful search
    TCalloutEvent OnCallout;          // decides "(?C...)" callouts; without it they fail
    TZelRegExpReplaceEvent OnReplace; // may change each replacement of Replace

private:
    struct TImpl;

    bool Option(TREOption AOption) const;
    void SetOption(TREOption AOption, bool Value);
    bool Search(const char16_t* AStr);

    std::unique_ptr<TImpl> FImpl;
};

} // namespace zel
