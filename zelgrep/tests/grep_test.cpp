// zelgrep driven through RunGrep with string streams: output formats and exit statuses.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

#include "core/utf8.h"
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

// One command line on a given input: the exit status and output expected, and the messages
// when they matter.
struct TCase {
    std::vector<std::u16string> Args;
    int Status;
    std::string Out;
    std::optional<std::string> Err = std::nullopt;
};

void ExpectCases(const std::string& input, const std::vector<TCase>& cases) {
    for (const auto& c : cases) {
        const TResult result = Grep(c.Args, input);
        const std::string line = Utf16ToUtf8(c.Args.front()) + " ... " + Utf16ToUtf8(c.Args.back());
        EXPECT_EQ(result.Status, c.Status) << line << "\n" << result.Err;
        EXPECT_EQ(result.Out, c.Out) << line;
        if (c.Err) {
            EXPECT_EQ(result.Err, *c.Err) << line;
        }
    }
}

TEST(ZelGrep, OutputFormsAndStatuses) {
    const std::string text = "alpha\nbeta\r\nGamma beta\n";
    ExpectCases(
        text,
        {
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
             "{\"index\":8,\"length\":5,\"groups\":[]}\n{\"index\":20,\"length\":4,\"groups\":[]}"
             "\n"},
            {{u"--replace=<$0>", u"a\\b"}, 0, "alph<a>\nbet<a>\r\nGamm<a> bet<a>\n"},
            // A line without a match has no pieces; the CR before LF is no part of a line.
            {{u"--split", u"\\s+"}, 0, "\"Gamma\"\n\"beta\"\n"},
            {{u"--split", u"a\\b"}, 0, "\"alph\"\n\"\"\n\"bet\"\n\"\"\n\"Gamm\"\n\" bet\"\n\"\"\n"},
            {{u"zzz"}, 1, ""},
        });
}

// The options that select, print and stop, as grep's: one text, each case one command line.
TEST(ZelGrep, SelectionOptions) {
    const std::string text = "alpha\nbeta\r\ngamma beta\n\nwordy word\nカナ かな ｶﾅ\nend";
    ExpectCases(
        text,
        {
            {{u"-v", u"a"}, 0, "\nwordy word\nカナ かな ｶﾅ\nend\n"},
            {{u"-w", u"word"}, 0, "wordy word\n"},
            {{u"-w", u"カナ"}, 0, "カナ かな ｶﾅ\n"},
            {{u"-w", u"カ"}, 1, ""},
            // The CR before LF is no part of the line, but is printed with it.
            {{u"-x", u"beta"}, 0, "beta\r\n"},
            {{u"beta$"}, 0, "beta\r\ngamma beta\n"},
            {{u"-xc", u""}, 0, "1\n"},
            {{u"-F", u"a."}, 1, ""},
            {{u"-Fi", u"BETA"}, 0, "beta\r\ngamma beta\n"},
            {{u"-Fx", u"-e", u"end", u"-e", u"(.*)"}, 0, "end\n"},
            {{u"-e", u"end", u"-e", u"^al"}, 0, "alpha\nend\n"},
            {{u"-e", u"end\n^al"}, 0, "alpha\nend\n"},
            // Each pattern numbers its own groups.
            {{u"-o", u"-e", u"(b)\\1|t", u"-e", u"(m)\\1"}, 0, "t\nmm\nt\n"},
            {{u"-oKW", u"かな"}, 0, "カナ\nかな\nｶﾅ\n"},
            {{u"-m1", u"-c", u"a"}, 0, "1\n"},
            {{u"-m2", u"a"}, 0, "alpha\nbeta\r\n"},
            {{u"-m0", u"a"}, 1, ""},
            {{u"-c", u"-v", u"x"}, 0, "7\n"},
            {{u"-q", u"a"}, 0, ""},
            {{u"-q", u"zzz"}, 1, ""},
            {{u"-l", u"a"}, 0, "(standard input)\n"},
            {{u"-L", u"a"}, 0, ""},
            {{u"-L", u"zzz"}, 1, "(standard input)\n"},
            {{u"-H", u"end"}, 0, "(standard input):end\n"},
            {{u"-nH", u"end", u"-"}, 0, "(standard input):7:end\n"},
            {{u"-n", u"-A1", u"alpha"}, 0, "1:alpha\n2-beta\r\n"},
            {{u"-nB1", u"end"}, 0, "6-カナ かな ｶﾅ\n7:end\n"},
            {{u"-C0", u"-n", u"alpha|gamma|end"}, 0, "1:alpha\n--\n3:gamma beta\n--\n7:end\n"},
            {{u"-nC1", u"^$|alpha"}, 0, "1:alpha\n2-beta\r\n3-gamma beta\n4:\n5-wordy word\n"},
            // After the last line -m allows, its after-context still comes.
            {{u"-m1", u"-A1", u"a"}, 0, "alpha\nbeta\r\n"},
            {{u"-o", u"-C1", u"-n", u"alpha|end"}, 0, "1:alpha\n--\n7:end\n"},
            {{u"-vn", u"-B1", u"[a-z]"}, 0, "3-gamma beta\n4:\n5-wordy word\n6:カナ かな ｶﾅ\n"},
        });
}

