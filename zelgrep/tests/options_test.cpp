// zelgrep's command line read as grep reads one: clusters, attached and separate values,
// numbers, and the usage errors with their exit status.
#include <gtest/gtest.h>

#include <climits>
#include <sstream>

#include "core/utf8.h"
#include "zelgrep/grep.h"
#include "zelgrep/options.h"

namespace zel {
namespace {

TEST(ZelGrepOptions, ClustersAndValuesAttachedOrSeparate) {
    const TGrepOptions o = ParseArguments(
        {u"-inC2", u"-m5", u"-e", u"a", u"-eb", u"-fwords", u"file1", u"-A", u"0", u"--", u"-v"});
    EXPECT_TRUE(o.IgnoreCase);
    EXPECT_TRUE(o.LineNumbers);
    EXPECT_FALSE(o.Invert); // after "--" it is a file
    EXPECT_EQ(o.MaxCount, 5);
    EXPECT_EQ(o.Before, 2);
    EXPECT_EQ(o.After, 0); // -A overrides -C in either order
    ASSERT_EQ(o.Patterns.size(), 3u);
    EXPECT_EQ(o.Patterns[0].Text, u"a");
    EXPECT_EQ(o.Patterns[1].Text, u"b");
    EXPECT_TRUE(o.Patterns[2].FromFile);
    EXPECT_EQ(o.Patterns[2].Text, u"words");
    EXPECT_EQ(o.Files, (std::vector<std::u16string>{u"file1", u"-v"}));
}

TEST(ZelGrepOptions, SwitchesAndTheirLastWord) {
    const struct {
        std::vector<std::u16string> Args;
        bool (*Holds)(const TGrepOptions&);
    } cases[] = {
        {{u"-vwxF", u"p"},
         [](const TGrepOptions& o) {
             return o.Invert && o.WordRegexp && o.LineRegexp && o.FixedStrings;
         }},
        {{u"-lL", u"p"}, [](const TGrepOptions& o) { return o.List == TListMode::NonMatching; }},
        {{u"-Ll", u"p"}, [](const TGrepOptions& o) { return o.List == TListMode::Matching; }},
        {{u"-Hh", u"p"}, [](const TGrepOptions& o) { return o.FileNames == TFileNames::Never; }},
        {{u"-hH", u"p"}, [](const TGrepOptions& o) { return o.FileNames == TFileNames::Always; }},
        {{u"-qsr", u"p"},
         [](const TGrepOptions& o) { return o.Quiet && o.NoMessages && o.Recursive; }},
        {{u"p", u"-"},
         [](const TGrepOptions& o) { return o.Files == std::vector<std::u16string>{u"-"}; }},
        {{u"--color", u"p"}, [](const TGrepOptions& o) { return o.Color == TColorMode::Auto; }},
        {{u"--colour=always", u"p"},
         [](const TGrepOptions& o) { return o.Color == TColorMode::Always; }},
        {{u"--color=none", u"p"},
         [](const TGrepOptions& o) { return o.Color == TColorMode::Never; }},
        {{u"--encoding", u"euc-jp", u"p"},
         [](const TGrepOptions& o) { return o.Encoding == TEncoding::EucJp; }},
        {{u"--encoding=utf-16", u"p"},
         [](const TGrepOptions& o) { return o.Encoding == TEncoding::Utf16; }},
        {{u"-m", u"-1", u"p"}, [](const TGrepOptions& o) { return o.MaxCount < 0; }},
        {{u"-m", u" +7", u"p"}, [](const TGrepOptions& o) { return o.MaxCount == 7; }},
        {{u"-C", u"99999999999999999999999", u"p"},
         [](const TGrepOptions& o) { return o.Before == INT_MAX && o.After == INT_MAX; }},
        {{u"-2n", u"p"},
         [](const TGrepOptions& o) { return o.Before == 2 && o.After == 2 && o.LineNumbers; }},
        {{u"-n12", u"-A0", u"p"},
         [](const TGrepOptions& o) { return o.Before == 12 && o.After == 0; }},
        {{u"-1", u"-3", u"p"}, [](const TGrepOptions& o) { return o.Before == 3; }},
        {{u"--help"}, [](const TGrepOptions& o) { return o.Help; }},
    };
    for (const auto& c : cases)
        EXPECT_TRUE(c.Holds(ParseArguments(c.Args))) << Utf16ToUtf8(c.Args[0]);
}

// The messages and the exit status grep gives for the same mistakes.
TEST(ZelGrepOptions, UsageErrorsExitWithStatusTwo) {
    const std::string usage = "Usage: zelgrep [OPTION]... PATTERNS [FILE]...\n"
                              "Try 'zelgrep --help' for more information.\n";
    const struct {
        std::vector<std::u16string> Args;
        std::string Err;
    } cases[] = {
        {{}, usage},
        {{u"-i"}, usage},
        {{u"-k", u"a"}, "zelgrep: invalid option -- 'k'\n" + usage},
        {{u"-ik", u"a"}, "zelgrep: invalid option -- 'k'\n" + usage},
        {{u"--bogus", u"a"}, "zelgrep: unrecognized option '--bogus'\n" + usage},
        {{u"--whole=1", u"a"}, "zelgrep: option '--whole' doesn't allow an argument\n" + usage},
        {{u"a", u"-e"}, "zelgrep: option requires an argument -- 'e'\n" + usage},
        {{u"a", u"--encoding"}, "zelgrep: option '--encoding' requires an argument\n" + usage},
        {{u"-m", u"x", u"a"}, "zelgrep: invalid max count\n"},
        {{u"-m5x", u"a"}, "zelgrep: invalid max count\n"},
        {{u"-m", u"", u"a"}, "zelgrep: invalid max count\n"},
        {{u"-C", u"-1", u"a"}, "zelgrep: -1: invalid context length argument\n"},
        {{u"-A0x1", u"a"}, "zelgrep: 0x1: invalid context length argument\n"},
        {{u"-B", u"two", u"a"}, "zelgrep: two: invalid context length argument\n"},
        {{u"--color=sometimes", u"a"},
         "zelgrep: invalid argument 'sometimes' for '--color'\nValid arguments are:\n"
         "  - 'always', 'yes', 'force'\n  - 'never', 'no', 'none'\n"
         "  - 'auto', 'tty', 'if-tty'\n" +
             usage},
        {{u"--encoding=latin1", u"a"},
         "zelgrep: invalid argument 'latin1' for '--encoding'\nValid arguments are:\n"
         "  - 'utf-8'\n  - 'shift_jis'\n  - 'euc-jp'\n  - 'utf-16'\n" +
             usage},
        {{u"-v", u"--json", u"a"}, "zelgrep: -v cannot be combined with --json\n" + usage},
        {{u"-m1", u"--replace=x", u"a"}, "zelgrep: -m cannot be combined with --replace\n" + usage},
        {{u"-C1", u"--whole", u"a"},
         "zelgrep: -A, -B and -C cannot be combined with --whole\n" + usage},
    };
    for (const auto& c : cases) {
        std::istringstream in("a\n");
        std::ostringstream out, err;
        EXPECT_EQ(RunGrep(c.Args, in, out, err), 2) << c.Err;
        EXPECT_EQ(err.str(), c.Err);
        EXPECT_EQ(out.str(), "");
    }
}

} // namespace
} // namespace zel
