#pragma once
// zelgrep's search loop: the lines of one input, selected by the expression (with -v, by its
// failure), printed with their context, counted, or only noted. The regex object holds the one
// copy of the text and lines are searched as windows of it.
#include <cstddef>
#include <string>
#include <string_view>

#include "regex/zelregexp/zel_regexp.h"
#include "zelgrep/input.h"
#include "zelgrep/options.h"
#include "zelgrep/output.h"

namespace zel {

// What the search of one input found.
struct TSearchResult {
    bool Selected = false;    // a line was selected (with --whole: the input matched)
    bool BinaryMatch = false; // selected in a binary file, whose lines are not printed
};

class TGrep {
public:
    TGrep(const TGrepOptions& options, std::u16string_view expression, TOutput& output);

    // Searches one input, named as its lines are headed (when showName).
    TSearchResult Search(std::u16string_view name, bool showName, TInputText input);

    // The line a search that failed was at: the current line, or with --whole the line of
    // the attempt that was running.
    int FailedLine() const;

private:
    // A line of the text: from Start to Stop (its LF, a NUL in a binary file, or the text's
    // end); the search sees Window units of it, without a CR before its LF.
    struct TLine {
        std::size_t Start = 0;
        std::size_t Stop = 0;
        std::size_t Window = 0;
    };

    static TLine MakeLine(const std::u16string& text, std::size_t start, std::size_t stop);
    template <typename TVisit>
    static void ForEachLine(const std::u16string& text, bool binary, TVisit visit);

    bool PrintsLines() const;
    int Number(int line) const { return FOptions.LineNumbers ? line : 0; }
    long long SearchLines(const std::u16string& text, bool binary);
    long long CountMatches();
    TZelRegExp* Find(const TLine& line);
    void PrintSelected(const std::u16string& text, const TLine& line, TZelRegExp* found);
    void PrintBefore(const std::u16string& text, const TLine& line);
    void PrintContext(const std::u16string& text, const TLine& line, int number);
    void PrintLine(const std::u16string& text, const TLine& line, int number, char separator,
                   TZelRegExp* colored);
    void PrintMatches(TZelRegExp& re);
    long long Rewrite(const std::u16string& text);
    bool RewriteSubject(std::u16string_view subject, std::u16string_view lineEnd);

    // A copy: a failed search is asked about where it was after the arguments are gone.
    const TGrepOptions FOptions;
    TOutput& FOutput;
    TZelRegExp FRegExp;
    TZelRegExp FEmptyLine; // the same pattern, for empty lines (which no window can be)
    int FLine = 0;         // the line being searched (1-based), 0 before the first
    // Context: where the line after the last printed one begins in this input (npos: none
    // printed yet), how many lines of after-context are still due, whether anything was
    // printed in any input (a later group is parted from it by "--").
    std::size_t FNextUnprinted = std::u16string::npos;
    int FAfterLeft = 0;
    bool FPrintedAny = false;
};

} // namespace zel
