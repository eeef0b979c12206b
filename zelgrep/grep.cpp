#include "zelgrep/grep.h"

#include <iostream>

#include "core/utf8.h"
#include "zelgrep/files.h"
#include "zelgrep/input.h"
#include "zelgrep/options.h"
#include "zelgrep/output.h"
#include "zelgrep/pattern.h"
#include "zelgrep/search.h"

namespace zel {

namespace {

// JSON, rewritten lines and pieces are data: they are never coloured.
bool ColorOn(const TGrepOptions& options, bool outIsTerminal) {
    if (options.Json || options.Replace || options.Split)
        return false;
    return options.Color == TColorMode::Always ||
           (options.Color == TColorMode::Auto && outIsTerminal);
}

// grep answers at once, reading nothing, when it can tell that no line will be selected: with
// -m 0, with no pattern, or with -v and only the empty pattern (which every line matches);
// -L still lists the files.
bool NothingSelectable(const TGrepOptions& options, const std::vector<std::u16string>& patterns) {
    if (options.List == TListMode::NonMatching)
        return false;
    const bool everyLineMatches =
        patterns == std::vector<std::u16string>{u""} && !options.LineRegexp && !options.WordRegexp;
    return options.MaxCount == 0 || (patterns.empty() && !options.Invert) ||
           (everyLineMatches && options.Invert);
}

// One run over the inputs: what was selected, whether something failed.
class TRun {
public:
    TRun(const TGrepOptions& options, TGrep& grep, std::istream& in, std::ostream& out,
         std::ostream& err)
        : FOptions(options), FGrep(grep), FIn(in), FOut(out), FErr(err) {}

    int Run() {
        ForEachInput(
            FOptions.Files, FOptions.Recursive,
            [&](const TInputFile& file) { return SearchInput(file); },
            [&](std::u16string_view name, std::u16string_view reason) { Fail(name, reason); });
        FOut.flush();
        if (FOptions.Quiet && FSelected)
            return 0;
        return FFailed ? 2 : FSelected ? 0 : 1;
    }

private:
    // Answers whether the next input is still to be searched.
    bool SearchInput(const TInputFile& file) {
        TInputText text;
        try {
            text = file.StandardInput() ? ReadInputText(FIn, FOptions.Encoding)
                                        : ReadInputFile(file.Path, FOptions.Encoding);
        } catch (const Exception& e) {
            Fail(file.Name, e.Message());
            return true;
        }
        const bool showName = FOptions.FileNames == TFileNames::Always ||
                              (FOptions.FileNames == TFileNames::Auto &&
                               (FOptions.Files.size() > 1 || file.FromFolder));
        try {
            const TSearchResult result = FGrep.Search(file.Name, showName, std::move(text));
            if (result.BinaryMatch)
                Message(Utf16ToUtf8(file.Name) + ": binary file matches");
            FSelected = FSelected || result.Selected;
        } catch (const EZelRegExpRuntime& e) {
            // The step limit: where the search ran away.
            FFailed = true;
            Message(Utf16ToUtf8(file.Name) + ":" + std::to_string(FGrep.FailedLine()) + ": " +
                    Utf16ToUtf8(e.Message()));
        }
        return !(FOptions.Quiet && FSelected);
    }

    // An input that cannot be searched; -s keeps it quiet, not the exit status.
    void Fail(std::u16string_view name, std::u16string_view reason) {
        FFailed = true;
        if (!FOptions.NoMessages)
            Message(Utf16ToUtf8(name) + ": " + Utf16ToUtf8(reason));
    }

    void Message(const std::string& text) {
        FOut.flush();
        FErr << "zelgrep: " << text << '\n';
    }

    const TGrepOptions& FOptions;
    TGrep& FGrep;
    std::istream& FIn;
    std::ostream& FOut;
    std::ostream& FErr;
    bool FSelected = false;
    bool FFailed = false;
};

} // namespace

int RunGrep(const std::vector<std::u16string>& args, std::istream& in, std::ostream& out,
            std::ostream& err, bool outIsTerminal) {
    try {
        const TGrepOptions options = ParseArguments(args);
        if (options.Help) {
            out << kHelp;
            return 0;
        }
        const std::vector<std::u16string> patterns = ReadPatterns(options.Patterns, !options.Whole);
        if (NothingSelectable(options, patterns))
            return 1;
        const std::u16string expression = BuildExpression(patterns, options);
        TOutput output(out, ColorOn(options, outIsTerminal));
        TGrep grep(options, expression, output);
        return TRun(options, grep, in, out, err).Run();
    } catch (const TUsageError& e) {
        if (!e.Message().empty())
            err << "zelgrep: " << Utf16ToUtf8(e.Message()) << '\n';
        if (e.ShowUsage)
            err << kUsageLines;
    } catch (const Exception& e) {
        // A pattern that does not compile, a pattern file that cannot be read.
        err << "zelgrep: " << Utf16ToUtf8(e.Message()) << '\n';
    }
    return 2;
}

} // namespace zel
