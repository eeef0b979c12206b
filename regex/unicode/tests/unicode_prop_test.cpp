// Properties, property names and the POSIX class tests.
#include "regex/unicode/unicode_prop.h"

#include <gtest/gtest.h>

namespace zel {
namespace {

struct PropertyCase {
    char32_t Cp;
    TUnicodeProperty Prop;
    bool Expected;
};

TEST(UnicodeProperty, CategoriesGroupsScriptsAndBlocks) {
    const PropertyCase cases[] = {
        {U'A', upLu, true},
        {0x130, upLu, true},
        {U'a', upLu, false},
        {U'a', upLC, true},
        {U'A', upLC, true},
        {0x1C5, upLC, true},
        {0x1C5, upLt, true},
        {0x2B0, upLC, false},
        {0x2B0, upLm, true},
        {U'a', upL, true},
        {U'A', upL, true},
        {0x130, upL, true},
        {0x1C5, upL, true},
        {0x2B0, upL, true},
        {U'1', upL, false},
        {U'1', upNd, true},
        {U'1', upN, true},
        {0x3042, upHiragana, true},
        {0x3042, upInHiragana, true},
        {0x309F, upInHiragana, true},
        {0x30A2, upHiragana, false},
        {0x30A2, upKatakana, true},
        {0x20BA, upCommon, true},
        {0x20BA, upSc, true},
        {0x20BA, upInCurrencySymbols, true},
        {0x061C, upunKnown, true},
        {0x061C, upCn, true},
        {0x061C, upC, true},
        {0x0870, upInBasicLatin, true},
        {0x0870, upInArabic, false},
        {U'A', upInBasicLatin, true},
        {0x0300, upInherited, true},
        {0x0300, upMn, true},
        {0x0300, upM, true},
        {0x4E00, upHan, true},
        {0x4E00, upInCJKUnifiedIdeographs, true},
        {0x1F600, upInEmoticons, true},
        {0x1F600, upSo, true},
        {0x10FFFF, upInSupplementaryPrivateUseAreaB, true},
        {0x10FFFF, upCn, true},
        {0xE000, upCo, true},
        {0xD800, upCs, true},
        {0xD800, upInHighSurrogates, true},
        {U'_', upPc, true},
        {U' ', upZs, true},
        {U' ', upZ, true},
        {0x2028, upZl, true},
        {0x110000, upCn, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HasProperty(c.Cp, c.Prop), c.Expected)
            << "U+" << std::hex << static_cast<unsigned>(c.Cp) << " " << c.Prop;
}

TEST(UnicodeProperty, WordCharacters) {
    for (char32_t cp :
         {U'a', U'Z', U'0', U'_', char32_t{0x3042}, char32_t{0x0300}, char32_t{0x203F}})
        EXPECT_TRUE(IsUnicodeWordChar(cp)) << std::hex << static_cast<unsigned>(cp);
    for (char32_t cp : {U' ', U'-', char32_t{0x3001}, char32_t{0x2160} /* Nl */, char32_t{0x061C}})
        EXPECT_FALSE(IsUnicodeWordChar(cp)) << std::hex << static_cast<unsigned>(cp);
}

TEST(UnicodeProperty, NamesResolveWithoutLetterCase) {
    EXPECT_EQ(FindUnicodeProperty(u"Lu"), upLu);
    EXPECT_EQ(FindUnicodeProperty(u"lu"), upLu);
    EXPECT_EQ(FindUnicodeProperty(u"L&"), upLC);
    EXPECT_EQ(FindUnicodeProperty(u"LC"), upLC);
    EXPECT_EQ(FindUnicodeProperty(u"L"), upL);
    EXPECT_EQ(FindUnicodeProperty(u"HIRAGANA"), upHiragana);
    EXPECT_EQ(FindUnicodeProperty(u"InHiragana"), upInHiragana);
    EXPECT_EQ(FindUnicodeProperty(u"unknown"), upunKnown);
    EXPECT_EQ(FindUnicodeProperty(u"ingreekandcoptic"), upInGreekandCoptic);
    EXPECT_EQ(FindUnicodeProperty(u"Foo"), std::nullopt);
    EXPECT_EQ(FindUnicodeProperty(u"IsHiragana"), std::nullopt);
    EXPECT_EQ(FindUnicodeProperty(u""), std::nullopt);
    // Every member round-trips through its name.
    for (int i = 0; i < kUnicodePropertyCount; ++i) {
        const auto prop = static_cast<TUnicodeProperty>(i);
        EXPECT_EQ(FindUnicodeProperty(UnicodePropertyName(prop)), prop) << i;
    }
    EXPECT_EQ(UnicodePropertyName(upKatakanaOrHiragana), u"KatakanaOrHiragana");
}

TEST(UnicodeProperty, PosixClasses) {
    EXPECT_TRUE(IsPosixAsciiMember(pckPunct, U'@', false));
    EXPECT_TRUE(IsPosixAsciiMember(pckPunct, U'`', false));
    EXPECT_FALSE(IsPosixAsciiMember(pckPunct, U'a', false));
    EXPECT_TRUE(IsPosixAsciiMember(pckWord, U'_', false));
    EXPECT_FALSE(IsPosixAsciiMember(pckLower, U'A', false));
    EXPECT_TRUE(IsPosixAsciiMember(pckLower, U'A', true));
    EXPECT_TRUE(IsPosixAsciiMember(pckSpacePerl, 0x0C, false));
    EXPECT_FALSE(IsPosixAsciiMember(pckSpacePerl, 0x0B, false));
    EXPECT_TRUE(IsPosixAsciiMember(pckCntrl, 0x7F, false));
    EXPECT_TRUE(IsPosixAsciiMember(pckAscii, 0x7F, false));
    EXPECT_FALSE(IsPosixAsciiMember(pckAscii, 0x80, false));

    EXPECT_TRUE(IsPosixUnicodeMember(pckPrint, 0x85, false));
    EXPECT_FALSE(IsPosixUnicodeMember(pckGraph, 0x85, false));
    EXPECT_FALSE(IsPosixUnicodeMember(pckGraph, 0x3000, false));
    EXPECT_TRUE(IsPosixUnicodeMember(pckGraph, 0x3042, false));
    EXPECT_TRUE(IsPosixUnicodeMember(pckUpper, 0xE9, true));
    EXPECT_FALSE(IsPosixUnicodeMember(pckUpper, 0xE9, false));
    EXPECT_TRUE(IsPosixUnicodeMember(pckSpaceHorizontal, 0x3000, false));
    EXPECT_TRUE(IsPosixUnicodeMember(pckSpaceVertical, 0x2029, false));
    EXPECT_FALSE(IsPosixUnicodeMember(pckXdigit, 0xFF21, false));
    EXPECT_FALSE(IsPosixUnicodeMember(pckAssigned, 0x061C, false));
    EXPECT_TRUE(IsPosixUnicodeMember(pckAlnum, 0x0660, false));
}

} // namespace
} // namespace zel
