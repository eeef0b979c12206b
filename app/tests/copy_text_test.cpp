#include "app/copy_text.h"

#include <gtest/gtest.h>

namespace zel {
namespace {

TEST(CopyText, NotesAreLeftOut) {
    struct Case {
        const char16_t* line;
        const char16_t* copied;
    };
    const Case cases[] = {
        {u"Thanks [note] a lot", u"Thanks a lot"},
        {u"Thanks [note]", u"Thanks "},
        {u"[a] x [b] y", u"y"},
        {u"[a] x [b]y", u"x y"},
        {u"a ] b [ c", u"a ] b [ c"},
        {u"お疲れさまです。[社内向け]\u3000以上", u"お疲れさまです。以上"},
        {u"  lead and trail  ", u"  lead and trail  "},
        {u"[only a note]", u""},
        {u"", u""},
        {u"◆heading [note] text", u""},
        {u"x ◆ in the middle", u""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CopyTextOf(c.line), c.copied);
}

} // namespace
} // namespace zel
