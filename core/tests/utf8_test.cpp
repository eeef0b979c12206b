#include "core/error.h"
#include "core/utf8.h"

#include <gtest/gtest.h>

namespace zel {
namespace {

TEST(Utf8, DecodesEveryLengthAndSurrogatePairs) {
    EXPECT_EQ(Utf8ToUtf16("a\xC3\xA9\xE2\x97\x86\xF0\x9F\x98\x80"), u"aé◆😀");
    EXPECT_EQ(Utf8ToUtf16(std::string_view("x\0y", 3)), std::u16string(u"x\0y", 3));
}

TEST(Utf8, RejectsEveryMalformedForm) {
    const char* bad[] = {
        "\x80",             // lone continuation
        "\xC0\xAF",         // overlong two-byte
        "\xE0\x80\xAF",     // overlong three-byte
        "\xF0\x80\x80\xAF", // overlong four-byte
        "\xED\xA0\x80",     // encoded surrogate
        "\xF4\x90\x80\x80", // above U+10FFFF
        "\xE3\x81",         // truncated at end
        "\xE3\x41\x81",     // continuation missing
        "\x82\xA0",         // Shift-JIS "あ"
        "\xFF",
    };
    for (const char* b : bad) {
        try {
            Utf8ToUtf16(b);
            ADD_FAILURE() << "accepted " << ::testing::PrintToString(std::string(b));
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), kInvalidUtf8Message);
        }
    }
}

TEST(Utf8, FileTextSkipsOneByteOrderMark) {
    EXPECT_EQ(Utf8FileTextToUtf16("\xEF\xBB\xBFz"), u"z");
    EXPECT_EQ(Utf8FileTextToUtf16("\xEF\xBB\xBF"), u"");
    EXPECT_EQ(Utf8FileTextToUtf16("\xEF\xBB\xBF\xEF\xBB\xBF"), u"\uFEFF");
}

TEST(Utf8, EncodesRoundTripAndReplacesLoneSurrogates) {
    std::u16string text = u"Velmora_ユーザー設定.ini 😀";
    EXPECT_EQ(Utf8ToUtf16(Utf16ToUtf8(text)), text);
    EXPECT_EQ(Utf16ToUtf8(u"\xD800x"), "\xEF\xBF\xBDx");
}

TEST(FormatText, FillsPlaceholdersInOrder) {
    EXPECT_EQ(FormatText(u"ファイル %s は開けません。 %s ", u"C:\\a.txt", u"err"),
              u"ファイル C:\\a.txt は開けません。 err ");
    EXPECT_EQ(FormatText(u"クリップボード %s を開けません", u"%s"),
              u"クリップボード %s を開けません");
    EXPECT_EQ(FormatText(u"none", u"x"), u"none");
}

} // namespace
} // namespace zel
