#include "zelgrep/grep.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>

#include "core/utf8.h"
#include "regex/zelregexp/zel_regexp.h"
#include "zelgrep/input.h"

namespace zel {

namespace {

constexpr std::string_view kHelp =
    R"(Usage: zelgrep [options] PATTERN [FILE...]
Searches each line of each FILE (standard input when none) for PATTERN and prints the
matching lines. Input is UTF-8 (an invalid file is an error), searched as UTF-16; output is
UTF-8.

Options:
  -i              ignore case
  -W              ignore width (full-width and half-width forms compare equal)
  -K              ignore kana (hiragana and katakana compare equal)
                  other options go inline in the pattern: (?m) (?s) (?x) (?n) (?w) (?k)
  -n              prefix each output line with its line number
  -c              print the number of matching lines instead (with --whole: the number
                  of matches; after an empty match the next search starts one unit later)
  -o              print each match instead of the line
  --whole         treat each input as one subject instead of lines
  --json          print one JSON object per match:
                  {"line":N,"index":I,"length":L,"groups":[[I,L] or null, ...]}
                  (1-based UTF-16 positions; "line" absent with --whole)
  --replace=TEMPLATE
                  print the input with every match replaced by TEMPLATE
                  ($0-$9, ${name}, $&, $`, $', $_, $+, $$; escapes such as \n and \x{41})
  --split         print the pieces between the matches, one JSON string per line
  --help          show this text

With several files, output lines start with the file name and ":".
A match attempt that takes more than 10,000,000 steps (a pattern that backtracks without
end) stops the search; the file and line where it ran away are reported.
Exit status: 0 when something matched, 1 when nothing did, 2 on an error.
)";

struct TGrepOptions {
    bool IgnoreCase = false, IgnoreWidth = false, IgnoreKana = false;
    bool LineNumbers = false, Count = false, OnlyMatches = false, Whole = false, Json = false;
    bool Split = false, Replace = false;
    std::u16string Template;
    std::u16string Pattern;
    std::vector<std::u16string> Files;
};

class TUsageError : public Exception {
public:
    using Exception::Exception;
};

std::string ToUtf8(std::u16string_view text) {
    return Utf16ToUtf8(text);
}

std::string JsonString(std::u16string_view text) {
    std::string result = "\"";
    std::u16string plain;
    auto flush = [&] {
        result += ToUtf8(plain);
        plain.clear();
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        const bool pair = c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() &&
                          text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF;
        if (pair) {
            plain += c;
            plain += text[++i];
        } else if (c == u'"' || c == u'\\') {
            flush();
            result += '\\';
            result += static_cast<char>(c);
        } else if (c < 0x20 || (c >= 0xD800 && c <= 0xDFFF)) {
            flush();
            char buffer[8];
            std::snprintf(buffer, sizeof buffer, "\\u%04x", static_cast<unsigned>(c));
            result += buffer;
        } else {
            plain += c;
        }
    }
    flush();
    return result + "\"";
}

TGrepOptions ParseArguments(const std::vector<std::u16string>& args, bool& help) {
    TGrepOptions options;
    bool patternSeen = false;
    bool optionsEnd = false;
    for (const auto& arg : args) {
        if (!optionsEnd && arg.size() > 1 && arg[0] == u'-') {
            if (arg == u"--") {
                optionsEnd = true;
            } else if (arg == u"--help") {
                help = true;
            } else if (arg == u"--whole") {
                options.Whole = true;
            } else if (arg == u"--json") {
                options.Json = true;
            } else if (arg == u"--split") {
                options.Split = true;
            } else if (arg.starts_with(u"--replace=")) {
                options.Replace = true;
                options.Template = arg.substr(10);
            } else if (arg[1] != u'-') {
                for (char16_t flag : std::u16string_view(arg).substr(1)) {
                    switch (flag) {
                    case u'i':
                        options.IgnoreCase = true;
                        break;
                    case u'W':
                        options.IgnoreWidth = true;
                        break;
                    case u'K':
                        options.IgnoreKana = true;
                        break;
                    case u'n':
                        options.LineNumbers = true;
                        break;
                    case u'c':
                        options.Count = true;
                        break;
                    case u'o':
                        options.OnlyMatches = true;
                        break;
                    default:
                        throw TUsageError(u"unknown option -" + std::u16string(1, flag));
                    }
                }
            } else {
                throw TUsageError(u"unknown option " + arg);
            }
            continue;
        }
        if (!patternSeen) {
            options.Pattern = arg;
            patternSeen = true;
        } else {
            options.Files.push_back(arg);
        }
    }
    if (!patternSeen && !help)
        throw TUsageError(u"no pattern (zelgrep --help explains the use)");
    return options;
}

// Steps one match attempt may take, of the order of PCRE2's default match limit: a pattern
// that backtracks without end is reported instead of running for hours.
constexpr int kStepLimit = 10'000'000;

class TGrep {
public:
    TGrep(const TGrepOptions& options, std::ostream& out) : FOptions(options), FOut(out) {
        for (TZelRegExp* re : {&FRegExp, &FEmptyLine}) {
            re->SetIgnoreCase(options.IgnoreCase);
            re->SetIgnoreWidth(options.IgnoreWidth);
            re->SetIgnoreKana(options.IgnoreKana);
            re->SetExpression(options.Pattern);
            re->SetStepLimit(kStepLimit);
            re->Compile();
        }
        FPrefixNames = options.Files.size() > 1;
    }

    // Searches one input; answers whether something matched.
    bool Search(const std::u16string& name, std::u16string text) {
        FPrefix = FPrefixNames ? ToUtf8(name) + ":" : std::string();
        FLine = 0;
        int matching = 0;
        if (FOptions.Replace || FOptions.Split) {
            matching = FOptions.Whole ? (Rewrite(text, 0) ? 1 : 0)
                                      : ForEachLine(text, [&](std::u16string_view line) {
                                            return Rewrite(std::u16string(line), FLine);
                                        });
        } else {
            // The regex object holds the one copy of the text; lines are windows of it.
            FRegExp.SetInputString(std::move(text));
            const std::u16string& all = FRegExp.InputString();
            if (FOptions.Whole && FOptions.Count)
                matching = CountMatches();
            else if (FOptions.Whole)
                matching = Report(FRegExp, FRegExp.ExecPos(1), all, 0, 0) ? 1 : 0;
            else
                matching = ForEachLine(
                    all, [&](std::u16string_view line) { return SearchLine(all, line); });
        }
        if (FOptions.Count)
            FOut << FPrefix << matching << '\n';
        return matching > 0;
    }

    // The line a search that failed was at: the current line, or with --whole the line of
    // the attempt that was running.
    int FailedLine() const {
        if (!FOptions.Whole)
            return FLine;
        const std::u16string& all = FRegExp.InputString();
        const auto before =
            std::min<std::size_t>(all.size(), static_cast<std::size_t>(FRegExp.StartMatch() - 1));
        return 1 + static_cast<int>(std::count(all.begin(), all.begin() + before, u'\n'));
    }

private:
    std::string Head(int line) const {
        std::string head = FPrefix;
        if (FOptions.LineNumbers && line > 0)
            head += std::to_string(line) + ":";
        return head;
    }

    // Calls search for every line (ended by LF or by the end of the text, without its LF),
    // FLine holding its number; answers for how many it answered true.
    template <typename TSearch>
    int ForEachLine(const std::u16string& text, TSearch search) {
        int matching = 0;
        for (std::size_t start = 0; start < text.size();) {
            std::size_t stop = text.find(u'\n', start);
            if (stop == std::u16string::npos)
                stop = text.size();
            ++FLine;
            if (search(std::u16string_view(text).substr(start, stop - start)))
                ++matching;
            start = stop + 1;
        }
        return matching;
    }

    int CountMatches() {
        int count = 0;
        for (bool found = FRegExp.ExecPos(1); found; found = FRegExp.ExecNext())
            ++count;
        return count;
    }

    // A line is searched as a window of the text; an empty one (which no window can be) as
    // an empty subject of its own.
    bool SearchLine(const std::u16string& all, std::u16string_view line) {
        if (line.empty())
            return Report(FEmptyLine, FEmptyLine.Exec(line), line, FLine, 0);
        const auto offset = static_cast<int>(line.data() - all.data());
        return Report(FRegExp, FRegExp.ExecPos(offset + 1, static_cast<int>(line.size())), line,
                      FLine, offset);
    }

    // Prints what a search of subject (line number line, 0 with --whole; at offset units into
    // the regex object's subject) found, first match found or not; answers found.
    bool Report(TZelRegExp& re, bool found, std::u16string_view subject, int line, int offset) {
        if (!found || FOptions.Count)
            return found;
        if (!FOptions.Json && !FOptions.OnlyMatches) {
            FOut << Head(line) << ToUtf8(subject) << '\n';
            return true;
        }
        do {
            if (FOptions.Json)
                FOut << FPrefix << JsonMatch(re, line, offset) << '\n';
            else if (re.Length() > 0)
                FOut << Head(line) << ToUtf8(re.Strings()) << '\n';
        } while (re.ExecNext());
        return true;
    }

    // --replace and --split: the subject rewritten.
    bool Rewrite(const std::u16string& subject, int line) {
        if (FOptions.Replace) {
            bool any = false;
            FRegExp.OnMatch = [&](TZelRegExp&) { any = true; };
            const std::u16string replaced = FRegExp.Replace(subject, FOptions.Template, 0, 1);
            FRegExp.OnMatch = nullptr;
            if (!FOptions.Count)
                FOut << Head(line) << ToUtf8(replaced) << (FOptions.Whole ? "" : "\n");
            return any;
        }
        std::vector<std::u16string> pieces;
        FRegExp.Split(subject, pieces, 0, 1);
        if (!FOptions.Count)
            for (const auto& piece : pieces)
                FOut << Head(line) << JsonString(piece) << '\n';
        return !pieces.empty();
    }

    static std::string JsonMatch(const TZelRegExp& re, int line, int offset) {
        std::string json = "{";
        if (line > 0)
            json += "\"line\":" + std::to_string(line) + ",";
        json += "\"index\":" + std::to_string(re.Index() - offset) +
                ",\"length\":" + std::to_string(re.Length()) + ",\"groups\":[";
        for (int i = 1; i <= re.GroupCount(); ++i) {
            const TGroup& group = re.Groups().Items(i);
            if (i > 1)
                json += ",";
            json += group.Success() ? "[" + std::to_string(group.Index() - offset) + "," +
                                          std::to_string(group.Length()) + "]"
                                    : std::string("null");
        }
        return json + "]}";
    }

    // A copy: a failed search is asked about where it was after the arguments are gone.
    const TGrepOptions FOptions;
    std::ostream& FOut;
    TZelRegExp FRegExp;
    TZelRegExp FEmptyLine; // the same pattern, for empty lines
    bool FPrefixNames = false;
    std::string FPrefix;
    int FLine = 0; // the line being searched (1-based), 0 before the first
};

// The size of a file, 0 when it cannot be told.
std::size_t FileSize(const std::filesystem::path& path) {
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    return error ? 0 : static_cast<std::size_t>(size);
}

} // namespace

int RunGrep(const std::vector<std::u16string>& args, std::istream& in, std::ostream& out,
            std::ostream& err) {
    std::u16string current;
    std::unique_ptr<TGrep> grep;
    try {
        bool help = false;
        const TGrepOptions options = ParseArguments(args, help);
        if (help) {
            out << kHelp;
            return 0;
        }
        grep = std::make_unique<TGrep>(options, out);
        bool matched = false;
        if (options.Files.empty()) {
            current = u"(standard input)";
            matched = grep->Search(current, ReadUtf8Text(in));
        }
        for (const auto& file : options.Files) {
            current = file;
            const std::filesystem::path path(file);
            std::ifstream stream(path, std::ios::binary);
            if (!stream)
                throw Exception(u"cannot open the file");
            matched = grep->Search(file, ReadUtf8Text(stream, FileSize(path))) || matched;
        }
        out.flush();
        return matched ? 0 : 1;
    } catch (const EZelRegExpRuntime& e) {
        // The step limit: where the search ran away.
        out.flush();
        err << "zelgrep: ";
        if (grep != nullptr && !current.empty())
            err << ToUtf8(current) << ":" << grep->FailedLine() << ": ";
        err << ToUtf8(e.Message()) << '\n';
    } catch (const EZelRegExp& e) {
        err << "zelgrep: " << ToUtf8(e.Message()) << '\n';
    } catch (const TUsageError& e) {
        err << "zelgrep: " << ToUtf8(e.Message()) << '\n';
    } catch (const Exception& e) {
        err << "zelgrep: " << ToUtf8(current) << ": " << ToUtf8(e.Message()) << '\n';
    }
    return 2;
}

} // namespace zel
