#pragma once
// zelgrep's patterns: those of -e, -f and the first operand, one per line, joined into the one
// expression that is searched (as fixed strings with -F, bounded to whole words with -w or to
// whole lines with -x).
#include <string>
#include <vector>

#include "zelgrep/options.h"

namespace zel {

class TZelRegExp;

// Steps one match attempt may take, of the order of PCRE2's default match limit: a pattern
// that backtracks without end is reported instead of running for hours.
constexpr int kStepLimit = 10'000'000;

// The patterns in the order given, each -f file split at its line ends (a CR before LF is no
// part of a pattern), and so each -e text when splitLines (with --whole the subject has line
// ends, and a pattern may look for them). Throws zel::Exception naming a -f file that cannot
// be read.
std::vector<std::u16string> ReadPatterns(const std::vector<TPatternSource>& sources,
                                         bool splitLines);

// The expression that selects the lines any of the patterns matches. Each regular expression
// is compiled alone first, so that an error shows the pattern as it was given; with several,
// each numbers its groups from 1 (a branch reset), so that "\1" means its own first group.
// No pattern at all matches nothing.
std::u16string BuildExpression(const std::vector<std::u16string>& patterns,
                               const TGrepOptions& options);

// Gives the regex object the expression and the options of the command line.
void ConfigureRegExp(TZelRegExp& re, std::u16string_view expression, const TGrepOptions& options);

} // namespace zel
