// The reverse folding: the units at which a character folding to a given one may begin.
#include "regex/search/first_units.h"
#include "regex/search/tests/folding_cases.h"

#include "regex/unicode/unicode_prop.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <vector>

namespace zel {
namespace {

// Every unit outside the surrogates read with FoldRead alone and before each sound mark.
std::map<char32_t, std::set<char16_t>> FirstFoldsOfAllUnits(TRECompareOptions options) {
    std::map<char32_t, std::set<char16_t>> firsts;
    for (char32_t unit = 0; unit <= 0xFFFF; ++unit) {
        if (unit >= 0xD800 && unit <= 0xDFFF)
            continue;
        for (const char16_t next : {u'\0', u'\uFF9E', u'\uFF9F'}) {
            const char16_t text[2] = {static_cast<char16_t>(unit), next};
            TUnicodeMultiChar pending;
            int len = 0;
            firsts[FoldRead(text, text + (next ? 2 : 1), len, options, pending)].insert(text[0]);
        }
    }
    return firsts;
}

TEST(FirstUnits, AreExactlyTheUnitsWhoseFoldBeginsWithTheTarget) {
    for (const TRECompareOptions options : kCompareOptionSets) {
        for (const auto& [target, units] : FirstFoldsOfAllUnits(options)) {
            if (target >= 0xD800 && target <= 0xDFFF)
                continue;
            const auto found = FirstUnitsOf(target, options);
            ASSERT_TRUE(found.has_value());
            ASSERT_EQ(std::set<char16_t>(found->begin(), found->end()), units)
                << "target " << std::hex << uint32_t(target) << " options "
                << int(options.ToBits());
        }
    }
}

TEST(FirstUnits, NamedFoldings) {
    struct Case {
        char32_t Target;
        TRECompareOptions Options;
        char16_t Unit;
        bool Included;
    };
    const Case cases[] = {
        {U'k', coIgnoreCase, 0x212A, true},                // Kelvin sign
        {U'k', coIgnoreCase | coASCIIOnly, 0x212A, false}, // ASCII case only
        {U'k', coIgnoreCase | coASCIIOnly, u'K', true},
        {U's', coIgnoreCase, 0x017F, true},    // long s
        {U's', coIgnoreCase, 0x00DF, true},    // sharp s folds to "ss"
        {U's', coIgnoreCase, 0x1E9E, true},    // capital sharp s
        {U's', {}, u'S', false},               // no folding
        {0x30AC, coIgnoreWidth, 0xFF76, true}, // half-width KA before a voiced mark
        {0x30AC, coIgnoreKana, 0x304C, true},  // hiragana GA
        {0x30AC, coIgnoreKana, 0xFF76, false},
        {0xFF4B, TRECompareOptions{coIgnoreCase, coIgnoreWidth}, 0x212A, true},
        {0x10428, coIgnoreCase, 0xD801, true}, // Deseret: any high surrogate may begin it
        {0x10428, {}, 0xD801, true},
        {0x10428, {}, 0xD800, false},
    };
    for (const Case& c : cases) {
        const auto units = FirstUnitsOf(c.Target, c.Options);
        ASSERT_TRUE(units.has_value());
        EXPECT_EQ(std::find(units->begin(), units->end(), c.Unit) != units->end(), c.Included)
            << std::hex << uint32_t(c.Target) << " " << uint32_t(c.Unit);
    }
    EXPECT_FALSE(FirstUnitsOf(0xDC00, {}).has_value());
}

// The sets of BMP targets hold no surrogates: this holds because case folding keeps
// supplementary characters above U+FFFF.
TEST(FirstUnits, SupplementaryCharactersFoldAmongThemselves) {
    for (char32_t cp = 0x10000; cp <= 0x10FFFF; ++cp) {
        const TUnicodeMultiChar fold = CaseFold(cp);
        ASSERT_GE(fold.Chars[static_cast<std::size_t>(fold.Count - 1)], 0x10000u)
            << std::hex << uint32_t(cp);
    }
}

TEST(FirstUnits, FoldsAlone) {
    EXPECT_TRUE(FoldsAlone(u'a', coIgnoreCase));
    EXPECT_TRUE(FoldsAlone(0x212A, coIgnoreCase));
    EXPECT_FALSE(FoldsAlone(0x00DF, coIgnoreCase));
    EXPECT_TRUE(FoldsAlone(0x00DF, coIgnoreCase | coASCIIOnly));
    EXPECT_FALSE(FoldsAlone(0xFF76, coIgnoreWidth));
    EXPECT_TRUE(FoldsAlone(0xFF76, coIgnoreKana));
    EXPECT_FALSE(FoldsAlone(0xD801, {}));
}

} // namespace
} // namespace zel
