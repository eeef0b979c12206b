// How the search folds texts: letter case by the locale, and with the options kana and width
// as the regex engine's folding counts them equal, ASCII standing for full width.
#include "listbox/text_folder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zel {
namespace {

std::shared_ptr<const UpperCaseTable> AsciiUpper() {
    return std::make_shared<const UpperCaseTable>(LocaleData{});
}

TEST(TextFolder, KanaAndWidthFoldToOneForm) {
    const TextFolder folder(AsciiUpper(), true, true);
    struct Case {
        std::u16string_view text, folded;
    } cases[] = {
        {u"ありがとう", u"アリガトウ"},
        {u"ｱﾘｶﾞﾄｳ", u"アリガトウ"},   // half-width, the sound mark joins its kana
        {u"ﾊﾟﾝ ぱん", u"パン パン"},  // semi-voiced
        {u"ｱﾞ", u"ア"},               // as the regex engine reads it, the mark goes with it
        {u"ａｂｃ１２３", u"ABC123"}, // full-width ASCII as ASCII, then upper case
        {u"*?!\"", u"*?!\""},         // the pattern's characters keep their meaning
        {u"＊？", u"*?"},
        {u"\u3000x", u" X"}, // the ideographic space as a space
    };
    for (const Case& c : cases)
        EXPECT_EQ(folder.Fold(c.text), c.folded);
}

TEST(TextFolder, WithoutTheOptionsOnlyCaseFolds) {
    const TextFolder upper(AsciiUpper(), false, false);
    EXPECT_EQ(upper.Fold(u"abcあｱ"), u"ABCあｱ");
    const TextFolder exact(nullptr, false, false);
    EXPECT_EQ(exact.Fold(u"abcあｱ"), u"abcあｱ");
    const TextFolder kanaOnly(nullptr, true, false);
    EXPECT_EQ(kanaOnly.Fold(u"abｶﾞか"), u"abｶﾞカ");
}

TEST(TextFolder, FoldedUnitsKnowWhereTheyComeFrom) {
    const TextFolder folder(AsciiUpper(), true, true);
    std::u16string folded;
    std::vector<size_t> from;
    folder.Fold(u"aｶﾞb", folded, &from);
    EXPECT_EQ(folded, u"AガB");
    EXPECT_EQ(from, (std::vector<size_t>{0, 1, 3}));
}

TEST(TextFolder, ContainsAgreesWithFoldingThenSearching) {
    const std::u16string texts[] = {
        u"Meeting ミーティング", u"ﾐｰﾃｨﾝｸﾞ", u"ｶﾞｶﾞ", u"がか", u"", u"ｶﾞ", u"aａAＡ"};
    const std::u16string patterns[] = {u"ミーティング", u"みーてぃんぐ", u"ガカ", u"カ", u"ﾞ",
                                       u"AA",           u"ａa",          u""};
    for (bool kana : {false, true})
        for (bool width : {false, true}) {
            const TextFolder folder(AsciiUpper(), kana, width);
            std::u16string scratch;
            for (const std::u16string& text : texts)
                for (const std::u16string& pattern : patterns) {
                    const std::u16string folded = folder.Fold(pattern);
                    const bool expected = folder.Fold(text).find(folded) != std::u16string::npos;
                    EXPECT_EQ(folder.Contains(text, folded, scratch), expected)
                        << kana << width << " " << std::string(text.begin(), text.end());
                }
        }
}

} // namespace
} // namespace zel
