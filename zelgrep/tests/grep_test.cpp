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
