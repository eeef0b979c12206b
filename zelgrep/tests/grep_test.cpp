// zelgrep driven through RunGrep with string streams: output formats and exit statuses.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "zelgrep/grep.h"

namespace zel {
namespace {

struct TResult {
    int Status;
    std::string Out;
    std::string Err;
};

TResult Grep(std::vector<std::u16string> args, const std::string& input) {
    std::istringstream in(input);
    std::ostringstream out, err;
    const int status = RunGrep(args, in, out, err);
    return {status, out.str(), err.str()};
}

TEST(ZelGrep, OutputFormsAndStatuses) {
    const std::string text = "alpha\nbeta\r\nGamma beta\n";
    const struct {
        std::vector<std::u16string> Args;
        int Status;
        std::string Out;
    } cases[] = {
        {{u"beta"}, 0, "beta\r\nGamma beta\n"},
        {{u"-n", u"^g"}, 1, ""},
        {{u"-in", u"^g"}, 0, "3:Gamma beta\n"},
        {{u"-c", u"a$"}, 0, "3\n"},
        {{u"--whole", u"-c", u"a"}, 0, "6\n"},
        {{u"--whole", u"-c", u"x*"}, 0, "24\n"},
        {{u"--whole", u"-c", u"x"}, 1, "0\n"},
        {{u"-o", u"[a-z]+a\\b"}, 0, "alpha\nbeta\namma\nbeta\n"},
        {{u"--json", u"(b)(x)?eta"},
         0,
         "{\"line\":2,\"index\":1,\"length\":4,\"groups\":[[1,1],null]}\n"
         "{\"line\":3,\"index\":7,\"length\":4,\"groups\":[[7,1],null]}\n"},
        {{u"--json", u"--whole", u"eta\\r?\\n"},
         0,
         "{\"index\":8,\"length\":5,\"groups\":[]}\n{\"index\":20,\"length\":4,\"groups\":[]}\n"},
        {{u"--replace=<$0>", u"a\\b"}, 0, "alph<a>\nbet<a>\r\nGamm<a> bet<a>\n"},
        // A line without a match has no pieces.
        {{u"--split", u"\\s+"}, 0, "\"beta\"\n\"\"\n\"Gamma\"\n\"beta\"\n"},
        {{u"zzz"}, 1, ""},
    };
    for (const auto& c : cases) {
        const TResult result = Grep(c.Args, text);
        EXPECT_EQ(result.Status, c.Status) << result.Err;
        EXPECT_EQ(result.Out, c.Out);
    }
}

// Lines are windows of the whole text: each is a text of its own for anchors, boundaries,
// lookbehind and "\\G", and reports positions from its own start; an empty line is one too.
TEST(ZelGrep, LinesAreTextsOfTheirOwn) {
    const std::string text = "ab\n\nxab\nb\n";
    const struct {
        std::vector<std::u16string> Args;
        std::string Out;
    } cases[] = {
        {{u"-n", u"^$"}, "2:\n"},
        {{u"-c", u"(?<!a)b"}, "1\n"},
        {{u"-n", u"\\Gb|^x"}, "3:xab\n4:b\n"},
        {{u"--json", u"\\bab|^$"},
         "{\"line\":1,\"index\":1,\"length\":2,\"groups\":[]}\n"
         "{\"line\":2,\"index\":1,\"length\":0,\"groups\":[]}\n"},
        {{u"--json", u"(a)b$"},
         "{\"line\":1,\"index\":1,\"length\":2,\"groups\":[[1,1]]}\n"
         "{\"line\":3,\"index\":2,\"length\":2,\"groups\":[[2,1]]}\n"},
    };
    for (const auto& c : cases) {
        const TResult result = Grep(c.Args, text);
        EXPECT_EQ(result.Status, 0) << result.Err;
        EXPECT_EQ(result.Out, c.Out);
    }
}

// Input read in pieces: characters cut by a piece's end, and a large text, come out whole.
TEST(ZelGrep, LargeInputAcrossPieces) {
    std::string text;
    for (int i = 0; i < 100000; ++i)
        text += "ab\xE3\x81\x82\xF0\x9F\x98\x80\n";
    text += "last";
    const TResult lines = Grep({u"-c", u"^ab\u3042\U0001F600$"}, text);
    EXPECT_EQ(lines.Out, "100000\n");
    const TResult whole = Grep({u"--whole", u"-c", u"\u3042\U0001F600\n"}, text);
    EXPECT_EQ(whole.Out, "100000\n");
    EXPECT_EQ(Grep({u"-c", u"last"}, text + "\xE3\x81").Status, 2);
}

// A runaway attempt stops at the step limit with the file and the line where it ran.
TEST(ZelGrep, RunawaySearchReportsItsLine) {
    const std::string runaway = std::string(1000, 'a') + "!b\n";
    for (const auto& [args, line] :
         {std::pair{std::vector<std::u16string>{u"(a+)+\\1b"}, ":2: "},
          std::pair{std::vector<std::u16string>{u"--whole", u"-c", u"(a+)+\\1b"}, ":2: "}}) {
        const TResult result = Grep(args, "b\n" + runaway);
        EXPECT_EQ(result.Status, 2);
        EXPECT_EQ(result.Err, std::string("zelgrep: (standard input)") + line +
                                  "照合の手順数が上限<10000000>を超えました\n");
    }
}

TEST(ZelGrep, ErrorsAndHelp) {
    TResult bad = Grep({u"a)"}, "a\n");
    EXPECT_EQ(bad.Status, 2);
    EXPECT_EQ(bad.Err, "zelgrep: )... ( がマッチしません; a) <-- \n");
    EXPECT_EQ(Grep({u"-q", u"a"}, "").Status, 2);
    EXPECT_EQ(Grep({}, "").Status, 2);
    TResult invalid = Grep({u"a"}, "a\xff\n");
    EXPECT_EQ(invalid.Status, 2);
    EXPECT_NE(invalid.Err.find("(standard input)"), std::string::npos);
    TResult help = Grep({u"--help"}, "");
    EXPECT_EQ(help.Status, 0);
    EXPECT_NE(help.Out.find("--replace=TEMPLATE"), std::string::npos);
}

TEST(ZelGrep, FilesAreNamed) {
    const auto dir = std::filesystem::temp_directory_path() / "zelgrep_test";
    std::filesystem::create_directories(dir);
    std::ofstream(dir / "one.txt", std::ios::binary) << "\xEF\xBB\xBFカナ\nkana\n";
    std::ofstream(dir / "bad.txt", std::ios::binary) << "\xC0\x80\n";
    const std::u16string one = (dir / "one.txt").u16string();
    const std::u16string bad = (dir / "bad.txt").u16string();
    TResult result = Grep({u"-K", u"かな", one, one}, "");
    EXPECT_EQ(result.Status, 0);
    const std::string name = (dir / "one.txt").string();
    EXPECT_EQ(result.Out, name + ":カナ\n" + name + ":カナ\n");
    TResult invalid = Grep({u"x", bad}, "");
    EXPECT_EQ(invalid.Status, 2);
    EXPECT_NE(invalid.Err.find("bad.txt"), std::string::npos);
    std::filesystem::remove_all(dir);
}

} // namespace
} // namespace zel
