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
    // Each form after valid text of every length class: the failure names where it begins.
    const std::string before = "ab\xC3\xA9\xE2\x97\x86";
    for (const char* b : bad) {
        try {
            Utf8ToUtf16(before + b + "z");
            ADD_FAILURE() << "accepted " << ::testing::PrintToString(std::string(b));
        } catch (const Utf8Error& e) {
            EXPECT_EQ(e.Message(), kInvalidUtf8Message);
            EXPECT_EQ(e.Offset(), before.size()) << ::testing::PrintToString(std::string(b));
        }
    }
}

TEST(Utf8, FileTextSkipsOneByteOrderMark) {
    EXPECT_EQ(Utf8FileTextToUtf16("\xEF\xBB\xBFz"), u"z");
    EXPECT_EQ(Utf8FileTextToUtf16("\xEF\xBB\xBF"), u"");
    EXPECT_EQ(Utf8FileTextToUtf16("\xEF\xBB\xBF\xEF\xBB\xBF"), u"\uFEFF");
}

// The ASCII runs are copied in blocks: every place of a non-ASCII or invalid byte within and
// after a block must still be found.
TEST(Utf8, BlocksOfAsciiAroundEveryKindOfSequence) {
    const std::string sequences[] = {"\xC3\xA9", "\xE2\x97\x86", "\xF0\x9F\x98\x80"};
    const std::u16string decoded[] = {u"\u00E9", u"\u25C6", u"\U0001F600"};
    for (std::size_t at = 0; at < 40; ++at) {
        const std::string before(at, 'a');
        const std::u16string wideBefore(at, u'a');
        for (std::size_t k = 0; k < std::size(sequences); ++k)
            EXPECT_EQ(Utf8ToUtf16(before + sequences[k] + "bc"), wideBefore + decoded[k] + u"bc");
        EXPECT_THROW(Utf8ToUtf16(before + "\x80" + std::string(20, 'z')), Exception) << at;
        EXPECT_THROW(Utf8ToUtf16(before + "\xE3\x81"), Exception) << at;
    }
}

// Decoding in pieces gives what decoding at once gives, wherever the pieces are cut, and
// rejects what it rejects.
TEST(Utf8, StreamDecoderAgreesWithWholeDecoding) {
    const std::string texts[] = {
        "\xEF\xBB\xBF"
        "a\xC3\xA9\xE2\x97\x86\xF0\x9F\x98\x80" +
            std::string(40, 'x') + "\xE3\x81\x82",
        "\xEF\xBB",
        "\xEF\xBB\xBF\xEF\xBB\xBF",
        "ab",
        "",
    };
    for (const std::string& text : texts)
        for (std::size_t piece = 1; piece <= 5; ++piece) {
            Utf8StreamDecoder decoder(true);
            std::u16string out;
            bool failed = false;
            try {
                for (std::size_t at = 0; at < text.size(); at += piece)
                    decoder.Append(std::string_view(text).substr(at, piece), out);
                decoder.Finish(out);
            } catch (const Exception&) {
                failed = true;
            }
            bool expectedFailure = false;
            std::u16string expected;
            try {
                expected = Utf8FileTextToUtf16(text);
            } catch (const Exception&) {
                expectedFailure = true;
            }
            EXPECT_EQ(failed, expectedFailure) << piece;
            if (!failed && !expectedFailure) {
                EXPECT_EQ(out, expected) << piece;
            }
        }
    // The offset counts from the first byte of the text, the byte order mark included, however
    // the pieces cut it; a sequence the text's end cuts is named by its first byte.
    const std::pair<std::string, std::size_t> invalid[] = {
        {"\xEF\xBB\xBF" + std::string(40, 'x') + "\xE3\x41", 43},
        {"\xEF\xBB" + std::string(3, 'x'), 0},
        {"ab\xE3\x81\x82\xE3\x81", 5},
        {"\xEF\xBB\xBF\xF0\x9F\x98\x80\xC0\xAF", 7},
    };
    for (const auto& [text, offset] : invalid)
        for (std::size_t piece = 1; piece <= 5; ++piece) {
            Utf8StreamDecoder decoder(true);
            std::u16string out;
            try {
                for (std::size_t at = 0; at < text.size(); at += piece)
                    decoder.Append(std::string_view(text).substr(at, piece), out);
                decoder.Finish(out);
                ADD_FAILURE() << "accepted " << ::testing::PrintToString(text);
            } catch (const Utf8Error& e) {
                EXPECT_EQ(e.Offset(), offset) << ::testing::PrintToString(text) << piece;
            }
        }
    // A sequence still open at the end, or broken across two pieces, is an error.
    for (const auto& [first, second] :
         {std::pair{"a\xE3", "\x81"}, std::pair{"a\xE3", "\x41\x81"}}) {
        Utf8StreamDecoder decoder(false);
        std::u16string out;
        EXPECT_THROW(
            {
                decoder.Append(first, out);
                decoder.Append(second, out);
                decoder.Finish(out);
            },
            Exception);
    }
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
