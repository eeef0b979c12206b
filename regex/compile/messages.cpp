#include "regex/compile/messages.h"

#include <algorithm>
#include <array>
#include <utility>

namespace zel {

namespace {

struct MessageEntry {
    TREMessageId id;
    std::u16string_view text;
};

constexpr MessageEntry kMessages[] = {
    {TREMessageId::rmOptionAOverTwo, u"%s修飾子\"a\"が設定できるのは2個までです"},
    {TREMessageId::rmExecNotCalled, u"Execメソッドが実行されていません"},
    {TREMessageId::rmBraceUnmatched, u"%s { がマッチしません"},
    {TREMessageId::rmGroupIndexOutOfRange, u"グループ番号<%d>は範囲を越えています"},
    {TREMessageId::rmGroupNameNotExists, u"グループ名<%s>は存在しません"},
    {TREMessageId::rmConditionInvalid, u"%s条件式が不正です"},
    {TREMessageId::rmConditionTooManyBranches, u"条件構文の分岐が多すぎます"},
    {TREMessageId::rmExpressionUnterminated, u"%s正規表現が終了していません"},
    {TREMessageId::rmEscapeInvalid, u"%sエスケープ文字の書式が間違っています"},
    {TREMessageId::rmPosixOutsideClass, u"%sPOSIX文字クラスが使えるのは文字クラスの中だけです"},
    {TREMessageId::rmCalloutNumberRange, u"%sコールアウト番号は 0 から 255 までです"},
    {TREMessageId::rmRepeatNoTarget, u"%s繰り返す対象がありません"},
    {TREMessageId::rmConditionUnknown, u"%s条件式が認識できません"},
    {TREMessageId::rmVerbUnterminated, u"%sバックトラック制御記号が正しく終了していません"},
    {TREMessageId::rmNumberedReferenceNotAllowed,
     u"%sグループ番号では参照できません。グループ名を使ってください"},
    {TREMessageId::rmOctalNeedsBrace, u"%s\\o の次は { が必要です"},
    {TREMessageId::rmOctalNeedsCloseBrace, u"%s\\o の最後には } が必要です"},
    {TREMessageId::rmOctalDigitRequired, u"%s8進数が必要です"},
    {TREMessageId::rmOptionNotNegatable, u"%s無効にできない修飾子です"},
    {TREMessageId::rmOptionCaretNegation, u"%s\"(?^...)\"内では修飾子を無効にできません"},
    {TREMessageId::rmOptionAdluConflict, u"%s修飾子\"adlu\" は同時に設定できません"},
    {TREMessageId::rmGroupNumberMissing, u"%sグループ番号がありません"},
    {TREMessageId::rmGroupUnterminated, u"%sグループが終了していません"},
    {TREMessageId::rmParenUnmatched, u"%s ( がマッチしません"},
    {TREMessageId::rmOptionUnterminated, u"%sオプションの指定が終了していません"},
    {TREMessageId::rmPropertyUnknown, u"{%s} はプロパティではありません"},
    {TREMessageId::rmPropertyInvalid, u"%sプロパティが不正です"},
    {TREMessageId::rmPropertyUnterminated, u"%s ] がありません"},
    {TREMessageId::rmRepeatZeroLength, u"%s長さゼロの繰り返しはできません"},
    {TREMessageId::rmExpressionBadEnd, u"%s正規表現が正しく終了していません"},
    {TREMessageId::rmCharClassInvalid, u"%s不正な文字クラスです"},
    {TREMessageId::rmGoSubAmbiguousName, u"多重定義されたグループ名<%s>の部分式は呼び出せません"},
    {TREMessageId::rmReferenceUnavailable, u"グループ番号<%d>は参照できません"},
    {TREMessageId::rmGroupNameUnknown, u"存在しないグループ名<%s>を参照しています"},
    {TREMessageId::rmGroupNameBadChar, u"グループ名の中に不正な文字があります"},
    {TREMessageId::rmRecursionEndless, u"%s終了しないかもしない再帰があります"},
    {TREMessageId::rmBehindVariableLength, u"%s戻り読み内で可変長文字列は使えません"},
    {TREMessageId::rmExpressionUnknown, u"%s認識できない正規表現です"},
    {TREMessageId::rmHexDigitRequired, u"%s16進数が必要です"},
    {TREMessageId::rmCodePointRange, u"%sコードポイントの範囲を超えています"},
    {TREMessageId::rmAheadRepeat, u"先読みでの繰り返しは指定できません"},
    {TREMessageId::rmBracketUnmatched, u"%s [ がマッチしません"},
    {TREMessageId::rmBraceMissing, u"%s } がありません"},
    {TREMessageId::rmRepeatTooLarge, u"%s繰り返しの数が大きすぎます"},
    {TREMessageId::rmRepeatMinAboveMax, u"%s最大値より最小値のほうが大きいです"},
    {TREMessageId::rmPosixUnknown, u"[:%s:] はPOSIXクラスではありません"},
    {TREMessageId::rmCharRangeInvalid, u"文字クラスの範囲指定が違います [%s]"},
    {TREMessageId::rmGroupNameMissing, u"%sグループ名がありません"},
    {TREMessageId::rmStepLimitExceeded, u"照合の手順数が上限<%d>を超えました"},
};

static_assert(std::ranges::is_sorted(kMessages, {}, &MessageEntry::id));

// Replaces the first placeholder at or after `from`; answers the position after the argument.
std::size_t Fill(std::u16string& text, std::u16string_view placeholder, std::u16string_view arg,
                 std::size_t from = 0) {
    auto at = text.find(placeholder, from);
    if (at == std::u16string::npos)
        return text.size();
    text.replace(at, placeholder.size(), arg);
    return at + arg.size();
}

} // namespace

std::u16string_view RegExpMessage(TREMessageId id) {
    auto it = std::ranges::lower_bound(kMessages, id, {}, &MessageEntry::id);
    return it != std::end(kMessages) && it->id == id ? it->text : std::u16string_view{};
}

std::u16string_view RegExpMessage(int id) {
    return RegExpMessage(static_cast<TREMessageId>(id));
}

std::u16string FormatRegExpMessage(TREMessageId id, std::u16string_view arg) {
    std::u16string out(RegExpMessage(id));
    Fill(out, u"%s", arg);
    return out;
}

std::u16string FormatRegExpMessage(TREMessageId id, int arg) {
    std::u16string out(RegExpMessage(id));
    std::string digits = std::to_string(arg);
    Fill(out, u"%d", std::u16string(digits.begin(), digits.end()));
    return out;
}

std::u16string JoinCompileError(std::u16string_view text, std::u16string_view marked) {
    std::u16string out(sCompileErrorFormat);
    Fill(out, u"%s", marked, Fill(out, u"%s", text));
    return out;
}

std::u16string MarkErrorPosition(std::u16string_view pattern, int pos) {
    if (pos <= 0)
        return {};
    auto head = std::min<std::size_t>(static_cast<std::size_t>(pos), pattern.size());
    std::u16string out(pattern.substr(0, head));
    out += sErrorPosMarker;
    out += pattern.substr(head);
    return out;
}

} // namespace zel
