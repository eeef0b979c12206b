// The search field's filter pass over long phrase lists: one keystroke runs it twice (the
// condition, then the filter switched on), over 100,000 and 1,000,000 phrases of 20 to 60
// characters of mixed Japanese and ASCII. Beside it, grep -F -i -c over the same lines in a
// file, once per list size. Also the wildcard match with many stars over a long item, and one
// item matched on its own.
#include "bench/phrases.h"
#include "listbox/filter_pattern.h"
#include "listbox/list_model.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <random>
#include <string>

namespace {

using namespace zel;

FilterListModel& List(int count) {
    static std::map<int, std::unique_ptr<FilterListModel>> lists;
    auto& list = lists[count];
    if (!list) {
        list = std::make_unique<FilterListModel>();
        std::mt19937 random(42);
        WithinUpdate(list->Items(), [&] {
            for (int i = 0; i < count; ++i)
                list->Items().Add()->SetText(bench::Phrase(random));
        });
    }
    return *list;
}

LocaleData Locale() {
    LocaleData locale;
    PrepareCaseTable(locale);
    return locale;
}

// One keystroke in filter style: the pass for the new condition and the pass when the filter
// is switched on again. Second argument 1: hiragana as katakana and full width as half width.
void BM_Keystroke(benchmark::State& state, const char16_t* typed) {
    FilterListModel& list = List(static_cast<int>(state.range(0)));
    const LocaleData locale = Locale();
    const bool folds = state.range(1) != 0;
    const TextFolder folder(locale.CaseTable, folds, folds);
    for (auto _ : state) {
        for (int pass = 0; pass < 2; ++pass) {
            TFilterMatcher matcher(BuildFilterPattern(TFilterMethod::fmContains, typed), folder,
                                   locale);
            list.ApplyFilter(matcher);
        }
        benchmark::DoNotOptimize(list.FilterItems());
    }
    state.counters["matches"] = list.FilterItems();
}
void KeystrokeArguments(benchmark::internal::Benchmark* bench) {
    bench->ArgNames({"phrases", "kana_width"})->Unit(benchmark::kMillisecond);
    for (int folds : {0, 1})
        for (int phrases : {100000, 1000000})
            bench->Args({phrases, folds});
}
BENCHMARK_CAPTURE(BM_Keystroke, rare_japanese, u"明日の件ミーティング")->Apply(KeystrokeArguments);
BENCHMARK_CAPTURE(BM_Keystroke, hiragana_for_katakana, u"みーてぃんぐ")->Apply(KeystrokeArguments);
BENCHMARK_CAPTURE(BM_Keystroke, common_ascii, u"a")->Apply(KeystrokeArguments);
BENCHMARK_CAPTURE(BM_Keystroke, no_match, u"zq")->Apply(KeystrokeArguments);

// grep -F -i -c over the same phrases as a UTF-8 file: the whole run, for comparison.
void BM_GrepWholeRun(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    FilterListModel& list = List(count);
    const std::string path = "/tmp/zel_filter_bench_" + std::to_string(count) + ".txt";
    {
        std::ofstream file(path, std::ios::binary);
        for (int i = 0; i < list.Items().Count(); ++i) {
            for (char16_t c : list.Items()[i]->Text()) {
                if (c < 0x80) {
                    file.put(static_cast<char>(c));
                } else if (c < 0x800) {
                    file.put(static_cast<char>(0xC0 | c >> 6));
                    file.put(static_cast<char>(0x80 | (c & 0x3F)));
                } else {
                    file.put(static_cast<char>(0xE0 | c >> 12));
                    file.put(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
                    file.put(static_cast<char>(0x80 | (c & 0x3F)));
                }
            }
            file.put('\n');
        }
    }
    // Not to /dev/null: grep then stops at the first match.
    const std::string command = "LC_ALL=C.UTF-8 grep -F -i -c a " + path + " > " + path + ".count";
    for (auto _ : state)
        if (std::system(command.c_str()) != 0)
            state.SkipWithError("grep failed");
    std::remove(path.c_str());
    std::remove((path + ".count").c_str());
}
BENCHMARK(BM_GrepWholeRun)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// Many stars over a long item: bounded, not exponential.
void BM_ManyStars(benchmark::State& state) {
    std::u16string item(10000, u'x');
    item[20] = u'a';
    item[5000] = u'b';
    for (auto _ : state) {
        benchmark::DoNotOptimize(MatchWildcard(u"*a*b*c*d*e*", item));
        benchmark::DoNotOptimize(MatchWildcard(u"*a*!b*c*d*e*", item));
    }
}
BENCHMARK(BM_ManyStars)->Unit(benchmark::kMicrosecond);

// One item matched on its own, as a program calls it per text: the folding tables are shared,
// not made again for each call.
void BM_SingleMatch(benchmark::State& state) {
    const LocaleData locale = Locale();
    for (auto _ : state)
        benchmark::DoNotOptimize(MatchFilter(u"*ｶﾞｲﾄﾞ*", u"Guide: ガイドブック", false, locale));
}
BENCHMARK(BM_SingleMatch)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
