#pragma once
// zelgrep's command line: the options as grep reads them (clusters such as "-in", numbers
// attached or separate, options after the operands, "--" ending them) and the help text.
#include <string>
#include <string_view>
#include <vector>

#include "core/error.h"

namespace zel {

enum class TColorMode { Never, Always, Auto };
enum class TListMode { None, Matching, NonMatching };
enum class TEncoding { Utf8, ShiftJis, EucJp, Utf16 };
enum class TFileNames { Auto, Never, Always };

// A pattern as given: the text of -e (or of the first operand), or the name of a -f file.
struct TPatternSource {
    bool FromFile = false;
    std::u16string Text;
};

struct TGrepOptions {
    bool Help = false;
    // The pattern and how it compares.
    std::vector<TPatternSource> Patterns;
    bool IgnoreCase = false, IgnoreWidth = false, IgnoreKana = false;
    bool FixedStrings = false, WordRegexp = false, LineRegexp = false;
    bool Invert = false;
    // What is printed.
    bool LineNumbers = false, Count = false, OnlyMatches = false, Whole = false, Json = false;
    bool Split = false, Replace = false;
    std::u16string Template;
    TListMode List = TListMode::None;
    bool Quiet = false, NoMessages = false;
    TFileNames FileNames = TFileNames::Auto;
    long long MaxCount = -1;     // selected lines per file; negative: no limit
    int Before = -1, After = -1; // context lines; negative: not asked for
    TColorMode Color = TColorMode::Never;
    // What is read.
    bool Recursive = false;
    TEncoding Encoding = TEncoding::Utf8;
    std::vector<std::u16string> Files;

    bool ContextAsked() const { return Before >= 0 || After >= 0; }
};

// A command line grep would refuse: its message (none for a missing pattern) and whether the
// usage lines follow it. Exit status 2.
class TUsageError : public Exception {
public:
    TUsageError(std::u16string message, bool showUsage)
        : Exception(std::move(message)), ShowUsage(showUsage) {}
    bool ShowUsage;
};

// The two lines grep prints after a usage error.
extern const std::string_view kUsageLines;
extern const std::string_view kHelp;

TGrepOptions ParseArguments(const std::vector<std::u16string>& args);

} // namespace zel