// grep's colours: file name, line number, separators and matches; in a context line only with
// -v (whose context lines are the ones that match); a pipe gets none unless asked.
TEST(ZelGrep, Colors) {
    const std::string text = "beta\r\nalpha\n";
    const std::string fn = "\33[35m\33[K(standard input)\33[m\33[K";
    const auto sep = [](const char* s) { return std::string("\33[36m\33[K") + s + "\33[m\33[K"; };
    const auto hit = [](const char* s) {
        return std::string("\33[01;31m\33[K") + s + "\33[m\33[K";
    };
    const struct {
        std::vector<std::u16string> Args;
        std::string Out;
    } cases[] = {
        {{u"--color=always", u"a$"}, "bet" + hit("a") + "\r\nalph" + hit("a") + "\n"},
        {{u"--color=always", u"-Hn", u"-A1", u"^b"},
         fn + sep(":") + "\33[32m\33[K1\33[m\33[K" + sep(":") + hit("b") + "eta\r\n" + fn +
             sep("-") + "\33[32m\33[K2\33[m\33[K" + sep("-") + "alpha\n"},
        {{u"--color=always", u"-v", u"-B1", u"^b"}, hit("b") + "eta\r\nalpha\n"},
        {{u"--color=always", u"-v", u"-A1", u"^b"}, "alpha\n"},
        {{u"--color=always", u"-o", u"l."}, hit("lp") + "\n"},
        {{u"--color=always", u"-cH", u"l"}, fn + sep(":") + "1\n"},
        {{u"--color=always", u"-l", u"l"}, fn + "\n"},
        {{u"--color", u"l"}, "alpha\n"},
        {{u"--color=always", u"--json", u"l"},
         "{\"line\":2,\"index\":2,\"length\":1,\"groups\":[]}\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Grep(c.Args, text).Out, c.Out);
    std::istringstream in(text);
    std::ostringstream out, err;
    EXPECT_EQ(RunGrep({u"--color", u"^b"}, in, out, err, true), 0);
    EXPECT_EQ(out.str(), hit("b") + "eta\r\n");
}

// A file with a NUL is binary: searched with NUL ending lines too, its match reported instead
// of printed; counts, names and -q answer as for any file.
TEST(ZelGrep, BinaryInput) {
    const std::string binary("a\0b\nbeta\n", 9);
    ExpectCases(
        binary,
        {
            {{u"b"}, 0, "", "zelgrep: (standard input): binary file matches\n"},
            {{u"-o", u"-n", u"b"}, 0, "", "zelgrep: (standard input): binary file matches\n"},
            {{u"-v", u"zzz"}, 0, "", "zelgrep: (standard input): binary file matches\n"},
            {{u"--replace=x", u"b"}, 0, "", "zelgrep: (standard input): binary file matches\n"},
            {{u"zzz"}, 1, "", ""},
            {{u"-c", u"^b"}, 0, "2\n", ""},
            {{u"-c", u"a.b"}, 1, "0\n", ""},
            {{u"-l", u"b"}, 0, "(standard input)\n", ""},
            {{u"-q", u"b"}, 0, "", ""},
        });
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
    EXPECT_EQ(Grep({}, "").Status, 2);
    TResult invalid = Grep({u"a"}, "a\xff\n");
    EXPECT_EQ(invalid.Status, 2);
    EXPECT_NE(invalid.Err.find("(standard input)"), std::string::npos);
    TResult help = Grep({u"--help"}, "");
    EXPECT_EQ(help.Status, 0);
    EXPECT_NE(help.Out.find("--replace=TEMPLATE"), std::string::npos);
}

// A folder of files for the tests of file operands, -r and -f; removed at the end.
class ZelGrepFiles : public ::testing::Test {
protected:
    void SetUp() override {
        FRoot = std::filesystem::temp_directory_path() / "zelgrep_files_test";
        std::filesystem::remove_all(FRoot);
        std::filesystem::create_directories(FRoot / "d" / "b");
        Write("d/a.txt", "alpha\n");
        Write("d/b/c.txt", "gamma alpha\n");
        Write("d/bad.txt", "ok\n\xFF alpha\n");
        Write("d/z.txt", "alpha\r\n");
        Write("patterns", "gamma\r\nbeta\n");
        std::error_code error; // where the system lets no one make links, there is none
        std::filesystem::create_symlink(FRoot / "d" / "a.txt", FRoot / "d" / "link.txt", error);
        FCurrent = std::filesystem::current_path();
        std::filesystem::current_path(FRoot);
    }
    void TearDown() override {
        std::filesystem::current_path(FCurrent);
        std::filesystem::remove_all(FRoot);
    }
    void Write(const std::string& name, const std::string& bytes) {
        std::ofstream(FRoot / std::filesystem::path(name), std::ios::binary) << bytes;
    }
    // A name as the system writes paths below "d".
    static std::string Name(const std::string& relative) {
        return (std::filesystem::path("d") / std::filesystem::path(relative))
            .make_preferred()
            .string();
    }

    std::filesystem::path FRoot, FCurrent;
};

TEST_F(ZelGrepFiles, OperandsFoldersAndFailures) {
    const std::string bad = "zelgrep: " + Name("bad.txt") + ": invalid UTF-8 at byte 3\n";
    ExpectCases(
        "alpha\nbeta\ngamma\n",
        {
            // Name order, depth first; symbolic links below a folder skipped; an invalid file
            // named with its offset, and the walk goes on.
            {{u"-r", u"alpha", u"d"},
             2,
             Name("a.txt") + ":alpha\n" + Name("b/c.txt") + ":gamma alpha\n" + Name("z.txt") +
                 ":alpha\r\n",
             bad},
            {{u"-rsc", u"alpha", u"d"},
             2,
             Name("a.txt") + ":1\n" + Name("b/c.txt") + ":1\n" + Name("z.txt") + ":1\n",
             ""},
            {{u"-rlx", u"alpha", u"d"}, 2, Name("a.txt") + "\n" + Name("z.txt") + "\n", bad},
            {{u"-rh", u"gamma", u"d"}, 2, "gamma alpha\n", bad},
            {{u"-r", u"gamma", u"d/b/c.txt"}, 0, "gamma alpha\n", ""},
            {{u"alpha", u"d"}, 2, "", "zelgrep: d: Is a directory\n"},
            {{u"-s", u"alpha", u"d", u"missing"}, 2, "", ""},
            {{u"alpha", u"missing", u"d/a.txt"},
             2,
             "d/a.txt:alpha\n",
             "zelgrep: missing: No such file or directory\n"},
            // -q answers 0 for a selected line even after a failure.
            {{u"-q", u"alpha", u"missing", u"d/a.txt"},
             0,
             "",
             "zelgrep: missing: No such file or directory\n"},
            {{u"alpha", u"-", u"d/a.txt"}, 0, "(standard input):alpha\nd/a.txt:alpha\n", ""},
            {{u"-c", u"-f", u"patterns"}, 0, "2\n", ""},
            {{u"-f", u"missing", u"d/a.txt"},
             2,
             "",
             "zelgrep: missing: No such file or directory\n"},
        });
}

// With -r and no operand the working folder is searched, its files named without "./".
TEST_F(ZelGrepFiles, RecursiveWithoutOperandSearchesHere) {
    std::filesystem::current_path(FRoot / "d");
    const TResult result = Grep({u"-r", u"gamma"}, "");
    EXPECT_EQ(result.Status, 2);
    EXPECT_EQ(result.Out,
              std::filesystem::path("b/c.txt").make_preferred().string() + ":gamma alpha\n");
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
