#include "zelgrep/grep.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>

#include "core/utf8.h"
#include "regex/zelregexp/zel_regexp.h"

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

std::string ReadAll(std::istream& stream) {
    return std::string(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>());
}

class TGrep {
public:
    TGrep(const TGrepOptions& options, std::ostream& out) : FOptions(options), FOut(out) {
        FRegExp.SetIgnoreCase(options.IgnoreCase);
        FRegExp.SetIgnoreWidth(options.IgnoreWidth);
        FRegExp.SetIgnoreKana(options.IgnoreKana);
        FRegExp.SetExpression(options.Pattern);
        FRegExp.Compile();
        FPrefixNames = options.Files.size() > 1;
    }

    // Searches one input; answers whether something matched.
    bool Search(const std::u16string& name, const std::u16string& text) {
        FPrefix = FPrefixNames ? ToUtf8(name) + ":" : std::string();
        int matchingLines = 0;
        if (FOptions.Whole && FOptions.Count && !FOptions.Replace && !FOptions.Split) {
            matchingLines = CountMatches(text);
        } else if (FOptions.Whole) {
            matchingLines = Subject(text, 0) ? 1 : 0;
        } else {
            std::size_t start = 0;
            for (int line = 1; start < text.size(); ++line) {
                std::size_t stop = text.find(u'\n', start);
                if (stop == std::u16string::npos)
                    stop = text.size();
                if (Subject(text.substr(start, stop - start), line))
                    ++matchingLines;
                start = stop + 1;
            }
        }
        if (FOptions.Count)
            FOut << FPrefix << matchingLines << '\n';
        return matchingLines > 0;
    }

private:
    std::string Head(int line) const {
        std::string head = FPrefix;
        if (FOptions.LineNumbers && line > 0)
            head += std::to_string(line) + ":";
        return head;
    }

    int CountMatches(const std::u16string& subject) {
        int count = 0;
        for (bool found = FRegExp.Exec(subject); found; found = FRegExp.ExecNext())
            ++count;
        return count;
    }

    bool Subject(const std::u16string& subject, int line) {
        if (FOptions.Replace) {
            bool any = false;
            FRegExp.OnMatch = [&](TZelRegExp&) { any = true; };
            const std::u16string replaced = FRegExp.Replace(subject, FOptions.Template, 0, 1);
            FRegExp.OnMatch = nullptr;
            if (!FOptions.Count)
                FOut << Head(line) << ToUtf8(replaced) << (FOptions.Whole ? "" : "\n");
            return any;
        }
        if (FOptions.Split) {
            std::vector<std::u16string> pieces;
            FRegExp.Split(subject, pieces, 0, 1);
            if (!FOptions.Count)
                for (const auto& piece : pieces)
                    FOut << Head(line) << JsonString(piece) << '\n';
            return !pieces.empty();
        }
        if (!FRegExp.Exec(subject))
            return false;
        if (FOptions.Count)
            return true;
        if (!FOptions.Json && !FOptions.OnlyMatches) {
            FOut << Head(line) << ToUtf8(subject) << '\n';
            return true;
        }
        do {
            if (FOptions.Json)
                FOut << FPrefix << JsonMatch(line) << '\n';
            else if (FRegExp.Length() > 0)
                FOut << Head(line) << ToUtf8(FRegExp.Strings()) << '\n';
        } while (FRegExp.ExecNext());
        return true;
    }

    std::string JsonMatch(int line) const {
        std::string json = "{";
        if (line > 0)
            json += "\"line\":" + std::to_string(line) + ",";
        json += "\"index\":" + std::to_string(FRegExp.Index()) +
                ",\"length\":" + std::to_string(FRegExp.Length()) + ",\"groups\":[";
        for (int i = 1; i <= FRegExp.GroupCount(); ++i) {
            const TGroup& group = FRegExp.Groups().Items(i);
            if (i > 1)
                json += ",";
            json += group.Success() ? "[" + std::to_string(group.Index()) + "," +
                                          std::to_string(group.Length()) + "]"
                                    : std::string("null");
        }
        return json + "]}";
    }

    const TGrepOptions& FOptions;
    std::ostream& FOut;
    TZelRegExp FRegExp;
    bool FPrefixNames = false;
    std::string FPrefix;
};

} // namespace

int RunGrep(const std::vector<std::u16string>& args, std::istream& in, std::ostream& out,
            std::ostream& err) {
    std::u16string current;
    try {
        bool help = false;
        const TGrepOptions options = ParseArguments(args, help);
        if (help) {
            out << kHelp;
            return 0;
        }
        TGrep grep(options, out);
        bool matched = false;
        if (options.Files.empty()) {
            current = u"(standard input)";
            matched = grep.Search(current, Utf8FileTextToUtf16(ReadAll(in)));
        }
        for (const auto& file : options.Files) {
            current = file;
            std::ifstream stream(std::filesystem::path(file), std::ios::binary);
            if (!stream)
                throw Exception(u"cannot open the file");
            matched = grep.Search(file, Utf8FileTextToUtf16(ReadAll(stream))) || matched;
        }
        out.flush();
        return matched ? 0 : 1;
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
