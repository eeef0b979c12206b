#include "zelgrep/search.h"

#include <algorithm>
#include <vector>

#include "zelgrep/json.h"
#include "zelgrep/pattern.h"

namespace zel {

namespace {

constexpr std::size_t kNone = std::u16string::npos;

} // namespace

TGrep::TGrep(const TGrepOptions& options, std::u16string_view expression, TOutput& output)
    : FOptions(options), FOutput(output) {
    for (TZelRegExp* re : {&FRegExp, &FEmptyLine}) {
        ConfigureRegExp(*re, expression, options);
        re->Compile();
    }
}

TSearchResult TGrep::Search(std::u16string_view name, bool showName, TInputText input) {
    FOutput.SetFile(name, showName);
    FLine = 0;
    FNextUnprinted = kNone;
    FAfterLeft = 0;
    // A binary file's lines are not printed: its first selected line is all there is to know.
    const bool unprinted = input.Binary && PrintsLines();
    long long selected = 0;
    if ((FOptions.Replace || FOptions.Split) && !unprinted) {
        selected = Rewrite(input.Text);
    } else {
        FRegExp.SetInputString(std::move(input.Text));
        const std::u16string& all = FRegExp.InputString();
        selected =
            FOptions.Whole && FOptions.Count ? CountMatches() : SearchLines(all, input.Binary);
    }
    if (FOptions.Quiet)
        ;
    else if (FOptions.List != TListMode::None) {
        if ((selected > 0) == (FOptions.List == TListMode::Matching))
            FOutput.FileNameLine();
    } else if (FOptions.Count) {
        FOutput.CountLine(selected);
    }
    // grep counts a binary file's match as printed: the next group is parted from it by "--".
    FPrintedAny = FPrintedAny || (unprinted && selected > 0);
    return {selected > 0, unprinted && selected > 0};
}

int TGrep::FailedLine() const {
    if (!FOptions.Whole)
        return FLine;
    const std::u16string& all = FRegExp.InputString();
    const auto before =
        std::min<std::size_t>(all.size(), static_cast<std::size_t>(FRegExp.StartMatch() - 1));
    return 1 + static_cast<int>(std::count(all.begin(), all.begin() + before, u'\n'));
}

bool TGrep::PrintsLines() const {
    return !FOptions.Quiet && FOptions.List == TListMode::None && !FOptions.Count;
}

TGrep::TLine TGrep::MakeLine(const std::u16string& text, std::size_t start, std::size_t stop) {
    TLine line{start, stop, stop - start};
    // Files from Windows end lines with CR LF: the CR is no part of what is searched.
    if (stop < text.size() && text[stop] == u'\n' && stop > start && text[stop - 1] == u'\r')
        --line.Window;
    return line;
}

// Calls visit for every line (ended by LF, in a binary file also by NUL, or by the end of the
// text) until it answers false.
template <typename TVisit>
void TGrep::ForEachLine(const std::u16string& text, bool binary, TVisit visit) {
    constexpr std::u16string_view kBinaryEnds(u"\n\0", 2);
    for (std::size_t start = 0; start < text.size();) {
        std::size_t stop =
            binary ? text.find_first_of(kBinaryEnds, start) : text.find(u'\n', start);
        if (stop == kNone)
            stop = text.size();
        if (!visit(MakeLine(text, start, stop)))
            return;
        start = stop + 1;
    }
}

// Answers how many lines were selected; with --whole the text is the one line (number 0).
long long TGrep::SearchLines(const std::u16string& text, bool binary) {
    const bool stopAtFirst =
        (binary && PrintsLines()) || FOptions.Quiet || FOptions.List != TListMode::None;
    const long long max = FOptions.MaxCount;
    long long selected = 0;
    const auto visit = [&](const TLine& line) {
        if (max >= 0 && selected >= max) {
            // Only the after-context of the last selected line is still due.
            if (FAfterLeft == 0)
                return false;
            --FAfterLeft;
            PrintContext(text, line, FLine);
            return true;
        }
        TZelRegExp* found = Find(line);
        if ((found != nullptr) == FOptions.Invert) {
            if (FAfterLeft > 0) {
                --FAfterLeft;
                PrintContext(text, line, FLine);
            }
            return true;
        }
        ++selected;
        if (stopAtFirst)
            return false;
        if (PrintsLines())
            PrintSelected(text, line, found);
        return max < 0 || selected < max || FAfterLeft > 0;
    };
    if (max == 0)
        return 0;
    if (FOptions.Whole)
        visit(MakeLine(text, 0, text.size()));
    else
        ForEachLine(text, binary, [&](const TLine& line) {
            ++FLine;
            return visit(line);
        });
    return selected;
}

long long TGrep::CountMatches() {
    long long count = 0;
    for (bool found = FRegExp.ExecPos(1); found; found = FRegExp.ExecNext())
        ++count;
    return count;
}

// Searches a line as a window of the text, an empty one as an empty subject of its own;
// answers the regex object that found a match, positioned on it.
TZelRegExp* TGrep::Find(const TLine& line) {
    if (line.Window == 0)
        return FEmptyLine.Exec(u"") ? &FEmptyLine : nullptr;
    return FRegExp.ExecPos(static_cast<int>(line.Start) + 1, static_cast<int>(line.Window))
               ? &FRegExp
               : nullptr;
}

void TGrep::PrintSelected(const std::u16string& text, const TLine& line, TZelRegExp* found) {
    // Context lines are searched again only with -v, when found is none.
    PrintBefore(text, line);
    if (FOptions.Json) {
        const int offset = found == &FEmptyLine ? 0 : static_cast<int>(line.Start);
        do {
            FOutput.PlainFileHead();
            FOutput.Plain(JsonMatch(*found, FLine, offset));
            FOutput.EndLine();
        } while (found->ExecNext());
    } else if (FOptions.OnlyMatches) {
        if (found != nullptr)
            PrintMatches(*found);
    } else {
        PrintLine(text, line, FLine, ':', FOutput.Colored() ? found : nullptr);
    }
    FNextUnprinted = line.Stop + 1;
    FPrintedAny = true;
    FAfterLeft = std::max(FOptions.After, 0);
}

// The before-context of a selected line (the lines not printed yet, at most -B of them),
// after "--" when it does not follow what was printed last.
void TGrep::PrintBefore(const std::u16string& text, const TLine& line) {
    const std::size_t lowest = FNextUnprinted == kNone ? 0 : FNextUnprinted;
    std::vector<TLine> before; // the nearest first
    for (std::size_t start = line.Start;
         static_cast<int>(before.size()) < FOptions.Before && start > lowest;) {
        const std::size_t stop = start - 1; // the LF that ends the line before
        const std::size_t previous = stop == 0 ? 0 : text.rfind(u'\n', stop - 1) + 1;
        before.push_back(MakeLine(text, previous, stop));
        start = previous;
    }
    const std::size_t first = before.empty() ? line.Start : before.back().Start;
    if (FOptions.ContextAsked() && FPrintedAny && first != FNextUnprinted)
        FOutput.GroupSeparator();
    for (std::size_t k = before.size(); k > 0; --k)
        PrintContext(text, before[k - 1], FLine - static_cast<int>(k));
}

// A context line; with -o none is printed, but groups are still parted by "--".
void TGrep::PrintContext(const std::u16string& text, const TLine& line, int number) {
    if (!FOptions.OnlyMatches) {
        // grep colours the matches of the lines that match: with -v, those are the context.
        TZelRegExp* colored = FOptions.Invert && FOutput.Colored() ? Find(line) : nullptr;
        PrintLine(text, line, number, '-', colored);
    }
    FNextUnprinted = line.Stop + 1;
}

// Prints a line as it stands in the text (a CR before its LF included), with the matches
// colored finds from the one it is on.
void TGrep::PrintLine(const std::u16string& text, const TLine& line, int number, char separator,
                      TZelRegExp* colored) {
    FOutput.Head(Number(number), separator);
    const std::u16string_view whole =
        std::u16string_view(text).substr(line.Start, line.Stop - line.Start);
    std::size_t done = 0;
    if (colored != nullptr) {
        const std::size_t offset = colored == &FEmptyLine ? 0 : line.Start;
        do {
            const auto length = static_cast<std::size_t>(colored->Length());
            if (length == 0)
                continue;
            const std::size_t at = static_cast<std::size_t>(colored->Index() - 1) - offset;
            FOutput.Text(whole.substr(done, at - done));
            FOutput.Match(whole.substr(at, length));
            done = at + length;
        } while (colored->ExecNext());
    }
    FOutput.Text(whole.substr(done));
    FOutput.EndLine();
}

// -o: every match that is not empty, on a line of its own.
void TGrep::PrintMatches(TZelRegExp& re) {
    do {
        if (re.Length() == 0)
            continue;
        FOutput.Head(Number(FLine), ':');
        FOutput.Match(re.Strings());
        FOutput.EndLine();
    } while (re.ExecNext());
}

// --replace and --split: every line (with --whole, the text) rewritten; answers how many
// had a match.
long long TGrep::Rewrite(const std::u16string& text) {
    if (FOptions.Whole)
        return RewriteSubject(text, u"") ? 1 : 0;
    long long matching = 0;
    ForEachLine(text, false, [&](const TLine& line) {
        ++FLine;
        // A CR that was no part of the line still ends it.
        const std::u16string_view all(text);
        const std::u16string lineEnd =
            std::u16string(
                all.substr(line.Start + line.Window, line.Stop - line.Start - line.Window)) +
            u"\n";
        if (RewriteSubject(all.substr(line.Start, line.Window), lineEnd))
            ++matching;
        return true;
    });
    return matching;
}

// Prints the subject with its matches replaced (then lineEnd), or its pieces as JSON strings;
// answers whether it had a match.
bool TGrep::RewriteSubject(std::u16string_view subject, std::u16string_view lineEnd) {
    const bool print = PrintsLines();
    if (FOptions.Replace) {
        bool any = false;
        FRegExp.OnMatch = [&](TZelRegExp&) { any = true; };
        const std::u16string replaced =
            FRegExp.Replace(std::u16string(subject), FOptions.Template, 0, 1);
        FRegExp.OnMatch = nullptr;
        if (print) {
            FOutput.Head(Number(FLine), ':');
            FOutput.Text(replaced);
            FOutput.Text(lineEnd);
        }
        return any;
    }
    std::vector<std::u16string> pieces;
    FRegExp.Split(std::u16string(subject), pieces, 0, 1);
    if (print)
        for (const auto& piece : pieces) {
            FOutput.Head(Number(FLine), ':');
            FOutput.Plain(JsonString(piece));
            FOutput.EndLine();
        }
    return !pieces.empty();
}

} // namespace zel
