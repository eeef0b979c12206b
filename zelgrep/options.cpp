#include "zelgrep/options.h"

#include <algorithm>
#include <array>
#include <climits>
#include <optional>
#include <tuple>

#include "core/chars.h"

namespace zel {

const std::string_view kUsageLines = "Usage: zelgrep [OPTION]... PATTERNS [FILE]...\n"
                                     "Try 'zelgrep --help' for more information.\n";

const std::string_view kHelp =
    R"(Usage: zelgrep [OPTION]... PATTERNS [FILE]...
Searches each line of each FILE for PATTERNS and prints the lines that match. With no FILE,
reads standard input ("-" names it too), or with -r the working folder. Input is UTF-8 (a
byte order mark is skipped, an invalid file is an error) unless --encoding says otherwise;
a CR before a line's LF is not part of the line. Output is UTF-8 (a Windows console
is written in UTF-16). The manual page zelgrep(1) tells more, and how zelgrep differs from
GNU grep.

Patterns:
  -e PATTERNS     use PATTERNS (repeatable); PATTERNS may hold several, one per line
  -f FILE         take the patterns from FILE, one per line
  -F              the patterns are fixed strings, not regular expressions
  -i              ignore case
  -W              ignore width (full-width and half-width forms compare equal)
  -K              ignore kana (hiragana and katakana compare equal)
  -w              match only whole words
  -x              match only whole lines
  -v              select the lines that do not match
                  other options go inline in the pattern: (?m) (?s) (?x) (?n) (?w) (?k)

