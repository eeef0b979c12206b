#pragma once
// Phrases as the benchmarks' lists hold them: 20 to 60 characters built from pieces of
// everyday Japanese and English, the same sequence for the same seed.
#include <random>
#include <string>

namespace zel::bench {

inline std::u16string Phrase(std::mt19937& random) {
    static const std::u16string pieces[] = {
        u"お世話になっております。",
        u"ありがとうございます",
        u"[社内向け]",
        u"ご確認ください",
        u"Thanks a lot",
        u"Best regards",
        u" see you ",
        u"よろしくお願いいたします",
        u"◆見出し",
        u"ミーティング",
        u"invoice ",
        u"2024/05/01",
        u"明日の件",
        u"ｶﾀｶﾅ",
        u"Meeting at 10:30",
        u"資料を送付します",
    };
    const size_t length = 20 + random() % 41;
    std::u16string phrase;
    while (phrase.size() < length)
        phrase += pieces[random() % std::size(pieces)];
    phrase.resize(length);
    return phrase;
}

} // namespace zel::bench
