// Escapes and variables in phrases, with a fixed clock, fixed formats and a fixed era table.
#include "app/phrase_text.h"

#include <gtest/gtest.h>

namespace zel {
namespace {

TEST(PhraseText, Escapes) {
    EXPECT_EQ(ExpandEscapes(u"a\\nb\\tc\\\\n\\x\\"), u"a\r\nb\tc\\n\\x\\");
    EXPECT_EQ(ShowEscapes(u"a\\nb\\tc\\\\"), u"a↵b→c\\");
    EXPECT_EQ(ExpandEscapes(u"plain"), u"plain");
}

TVariableContext Context() {
    TVariableContext context;
    context.Now = {2026, 12, 10, 9, 5, 7};
    context.DateFormat = u"yyyy/MM/dd";
    context.TimeFormat = u"H:mm";
    context.Eras = {{1989, 1, 8, u"平成"}, {2019, 5, 1, u"令和"}};
    context.Clipboard = [] { return std::u16string(u"copied {date}"); };
    return context;
}

TEST(PhraseText, Variables) {
    const TVariableContext context = Context();
    struct Case {
        std::u16string_view phrase, expanded;
    } cases[] = {
        {u"on {date} at {time}", u"on 2026/12/10 at 9:05"},
        {u"{date:ggee年M月d日}", u"令和08年12月10日"},
        {u"{date:gge年}", u"令和8年"},
        {u"{date:yy-M-d HH:mm:ss}", u"26-12-10 09:05:07"},
        {u"{date:'yyyy' yyyy}", u"yyyy 2026"},
        {u"[{clipboard}]", u"[copied {date}]"}, // the clipboard's text is taken as it is
        {u"{{date}} {{ }}", u"{date} { }"},
        {u"{unknown} {date", u"{unknown} {date"},
        {u"}{", u"}{"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ExpandVariables(c.phrase, context), c.expanded)
            << std::string(c.phrase.begin(), c.phrase.end());
}

TEST(PhraseText, ErasChangeOnTheirFirstDay) {
    const std::vector<TEra> eras = Context().Eras;
    EXPECT_EQ(FormatDateTime(u"gge", {2019, 4, 30}, eras), u"平成31");
    EXPECT_EQ(FormatDateTime(u"gge", {2019, 5, 1}, eras), u"令和1");
    EXPECT_EQ(FormatDateTime(u"gge", {1989, 1, 7}, eras), u"1989"); // before every era
    EXPECT_EQ(FormatDateTime(u"gge", {2030, 1, 1}, {}), u"2030");
}

} // namespace
} // namespace zel
