// zelgrep's input: UTF-8 with or without a byte order mark, the legacy Japanese encodings and
// UTF-16, each strict, with the offset of the first byte that is no character.
#include <gtest/gtest.h>

#include <sstream>

#include "core/utf8.h"
#include "zelgrep/input.h"

namespace zel {
namespace {

TInputText Read(const std::string& bytes, TEncoding encoding) {
    std::istringstream stream(bytes);
    return ReadInputText(stream, encoding);
}

TEST(ZelGrepInput, EveryEncodingDecodes) {
    const struct {
        TEncoding Encoding;
        std::string Bytes;
        std::u16string Text;
    } cases[] = {
        {TEncoding::Utf8, "\xEF\xBB\xBF\xE3\x82\xAB\xE3\x83\x8A\r\n", u"カナ\r\n"},
        {TEncoding::Utf8, "\xE3\x82\xAB", u"カ"},
        // Code page 932: the yen-less backslash, the wave dash of Windows, NEC's circled one.
        {TEncoding::ShiftJis, "\x83\x4A\x83\x69\x8A\xBF\x8E\x9A\\\x81\x60\x87\x40\xB1",
         u"カナ漢字\\\uFF5E\u2460\uFF71"},
        {TEncoding::EucJp,
         "\xA5\xAB\xA5\xCA\xB4\xC1\xBB\xFA\x8E\xB1"
         "a",
         u"カナ漢字\uFF71a"},
        {TEncoding::Utf16,
         std::string("\xFF\xFE"
                     "a\0\x42\x30\x3D\xD8\x00\xDE",
                     10),
         u"aあ\U0001F600"},
        {TEncoding::Utf16, std::string("\xFE\xFF\0a\x30\x42", 6), u"aあ"},
        {TEncoding::Utf16, std::string("a\0\x42\x30", 4), u"aあ"},
        {TEncoding::Utf16, "", u""},
    };
    for (const auto& c : cases) {
        const TInputText input = Read(c.Bytes, c.Encoding);
        EXPECT_EQ(input.Text, c.Text) << ::testing::PrintToString(c.Bytes);
        EXPECT_FALSE(input.Binary);
    }
}

TEST(ZelGrepInput, BytesThatAreNoCharacterNameTheirOffset) {
    const struct {
        TEncoding Encoding;
        std::string Bytes;
        std::string Message;
    } cases[] = {
        {TEncoding::Utf8, "ab\n\xC0\x80", "invalid UTF-8 at byte 3"},
        {TEncoding::Utf8,
         "\xEF\xBB\xBF"
         "ab\xE3\x81",
         "invalid UTF-8 at byte 5"},
        {TEncoding::ShiftJis, "ab\x81\x20", "invalid Shift_JIS at byte 2"},
        {TEncoding::ShiftJis, "\x83\x4A\x83", "invalid Shift_JIS at byte 2"},
        {TEncoding::EucJp, "a\xA5\x20", "invalid EUC-JP at byte 1"},
        {TEncoding::Utf16, std::string("a\0b", 3), "invalid UTF-16 at byte 2"},
        {TEncoding::Utf16,
         std::string("\xFF\xFE"
                     "a\0\x00\xD8"
                     "b\0",
                     8),
         "invalid UTF-16 at byte 4"},
        {TEncoding::Utf16, std::string("\x00\xDC", 2), "invalid UTF-16 at byte 0"},
    };
    for (const auto& c : cases) {
        try {
            Read(c.Bytes, c.Encoding);
            ADD_FAILURE() << "accepted " << ::testing::PrintToString(c.Bytes);
        } catch (const TDecodeError& e) {
            EXPECT_EQ(Utf16ToUtf8(e.Message()), c.Message);
        }
    }
}

// A NUL marks a binary file, in every encoding; it is found across the pieces of a large input.
TEST(ZelGrepInput, NulMarksBinary) {
    EXPECT_TRUE(Read(std::string("a\0b\n", 4), TEncoding::Utf8).Binary);
    EXPECT_TRUE(Read(std::string(1 << 20, 'a') + '\0', TEncoding::Utf8).Binary);
    EXPECT_TRUE(Read(std::string("a\0\0\0", 4), TEncoding::Utf16).Binary);
    EXPECT_TRUE(Read(std::string("a\0", 2), TEncoding::ShiftJis).Binary);
    EXPECT_FALSE(Read(std::string(1 << 20, 'a'), TEncoding::Utf8).Binary);
}

} // namespace
} // namespace zel
