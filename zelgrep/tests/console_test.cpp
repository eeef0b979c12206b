// The console's stream buffer: UTF-8 in, UTF-16 out, characters whole in every write.
#include <gtest/gtest.h>

#include <ostream>
#include <vector>

#include "core/chars.h"
#include "core/utf8.h"
#include "zelgrep/console.h"

namespace zel {
namespace {

TEST(ZelGrepConsole, WritesWholeCharactersAsUtf16) {
    std::u16string expected;
    for (int i = 0; i < 2000; ++i)
        expected += u"カa\U0001F600";
    std::vector<std::u16string> writes;
    TUtf16StreamBuf buffer([&](std::u16string_view text) {
        writes.emplace_back(text);
        return true;
    });
    std::ostream out(&buffer);
    // Byte by byte, then in one piece: the buffer's end falls inside characters either way.
    for (char byte : Utf16ToUtf8(expected))
        out << byte;
    out << Utf16ToUtf8(expected);
    out.flush();
    std::u16string joined;
    for (const auto& text : writes) {
        ASSERT_FALSE(text.empty());
        EXPECT_FALSE(IsHighSurrogate(text.back()));
        joined += text;
    }
    EXPECT_GT(writes.size(), 2u);
    EXPECT_EQ(joined, expected + expected);
}

TEST(ZelGrepConsole, FailedWriteFailsTheStream) {
    TUtf16StreamBuf buffer([](std::u16string_view) { return false; });
    std::ostream out(&buffer);
    out << "a";
    out.flush();
    EXPECT_TRUE(out.bad());
}

} // namespace
} // namespace zel
