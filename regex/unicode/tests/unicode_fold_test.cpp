// The folding reader, the converters and the comparison primitives.
#include "regex/unicode/unicode_prop.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zel {
namespace {

const TRECompareOptions kCase = coIgnoreCase;
const TRECompareOptions kWidth = coIgnoreWidth;
const TRECompareOptions kKana = coIgnoreKana;

struct ReadStep {
    char32_t Ch;
    int Len;
};

// Reads the whole text with FoldRead and records every step.
std::vector<ReadStep> ReadAll(std::u16string_view text, TRECompareOptions options) {
    std::vector<ReadStep> steps;
    TUnicodeMultiChar pending;
    const char16_t* p = text.data();
    const char16_t* end = p + text.size();
    while (p < end || pending.Count > 0) {
        int len = 0;
        const char32_t ch = FoldRead(p, end, len, options, pending);
        steps.push_back({ch, len});
        p += len;
    }
    return steps;
}

std::u16string Steps(const std::vector<ReadStep>& steps) {
    std::u16string out;
    for (const auto& s : steps) {
        AppendChar(out, s.Ch);
        out += static_cast<char16_t>(u'0' + s.Len);
    }
    return out;
}

TEST(FoldRead, ReadsOneRepresentativePerCharacter) {
    struct Case {
        const char* Name;
        std::u16string Text;
        TRECompareOptions Options;
        std::u16string Expected; // each folded character followed by its Len
    };
    const Case cases[] = {
        {"sharp s", u"\u00DF", kCase, u"s0s1"},
        {"U+0390", u"\u0390", kCase, u"\u03B90\u03080\u03011"},
        {"Kelvin", u"\u212A", kCase, u"k1"},
        {"dotted I", u"\u0130", kCase, u"i1"},
        {"I", u"I", kCase, u"i1"},
        {"ASCII only keeps sharp s", u"\u00DFA", coIgnoreCase | coASCIIOnly, u"\u00DF1a1"},
        {"surrogate pair", u"\U00010400", kCase, u"\U000104282"},
        {"no options", u"A\u00DF", {}, u"A1\u00DF1"},
        {"full-width A", u"A\uFF21", kWidth, u"\uFF211\uFF211"},
        {"space", u" ", kWidth, u"\u30001"},
        {"backslash stays", u"\\", kWidth, u"\\1"},
        {"ga", u"\uFF76\uFF9E", kWidth, u"\u30AC2"},
        {"a absorbs its mark", u"\uFF71\uFF9E", kWidth, u"\u30A22"},
        {"pa", u"\uFF8A\uFF9F", kWidth, u"\u30D12"},
        {"plain ka", u"\uFF76x", kWidth, u"\u30AB1\uFF581"},
        {"mark alone", u"\uFF9E", kWidth, u"\u30991"},
        {"kana", u"\u3042\u30A2", kKana, u"\u30A21\u30A21"},
        {"case and width", u"A\u00DF", kCase | kWidth, u"\uFF411\uFF530\uFF531"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Steps(ReadAll(c.Text, c.Options)), c.Expected) << c.Name;
}

TEST(FoldRead, SoundMarkBeyondTheEndIsNotRead) {
    const std::u16string text = u"\uFF76\uFF9E";
    TUnicodeMultiChar pending;
    int len = 0;
    EXPECT_EQ(FoldRead(text.data(), text.data() + 1, len, kWidth, pending), 0x30ABu);
    EXPECT_EQ(len, 1);
}

TEST(Converters, CaseWidthAndKana) {
    EXPECT_EQ(ToCaseFold(u"STRASSE", false), u"strasse");
    EXPECT_EQ(ToCaseFold(u"Stra\u00DFe", false), u"strasse");
    EXPECT_EQ(ToCaseFold(u"Stra\u00DFe", true), u"stra\u00DFe");
    EXPECT_EQ(ToCaseFold(u"\u0390\u0130\U00010400", false), u"\u03B9\u0308\u0301i\U00010428");
    EXPECT_EQ(ToHalfWidth(u"\u30AC"), u"\uFF76\uFF9E");
    EXPECT_EQ(ToFullWidth(u"\uFF76\uFF9E"), u"\u30AC");
    EXPECT_EQ(ToHalfWidth(u"\uFFE5"), u"\\");
    EXPECT_EQ(ToHalfWidth(u"\u30F8\u30FE\u30D1\u3000\uFF21\uFF3C"),
              u"\u30F0\uFF9E\u30FD\uFF9E\uFF8A\uFF9F A\uFF3C");
    EXPECT_EQ(ToHalfWidth(u"\u304C\u309B\u309C\u3099"), u"\u304C\uFF9E\uFF9F\uFF9E");
    EXPECT_EQ(ToFullWidth(u"A \\\uFF71\uFF9E\uFF73\uFF9E\uFF8A\uFF9F\u309B"),
              u"\uFF21\u3000\\\u30A2\u30F4\u30D1\u3099");
    EXPECT_EQ(ToKatakana(u"\u3041\u3096\u3097\u309D\u309F\u30A2"),
              u"\u30A1\u30F6\u3097\u30FD\u309F\u30A2");
    EXPECT_EQ(ToHiragana(u"\u30A1\u30F6\u30F7\u30FE\u30FF\u3042"),
              u"\u3041\u3096\u30F7\u309E\u30FF\u3042");
}

struct CompareCase {
    const char* Name;
    std::u16string Subject;
    std::u16string Pattern; // already folded
    TRECompareOptions Options;
    int LenA; // -1: no match
};

TEST(Compare, UnitsConsumedOnEachSide) {
    const CompareCase cases[] = {
        {"sharp s against ss", u"\u00DFx", u"ss", kCase, 1},
        {"sharp s cut in the middle", u"\u00DF", u"s", kCase, -1},
        {"both sides are folded", u"STRASSE", u"stra\u00DFe", kCase, 7},
        {"Kelvin", u"\u212A", u"k", kCase, 1},
        {"subject too short", u"ab", u"abc", kCase, -1},
        {"U+0390 whole", u"\u0390!", u"\u03B9\u0308\u0301", kCase, 1},
        {"surrogates", u"\U00010400", u"\U00010428", kCase, 2},
        {"ga in half width", u"\uFF76\uFF9E\uFF9D", u"\u30AC\u30F3", kWidth, 3},
        {"a with mark absorbed", u"\uFF71\uFF9E", u"\u30A2", kWidth, 2},
        {"width and case", u"AbC", u"\uFF41\uFF42\uFF43", kCase | kWidth, 3},
        {"ascii run then a folded sharp s", u"AbC\u00DFd", u"abcssd", kCase, 5},
        {"ascii run differing by case alone", u"AbX", u"abc", kCase, -1},
        {"kana", u"\u3042\u304B", u"\u30A2\u30AB", kKana, 2},
        {"kana mismatch", u"\u3042\u304C", u"\u30A2\u30AB", kKana, -1},
        {"case width kana sharp s", u"\u00DF\u3042", u"\uFF53\uFF53\u30A2", kCase | kWidth | kKana,
         2},
        {"nul is an ordinary character", std::u16string(u"a\0b", 3), std::u16string(u"a\0c", 3),
         kWidth, -1},
    };
    for (const auto& c : cases) {
        int lenA = 99;
        const char16_t* a = c.Subject.data();
        const int pn = static_cast<int>(c.Pattern.size());
        const int diff =
            c.Options == kCase
                ? CaseCompare(a, a + c.Subject.size(), c.Pattern.data(), pn, lenA)
                : FoldCompare(a, a + c.Subject.size(), c.Pattern.data(), pn, lenA, c.Options);
        if (c.LenA < 0) {
            EXPECT_NE(diff, 0) << c.Name;
            EXPECT_EQ(lenA, 0) << c.Name;
        } else {
            EXPECT_EQ(diff, 0) << c.Name;
            EXPECT_EQ(lenA, c.LenA) << c.Name;
        }
    }
}

TEST(Compare, FindTextChoosesTheComparisonByOptions) {
    struct Case {
        const char* Name;
        std::u16string Text;
        std::u16string Pattern;
        TRECompareOptions Options;
        int Pos; // -1: none
        int Len;
    };
    const Case cases[] = {
        {"exact", u"xxABab", u"ab", {}, 4, 2},
        {"exact misses", u"xxAB", u"ab", {}, -1, 0},
        {"ascii case", u"xxAB\u212A", u"ab", coIgnoreCase | coASCIIOnly, 2, 2},
        {"ascii case does not fold Kelvin", u"\u212A", u"k", coIgnoreCase | coASCIIOnly, -1, 0},
        {"full case", u"xx\u212A", u"k", kCase, 2, 1},
        {"full case sharp s", u"a\u00DFb", u"ssb", kCase, 1, 2},
        {"width", u"-\uFF76\uFF9E", u"\u30AC", kWidth, 1, 2},
        {"kana", u"--\u3042", u"\u30A2", kKana, 2, 1},
        {"pattern longer than text", u"a", u"ab", {}, -1, 0},
        {"not inside a pair", u"\U00010400", u"\xDC00", {}, -1, 0},
    };
    for (const auto& c : cases) {
        int len = -1;
        const char16_t* t = c.Text.data();
        const char16_t* hit = FindText(t, t + c.Text.size(), c.Pattern.data(),
                                       static_cast<int>(c.Pattern.size()), len, c.Options);
        EXPECT_EQ(hit ? static_cast<int>(hit - t) : -1, c.Pos) << c.Name;
        if (hit) {
            EXPECT_EQ(len, c.Len) << c.Name;
        }
    }
}

TEST(Compare, SkipCombiningStepsOverSequences) {
    const std::u16string text = u"e\u0301\u0302x\U00010400\u0301\u0301!";
    const char16_t* p = text.data();
    const char16_t* end = p + text.size();
    EXPECT_EQ(SkipCombining(p, end, 1) - p, 3);
    EXPECT_EQ(SkipCombining(p, end, 2) - p, 4);
    EXPECT_EQ(SkipCombining(p, end, 3) - p, 8);
    EXPECT_EQ(SkipCombining(p, end, 9), end);
    // A mark with no base is a sequence of its own, so the walk always advances.
    EXPECT_EQ(SkipCombining(p + 1, end, 1) - p, 3);
}

} // namespace
} // namespace zel
