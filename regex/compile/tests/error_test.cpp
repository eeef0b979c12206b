#include <gtest/gtest.h>

#include "regex/compile/tests/compile_helpers.h"

namespace zel {
namespace {

struct ErrorCase {
    const char16_t* pattern;
    const char8_t* message;
};

// Every compile error: the message with its token text, then the pattern marked after the
// character at which the error was found.
const ErrorCase kErrors[] = {
    {u"ab\\x4g", u8"\\x4g...16進数が必要です; ab\\x4g <-- "},
    {u"a)", u8")... ( がマッチしません; a) <-- "},
    {u"[z-a]", u8"文字クラスの範囲指定が違います [z-a]; [z-a <-- ]"},
    {u"(?<n>a)\\k<m>", u8"存在しないグループ名<m>を参照しています; (?<n>a)\\k<m> <-- "},
    {u"(?aaa)", u8"(?aaa...修飾子\"a\"が設定できるのは2個までです; (?aaa <-- )"},
    {u"a{2", u8"{2... { がマッチしません; a{2 <-- "},
    {u"(a)\\k<2>", u8"グループ番号<2>は参照できません; (a)\\k<2> <-- "},
    {u"(?(x)a)", u8"(x...条件式が不正です; (?(x <-- )a)"},
    {u"(?(?=a)a|b|c)", u8"条件構文の分岐が多すぎます; (?(?=a)a|b|c <-- )"},
    {u"(?(DEFINE)a|b)", u8"条件構文の分岐が多すぎます; (?(DEFINE)a|b <-- )"},
    {u"\\k<1", u8"\\k<1...正規表現が終了していません; \\k<1 <-- "},
    {u"\\cA\\c1", u8"\\c1...エスケープ文字の書式が間違っています; \\cA\\c1 <-- "},
    {u"[:alpha:]",
     u8"[:alpha:...POSIX文字クラスが使えるのは文字クラスの中だけです; [:alpha: <-- ]"},
    {u"(?C256)", u8"(?C256)...コールアウト番号は 0 から 255 までです; (?C256) <-- "},
    {u"*a", u8"*a...繰り返す対象がありません; *a <-- "},
    {u"a**", u8"*...繰り返す対象がありません; a** <-- "},
    {u"(?(1x)a)", u8"(?(1x...)条件式が認識できません; (?(1x <-- )a)"},
    {u"(*FOO)", u8"(*FO...バックトラック制御記号が正しく終了していません; (*FO <-- O)"},
    {u"(*ACCEPT:x)",
     u8"(*ACCEPT:...バックトラック制御記号が正しく終了していません; (*ACCEPT: <-- x)"},
    {u"\\o101", u8"\\o1...\\o の次は { が必要です; \\o1 <-- 01"},
    {u"\\o{101", u8"\\o{101...\\o の最後には } が必要です; \\o{101 <-- "},
    {u"(?-u)", u8"(?-u...無効にできない修飾子です; (?-u <-- )"},
    {u"(?^-i)", u8"(?^-...\"(?^...)\"内では修飾子を無効にできません; (?^- <-- i)"},
    {u"(?ad)", u8"(?ad...修飾子\"adlu\" は同時に設定できません; (?ad <-- )"},
    {u"\\g", u8"\\g...グループ番号がありません; \\g <-- "},
    {u"(?<n", u8"(?<n...グループが終了していません; (?<n <-- "},
    {u"(a", u8" ( がマッチしません; (a <-- "},
    {u"(?i", u8"(?i...オプションの指定が終了していません; (?i <-- "},
    {u"\\p{Foo}", u8"{Foo} はプロパティではありません; \\p{Foo} <-- "},
    {u"\\pC", u8"\\pC...プロパティが不正です; \\pC <-- "},
    {u"\\p{Lu", u8"\\p{Lu... ] がありません; \\p{Lu <-- "},
    {u"\\b+", u8"+...長さゼロの繰り返しはできません; \\b+ <-- "},
    {u"a\\", u8"\\...正規表現が正しく終了していません; a\\ <-- "},
    {u"[]a]", u8"]a...不正な文字クラスです; []a <-- ]"},
    {u"(?&n)(?<n>a)(?<n>b)",
     u8"多重定義されたグループ名<n>の部分式は呼び出せません; (?&n)( <-- ?<n>a)(?<n>b)"},
    {u"(a)\\g{2}", u8"グループ番号<2>は参照できません; (a)\\g{2} <-- "},
    {u"\\g-1", u8"グループ番号<-1>は参照できません; \\g-1 <-- "},
    {u"(?<n!>a)", u8"グループ名の中に不正な文字があります; (?<n! <-- >a)"},
    {u"(?<=a+)", u8")...戻り読み内で可変長文字列は使えません; (?<=a+) <-- "},
    {u"(a)(?<=\\1)", u8")...戻り読み内で可変長文字列は使えません; (a)(?<=\\1) <-- "},
    {u"(?q)", u8"(?q...認識できない正規表現です; (?q <-- )"},
    {u"\\x{110000}", u8"\\x{110000}...コードポイントの範囲を超えています; \\x{110000} <-- "},
    {u"(?=a)*", u8"先読みでの繰り返しは指定できません; (?=a)* <-- "},
    {u"[ab", u8" [ がマッチしません; [ab <-- "},
    {u"\\Qabc", u8" [ がマッチしません; \\Qabc <-- "},
    {u"\\x{1234567}", u8"\\x{1234567... } がありません; \\x{1234567 <-- }"},
    {u"a{40000}", u8"{40000}...繰り返しの数が大きすぎます; a{40000} <-- "},
    {u"a{5,3}", u8"{5,3}...最大値より最小値のほうが大きいです; a{5,3} <-- "},
    {u"[[:foo:]]", u8"[:foo:] はPOSIXクラスではありません; [[:foo: <-- ]]"},
    {u"(?Px)", u8"(?Px...)グループ名がありません; (?Px <-- )"},
    {u"(?(1)a|b|c)", u8"|c... ( がマッチしません; (?(1)a|b|c <-- )"},
    {u"(?-1)", u8"グループ番号<-1>は範囲を越えています"},
    {u"(?<n>a)(?<n>b)(?&n)",
     u8"多重定義されたグループ名<n>の部分式は呼び出せません; (?<n>a)(?<n>b)(?&n) <-- "},
    {u"(?&m)", u8"存在しないグループ名<m>を参照しています; (?&m) <-- "},
    {u"[a-\\d", u8" [ がマッチしません; [a-\\d <-- "},
    {u"[[:alpha:x]]", u8"[:alpha:x... [ がマッチしません; [[:alpha:x <-- ]]"},
    {u"(?n)(a)\\1",
     u8"\\1グループ番号では参照できません。グループ名を使ってください; (?n)(a)\\1 <-- "},
};

TEST(CompileErrorTest, MessagesAndMarkedPatterns) {
    for (const auto& c : kErrors) {
        SCOPED_TRACE(Utf16ToUtf8(c.pattern));
        EXPECT_EQ(test::CompileError(c.pattern), reinterpret_cast<const char*>(c.message));
    }
}

TEST(CompileErrorTest, RelativeCallBeforeTheFirstGroupIsARuntimeError) {
    EXPECT_THROW(test::CompilePattern(u"(?-1)"), EZelRegExpRuntime);
}

TEST(CompileErrorTest, MessageTable) {
    EXPECT_EQ(RegExpMessage(65096), u"%s正規表現が正しく終了していません");
    EXPECT_EQ(RegExpMessage(65061), u"");
    EXPECT_EQ(FormatRegExpMessage(TREMessageId::rmGroupIndexOutOfRange, -3),
              u"グループ番号<-3>は範囲を越えています");
    EXPECT_EQ(MarkErrorPosition(u"abc", 0), u"");
    EXPECT_EQ(MarkErrorPosition(u"abc", 1), u"a <-- bc");
    // A value holding "%s" is not filled a second time.
    EXPECT_EQ(JoinCompileError(u"%s", u"x"), u"%s; x");
}

} // namespace
} // namespace zel
