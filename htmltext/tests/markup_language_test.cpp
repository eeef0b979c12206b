// The language pieces on their own: text preparation, tag names, attributes, colours.
#include "htmltext/markup_color.h"
#include "htmltext/markup_tag.h"
#include "htmltext/markup_text.h"

#include <gtest/gtest.h>

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