Output:
  -n              prefix each output line with its line number
  -H, -h          always, never prefix output lines with the file name (by default
                  only when there are several files or a folder is searched with -r)
  -c              print the number of selected lines instead (with --whole: the number
                  of matches; after an empty match the next search starts one unit later)
  -l, -L          print only the names of the files with, without selected lines
  -o              print each match instead of the line
  -q              print nothing; stop at the first selected line
  -s              do not report files that cannot be read
  -m NUM          stop reading a file after NUM selected lines
  -A NUM, -B NUM, -C NUM, -NUM
                  print NUM lines of context after, before, around selected lines,
                  with "--" between groups that do not touch
  --color[=WHEN]  mark matches, file names and line numbers with colours; WHEN is
                  always, never or auto (the default: only on a terminal)
  --whole         treat each input as one subject instead of lines (a line end in
                  PATTERNS is then part of the pattern)
  --json          print one JSON object per match:
                  {"line":N,"index":I,"length":L,"groups":[[I,L] or null, ...]}
                  (1-based UTF-16 positions; "line" absent with --whole)
  --replace=TEMPLATE
                  print the input with every match replaced by TEMPLATE
                  ($0-$9, ${name}, $&, $`, $', $_, $+, $$; escapes such as \n and \x{41})
  --split         print the pieces between the matches, one JSON string per line

Input:
  -r              search the files below each FOLDER, in name order (symbolic links
                  and special files found there are skipped)
  --encoding=ENC  read the input as ENC: utf-8 (the default), shift_jis, euc-jp or
                  utf-16 (little-endian unless a byte order mark says otherwise)
  --help          show this text

A file that holds a NUL byte is binary: it is searched, with NUL and LF ending lines,
and a match is reported as "binary file matches" on standard error instead of printed.
A match attempt that takes more than 10,000,000 steps (a pattern that backtracks without
end) stops the search; the file and line where it ran away are reported.
Exit status: 0 when a line was selected, 1 when none was, 2 on an error (with -q, 0 when
a line was selected despite an error).
)";

namespace {

std::u16string Quoted(std::u16string_view text) {
    return u"'" + std::u16string(text) + u"'";
}

// A number as grep reads one: blanks, a sign, decimal digits; too large is the largest.
std::optional<long long> ReadNumber(std::u16string_view text) {
    std::size_t at = text.find_first_not_of(u" \t");
    if (at == std::u16string_view::npos)
        return std::nullopt;
    const bool negative = text[at] == u'-';
    if (text[at] == u'-' || text[at] == u'+')
        ++at;
    if (at == text.size())
        return std::nullopt;
    long long value = 0;
    for (; at < text.size(); ++at) {
        const char16_t c = text[at];
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value > (LLONG_MAX - 9) / 10 ? LLONG_MAX : value * 10 + (c - u'0');
    }
    return negative ? -value : value;
}

int ReadContext(std::u16string_view text) {
    const std::optional<long long> value = ReadNumber(text);
    if (!value || *value < 0)
        throw TUsageError(std::u16string(text) + u": invalid context length argument", false);
    return *value > INT_MAX ? INT_MAX : static_cast<int>(*value);
}

long long ReadMaxCount(std::u16string_view text) {
    const std::optional<long long> value = ReadNumber(text);
    if (!value)
        throw TUsageError(u"invalid max count", false);
    return *value < 0 ? -1 : *value;
}

// Names that mean one value of an option's argument, the first being its name in messages.
template <typename TValue>
struct TChoice {
    TValue Value;
    std::array<std::u16string_view, 3> Names;
};

template <typename TValue, std::size_t N>
TValue ReadChoice(std::u16string_view option, std::u16string_view text,
                  const TChoice<TValue> (&choices)[N]) {
    for (const auto& choice : choices)
        for (std::u16string_view name : choice.Names)
            if (!name.empty() && name == text)
                return choice.Value;
    std::u16string message = u"invalid argument " + Quoted(text) + u" for " +
                             Quoted(u"--" + std::u16string(option)) + u"\nValid arguments are:";
    for (const auto& choice : choices) {
        message += u"\n  -";
        for (std::u16string_view name : choice.Names)
            if (!name.empty())
                message += (message.back() == u'-' ? u" " : u", ") + Quoted(name);
    }
    throw TUsageError(message, true);
}

constexpr TChoice<TColorMode> kColorChoices[] = {
    {TColorMode::Always, {u"always", u"yes", u"force"}},
    {TColorMode::Never, {u"never", u"no", u"none"}},
    {TColorMode::Auto, {u"auto", u"tty", u"if-tty"}},
};

constexpr TChoice<TEncoding> kEncodingChoices[] = {
    {TEncoding::Utf8, {u"utf-8"}},
    {TEncoding::ShiftJis, {u"shift_jis"}},
    {TEncoding::EucJp, {u"euc-jp"}},
    {TEncoding::Utf16, {u"utf-16"}},
};

// The short options that only switch something on.
constexpr std::pair<char16_t, bool TGrepOptions::*> kSwitches[] = {
    {u'i', &TGrepOptions::IgnoreCase}, {u'W', &TGrepOptions::IgnoreWidth},
    {u'K', &TGrepOptions::IgnoreKana}, {u'F', &TGrepOptions::FixedStrings},
    {u'w', &TGrepOptions::WordRegexp}, {u'x', &TGrepOptions::LineRegexp},
    {u'v', &TGrepOptions::Invert},     {u'n', &TGrepOptions::LineNumbers},
    {u'c', &TGrepOptions::Count},      {u'o', &TGrepOptions::OnlyMatches},
    {u'q', &TGrepOptions::Quiet},      {u's', &TGrepOptions::NoMessages},
    {u'r', &TGrepOptions::Recursive},
};

constexpr std::pair<std::u16string_view, bool TGrepOptions::*> kLongSwitches[] = {
    {u"help", &TGrepOptions::Help},
    {u"whole", &TGrepOptions::Whole},
    {u"json", &TGrepOptions::Json},
    {u"split", &TGrepOptions::Split},
};

class TArgumentReader {
public:
    explicit TArgumentReader(const std::vector<std::u16string>& args) : FArgs(args) {}

    TGrepOptions Read() {
        bool optionsEnd = false;
        std::vector<std::u16string> operands;
        for (FIndex = 0; FIndex < FArgs.size(); ++FIndex) {
            const std::u16string& arg = FArgs[FIndex];
            if (optionsEnd || arg.size() < 2 || arg[0] != u'-')
                operands.push_back(arg);
            else if (arg == u"--")
                optionsEnd = true;
            else if (arg[1] == u'-')
                LongOption(std::u16string_view(arg).substr(2));
            else
                ShortOptions(arg);
        }
        if (FOptions.Help)
            return FOptions;
        if (FOptions.Before < 0)
            FOptions.Before = FContext;
        if (FOptions.After < 0)
            FOptions.After = FContext;
        auto operand = operands.begin();
        if (FOptions.Patterns.empty()) {
            if (operand == operands.end())
                throw TUsageError(u"", true);
            FOptions.Patterns.push_back({false, *operand++});
        }
        FOptions.Files.assign(operand, operands.end());
        CheckCombinations();
        return FOptions;
    }

private:
    // The value of an option that needs one and did not hold it: the next argument.
    std::u16string_view NextValue(std::u16string_view option) {
        if (FIndex + 1 >= FArgs.size())
            throw TUsageError(option.size() == 1
                                  ? u"option requires an argument -- " + Quoted(option)
                                  : u"option " + Quoted(u"--" + std::u16string(option)) +
                                        u" requires an argument",
                              true);
        return FArgs[++FIndex];
    }

    void ShortOptions(std::u16string_view cluster) {
        for (std::size_t at = 1; at < cluster.size(); ++at) {
            const char16_t flag = cluster[at];
            if (ShortSwitch(flag))
                continue;
            if (IsDecimalDigit(flag)) {
                // -NUM means -C NUM, its digits a run within the cluster ("-2n", "-n12").
                const std::size_t end =
                    std::min(cluster.find_first_not_of(u"0123456789", at), cluster.size());
                FContext = ReadContext(cluster.substr(at, end - at));
                at = end - 1;
                continue;
            }
            if (std::u16string_view(u"efmABC").find(flag) == std::u16string_view::npos)
                throw TUsageError(u"invalid option -- " + Quoted(cluster.substr(at, 1)), true);
            // The rest of the cluster is the value, or the next argument is.
            const std::u16string_view value =
                at + 1 < cluster.size() ? cluster.substr(at + 1) : NextValue(cluster.substr(at, 1));
            ShortValue(flag, value);
            return;
        }
    }

    bool ShortSwitch(char16_t flag) {
        for (const auto& [name, member] : kSwitches)
            if (name == flag) {
                FOptions.*member = true;
                return true;
            }
        switch (flag) {
        case u'l':
            FOptions.List = TListMode::Matching;
            return true;
        case u'L':
            FOptions.List = TListMode::NonMatching;
            return true;
        case u'h':
            FOptions.FileNames = TFileNames::Never;
            return true;
        case u'H':
            FOptions.FileNames = TFileNames::Always;
            return true;
        default:
            return false;
        }
    }

    void ShortValue(char16_t flag, std::u16string_view value) {
        switch (flag) {
        case u'e':
        case u'f':
            FOptions.Patterns.push_back({flag == u'f', std::u16string(value)});
            break;
        case u'm':
            FOptions.MaxCount = ReadMaxCount(value);
            break;
        case u'A':
            FOptions.After = ReadContext(value);
            break;
        case u'B':
            FOptions.Before = ReadContext(value);
            break;
        default:
            FContext = ReadContext(value);
            break;
        }
    }

    void LongOption(std::u16string_view text) {
        const std::size_t equals = text.find(u'=');
        const bool hasValue = equals != std::u16string_view::npos;
        const std::u16string_view name = text.substr(0, equals);
        const std::u16string_view value = hasValue ? text.substr(equals + 1) : u"";
        for (const auto& [switchName, member] : kLongSwitches)
            if (switchName == name) {
                if (hasValue)
                    throw TUsageError(u"option " + Quoted(u"--" + std::u16string(name)) +
                                          u" doesn't allow an argument",
                                      true);
                FOptions.*member = true;
                return;
            }
        if (name == u"color" || name == u"colour") {
            FOptions.Color = hasValue ? ReadChoice(name, value, kColorChoices) : TColorMode::Auto;
        } else if (name == u"encoding") {
            FOptions.Encoding =
                ReadChoice(name, hasValue ? value : NextValue(name), kEncodingChoices);
        } else if (name == u"replace") {
            FOptions.Replace = true;
            FOptions.Template = hasValue ? value : NextValue(name);
        } else {
            throw TUsageError(u"unrecognized option " + Quoted(u"--" + std::u16string(text)), true);
        }
    }

    // The forms that print every match or every line select no lines (--whole: one subject):
    // the options that pick or surround selected lines mean nothing to them.
    void CheckCombinations() const {
        const std::pair<bool, std::u16string_view> forms[] = {
            {FOptions.Replace, u"--replace"},
            {FOptions.Split, u"--split"},
            {FOptions.Whole, u"--whole"},
            {FOptions.Json, u"--json"},
        };
        // A selection option and how many of the forms above, from the first, refuse it.
        const std::tuple<bool, std::u16string_view, std::size_t> selections[] = {
            {FOptions.MaxCount >= 0, u"-m", 2},
            {FOptions.Invert, u"-v", 4},
            {FOptions.ContextAsked(), u"-A, -B and -C", 4},
        };
        for (const auto& [selectionOn, selection, refusing] : selections)
            for (std::size_t form = 0; form < refusing; ++form)
                if (selectionOn && forms[form].first)
                    throw TUsageError(std::u16string(selection) + u" cannot be combined with " +
                                          std::u16string(forms[form].second),
                                      true);
    }

    const std::vector<std::u16string>& FArgs;
    std::size_t FIndex = 0;
    TGrepOptions FOptions;
    int FContext = -1; // -C, which -A and -B override in any order
};

} // namespace

TGrepOptions ParseArguments(const std::vector<std::u16string>& args) {
    return TArgumentReader(args).Read();
}

} // namespace zel
