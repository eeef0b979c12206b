// The language pieces on their own: text preparation, tag names, attributes, colours.
#include "htmltext/markup_chars.h"
#include "htmltext/markup_color.h"
#include "htmltext/markup_tag.h"
#include "htmltext/markup_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace zel::markup {
namespace {

std::u16string Prepare(std::u16string_view text) {
    std::u16string buffer;
    return std::u16string(PrepareMarkup(text, buffer));
}

TEST(PrepareMarkup, EntitiesMarkersAndLineEnds) {
    const struct {
        std::u16string_view in, out;
    } cases[] = {
        {u"plain text", u"plain text"},
        {u"a&amp;b", u"a&&b"},
        {u"&AMP;&Quot;&sect;&permil;&reg;&copy;&para;&trade;&euro;",
         u"&&\"\u00A7\u2030\u00AE\u00A9\u00B6\u2122\u20AC"},
        // a replacement that produces another entity is replaced again
        {u"&amp;quot;", u"&\""},
        {u"&amp;amp;", u"&&&"},
        // run entities stay for the run pass
        {u"x&lt;y&nbsp;", u"x&lt;y&nbsp;"},
        {u"&unknown;", u"&unknown;"},
        {u"<#name> rest", u"#name rest"},
        {u"<#a<#b>>c", u"#a#bc"},
        {u"<#open", u"#open"},
        {u"one\r\ntwo\nthree", u"one<BR>twothree"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Prepare(c.in), c.out) << std::string(c.in.begin(), c.in.end());
}

// The entities replaced as the language defines it: whole passes, repeated until one changes
// nothing. Quadratic, so only for comparing on short texts.
std::u16string RepeatedEntityPasses(std::u16string text) {
    static constexpr std::u16string_view kEntities[][2] = {
        {u"&amp;", u"&&"},        {u"&quot;", u"\""},      {u"&sect;", u"\u00A7"},
        {u"&permil;", u"\u2030"}, {u"&reg;", u"\u00AE"},   {u"&copy;", u"\u00A9"},
        {u"&para;", u"\u00B6"},   {u"&trade;", u"\u2122"}, {u"&euro;", u"\u20AC"},
    };
    for (bool changed = true; changed;) {
        changed = false;
        std::u16string out;
        for (std::size_t i = 0; i < text.size();) {
            const auto* hit =
                std::find_if(std::begin(kEntities), std::end(kEntities), [&](const auto& e) {
                    return StartsWithNoCase(std::u16string_view(text).substr(i), e[0]);
                });
            if (hit == std::end(kEntities)) {
                out.push_back(text[i++]);
                continue;
            }
            out.append((*hit)[1]);
            i += (*hit)[0].size();
            changed = true;
        }
        text = out;
    }
    return text;
}

TEST(PrepareMarkup, EntitiesInOnePassGiveWhatRepeatedPassesGive) {
    const std::u16string_view pieces[] = {u"&",     u"&&",    u"amp;",    u"AmP;",
                                          u"quot;", u"euro;", u"&amp;",   u"&quot",
                                          u"a",     u";",     u"&trade;", u"x"};
    std::mt19937 random(2024);
    for (int round = 0; round < 20000; ++round) {
        std::u16string text;
        for (int i = static_cast<int>(random() % 12); i > 0; --i)
            text += pieces[random() % std::size(pieces)];
        ASSERT_EQ(Prepare(text), RepeatedEntityPasses(text))
            << std::string(text.begin(), text.end());
    }
}

// Each "&amp;" level of a long row used to cost one more pass over the whole text.
TEST(PrepareMarkup, DeeplyNestedAmpersandsInALongRow) {
    constexpr std::size_t kLevels = 1 << 18;
    std::u16string text = u"&";
    for (std::size_t i = 0; i < kLevels; ++i)
        text += u"amp;";
    EXPECT_EQ(Prepare(text), std::u16string(kLevels + 1, u'&'));
    EXPECT_EQ(Prepare(text + u"quot;"), std::u16string(kLevels, u'&') + u"\"");
}

TEST(PrepareMarkup, ReturnsTheInputWhenNothingChanges) {
    const std::u16string_view text = u"a <b>plain</b> text";
    std::u16string buffer;
    EXPECT_EQ(PrepareMarkup(text, buffer).data(), text.data());
}

TEST(ReplaceRunEntities, LowerCaseOnlyAndSinglePass) {
    std::u16string buffer;
    EXPECT_EQ(ReplaceRunEntities(u"x&lt;y&gt;z&nbsp;!", buffer), u"x<y>z !");
    EXPECT_EQ(ReplaceRunEntities(u"x&LT;y&Nbsp;", buffer), u"x&LT;y&Nbsp;");
    EXPECT_EQ(ReplaceRunEntities(u"&&lt;", buffer), u"&<");
}

TEST(ClassifyTag, LeadingLettersSelectTheTag) {
    const struct {
        std::u16string_view tag;
        TagKind kind;
    } cases[] = {
        {u"<B>", TagKind::Bold},
        {u"<b>", TagKind::Bold},
        {u"<BIG>", TagKind::None},
        {u"<BLINK>", TagKind::Blink},
        {u"<BODY BGCOLOR=\"#FFFFFF\">", TagKind::Body},
        {u"<BR>", TagKind::Break},
        {u"<br/>", TagKind::Break},
        {u"<A HREF=\"x\">", TagKind::Link},
        {u"<E>", TagKind::Error},
        {u"<FONT COLOR=\"clRed\">", TagKind::Font},
        {u"<HI>", TagKind::Highlight},
        {u"<HR>", TagKind::Rule},
        {u"<H1>", TagKind::None},
        {u"<I>", TagKind::Italic},
        {u"<IND x=\"4\">", TagKind::Indent},
        {u"<IMG SRC=\"idx:1\">", TagKind::Image},
        {u"<LI>", TagKind::ListItem},
        {u"<OL>", TagKind::OrderedList},
        {u"<OFS x=\"4\">", TagKind::ListOffset},
        {u"<OX>", TagKind::None},
        {u"<P ALIGN=\"RIGHT\">", TagKind::Paragraph},
        {u"<ROT a=\"90\">", TagKind::Rotate},
        {u"<S>", TagKind::Strike},
        {u"<STRIKE>", TagKind::Strike},
        {u"<SHAD>", TagKind::Shadow},
        {u"<SPAN STYLE=\"\">", TagKind::Span},
        {u"<sub>", TagKind::Subscript},
        {u"<SUP>", TagKind::Superscript},
        {u"<SUPER>", TagKind::None},
        {u"<U>", TagKind::Underline},
        {u"<UL>", TagKind::UnorderedList},
        {u"<Z>", TagKind::Hidden},
        {u"< B>", TagKind::None},
        {u"<>", TagKind::None},
        {u"<", TagKind::None},
        {u"</>", TagKind::None},
        {u"</A>", TagKind::EndLink},
        {u"</B>", TagKind::EndBold},
        {u"</BL>", TagKind::EndColor},
        {u"</BODY>", TagKind::EndColor},
        {u"</E>", TagKind::EndError},
        {u"</FONT>", TagKind::EndFont},
        {u"</HI>", TagKind::EndHighlight},
        {u"</I>", TagKind::EndItalic},
        {u"</LI>", TagKind::EndListItem},
        {u"</O>", TagKind::EndListOffset},
        {u"</OL>", TagKind::EndOrderedList},
        {u"</P>", TagKind::EndParagraph},
        {u"</R>", TagKind::EndRotate},
        {u"</ST>", TagKind::EndStrike},
        {u"</S>", TagKind::EndStrike},
        {u"</SUB>", TagKind::EndScript},
        {u"</SPAN>", TagKind::EndSpan},
        {u"</SH>", TagKind::EndShadow},
        {u"</U>", TagKind::EndUnderline},
        {u"</UL>", TagKind::EndUnorderedList},
        {u"</Z>", TagKind::EndHidden},
        {u"</Q>", TagKind::None},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ClassifyTag(c.tag), c.kind) << std::string(c.tag.begin(), c.tag.end());
}

TEST(TagAttribute, SubstringNameAndQuotedValue) {
    const std::u16string_view tag =
        u"<FONT face=\"Arial\" BGCOLOR=\"#00FF00\" color=\"clRed\" SIZE=4>";
    EXPECT_EQ(TagAttribute(tag, u"FACE"), u"Arial");
    EXPECT_EQ(TagAttribute(tag, u" COLOR"), u"clRed");
    // without the blank the name is found inside BGCOLOR first
    EXPECT_EQ(TagAttribute(tag, u"COLOR"), u"#00FF00");
    EXPECT_EQ(TagAttribute(tag, u"SIZE"), u"");
    EXPECT_EQ(TagAttribute(tag, u"HREF"), u"");
    EXPECT_EQ(TagAttribute(u"<A HREF=\"open", u"HREF"), u"");
}

TEST(MarkupNumber, NumericPrefix) {
    EXPECT_EQ(MarkupNumber(u"12"), 12);
    EXPECT_EQ(MarkupNumber(u" 12px"), 12);
    EXPECT_EQ(MarkupNumber(u"-3"), -3);
    EXPECT_EQ(MarkupNumber(u"abc"), 0);
    EXPECT_EQ(MarkupNumber(u""), 0);
    EXPECT_EQ(MarkupNumber(u"99999999999999999999"), 1000000);
}

TEST(ParseMarkupColor, HashFormAndNames) {
    EXPECT_EQ(ParseMarkupColor(u"#FF0000"), 0x0000FFu);
    EXPECT_EQ(ParseMarkupColor(u"#102030"), 0x302010u);
    EXPECT_EQ(ParseMarkupColor(u"#ff0000"), 0x0000FFu);
    EXPECT_EQ(ParseMarkupColor(u"#ff0000", false), 0x000000u);
    EXPECT_EQ(ParseMarkupColor(u"#FF00F"), 0x0000FFu); // short last pair reads as 0
    EXPECT_EQ(ParseMarkupColor(u"#"), 0x000000u);
    EXPECT_EQ(ParseMarkupColor(u"clRed"), 0x0000FFu);
    EXPECT_EQ(ParseMarkupColor(u"CLNAVY"), 0x800000u);
    EXPECT_EQ(ParseMarkupColor(u"clHighlight"), SystemColor(13));
    EXPECT_EQ(ParseMarkupColor(u"clInfoBk"), SystemColor(24));
    EXPECT_EQ(ParseMarkupColor(u"red"), 0x000000u);
}

} // namespace
} // namespace zel::markup
