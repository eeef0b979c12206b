// FindText and the quick search against plain library searches over a few MB of mixed
// Japanese and ASCII text. Every benchmark counts all hits of its pattern in the whole text;
// after the run the ratios to the baselines are printed.
#include "regex/search/quick_search.h"
#include "regex/unicode/unicode_prop.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

using zel::TRECompareOptions;

const std::u16string& Text() {
    static const std::u16string text = [] {
        const std::u16string_view pieces[] = {u"今日は良い天気ですね。",
                                              u"カタカナのテキスト",
                                              u"ﾊﾝｶｸｶﾀｶﾅ",
                                              u"東京都千代田区",
                                              u"The quick brown fox ",
                                              u"jumps over the lazy dog. ",
                                              u"ＡＢＣ全角英字",
                                              u"ひらがなとカタカナ",
                                              u"Error code 42: ",
                                              u"ｶﾞｷﾞｸﾞ",
                                              u"\n"};
        std::mt19937 random(2024);
        std::u16string t;
        while (t.size() < 2'000'000)
            t += pieces[random() % std::size(pieces)];
        return t;
    }();
    return text;
}

// Patterns that are rare in the text, so that the search runs over all of it.
const std::u16string kAsciiPattern = u"lazy cat";
const std::u16string kJapanesePattern = u"東京都港区";

int CountFindText(const std::u16string& pattern, TRECompareOptions options) {
    const std::u16string& text = Text();
    const char16_t* p = text.data();
    const char16_t* end = p + text.size();
    int hits = 0;
    int len = 0;
    while (const char16_t* hit = zel::FindText(p, end, pattern.data(),
                                               static_cast<int>(pattern.size()), len, options)) {
        ++hits;
        p = hit + 1;
    }
    return hits;
}

int CountQuickSearch(const std::u16string& pattern, TRECompareOptions options) {
    const std::u16string& text = Text();
    zel::TREQuickSearch search;
    search.SetFindText(pattern);
    search.SetOptions(options);
    int hits = 0;
    for (bool found = search.Exec(text.data(), static_cast<int>(text.size())); found;
         found = search.ExecNext())
        ++hits;
    return hits;
}

int CountViewFind(const std::u16string& pattern) {
    const std::u16string_view text = Text();
    int hits = 0;
    for (std::size_t at = text.find(pattern); at != std::u16string_view::npos;
         at = text.find(pattern, at + 1))
        ++hits;
    return hits;
}

template <typename Searcher>
int CountSearcher(const Searcher& searcher) {
    const std::u16string& text = Text();
    int hits = 0;
    for (auto it = std::search(text.begin(), text.end(), searcher); it != text.end();
         it = std::search(it + 1, text.end(), searcher))
        ++hits;
    return hits;
}

int CountStdSearch(const std::u16string& pattern) {
    return CountSearcher(std::default_searcher(pattern.begin(), pattern.end()));
}

int CountHorspool(const std::u16string& pattern) {
    return CountSearcher(std::boyer_moore_horspool_searcher(pattern.begin(), pattern.end()));
}

int CountAsciiCaseSearch(const std::u16string& pattern) {
    const auto lower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? c + 0x20 : c; };
    return CountSearcher(
        std::default_searcher(pattern.begin(), pattern.end(),
                              [&](char16_t a, char16_t b) { return lower(a) == lower(b); }));
}

void Run(benchmark::State& state, const std::function<int()>& count) {
    Text();
    for (auto _ : state)
        benchmark::DoNotOptimize(count());
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(Text().size() * sizeof(char16_t)));
}

// Each benchmark with the baseline it is compared to.
const std::pair<const char*, const char*> kRatios[] = {
    {"QuickSearch/ascii/exact", "ViewFind/ascii"},
    {"QuickSearch/ascii/exact", "Horspool/ascii"},
    {"QuickSearch/japanese/exact", "ViewFind/japanese"},
    {"QuickSearch/japanese/exact", "StdSearch/japanese"},
    {"FindText/ascii/exact", "ViewFind/ascii"},
    {"FindText/ascii/ignorecase", "StdSearchAsciiCase/ascii"},
    {"QuickSearch/ascii/asciicase", "StdSearchAsciiCase/ascii"},
    {"QuickSearch/ascii/ignorecase", "StdSearchAsciiCase/ascii"},
    {"QuickSearch/japanese/width+kana", "ViewFind/japanese"},
};

class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        // With repetitions the median stands for the benchmark.
        for (const Run& run : runs) {
            if (run.aggregate_name.empty() || run.aggregate_name == "median")
                times_[run.run_name.str()] = run.GetAdjustedRealTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }
    void PrintRatios() const {
        std::printf("\nratio = time / baseline time (below 1: faster than the baseline)\n");
        for (const auto& [name, baseline] : kRatios)
            Print(name, baseline);
    }

private:
    void Print(const std::string& name, const std::string& baseline) const {
        const auto a = times_.find(name);
        const auto b = times_.find(baseline);
        if (a != times_.end() && b != times_.end())
            std::printf("%-34s vs %-26s %6.2f\n", name.c_str(), baseline.c_str(),
                        a->second / b->second);
    }
    std::map<std::string, double> times_;
};

void Register() {
    const TRECompareOptions none;
    const TRECompareOptions wk = TRECompareOptions{zel::coIgnoreWidth, zel::coIgnoreKana};
    const std::u16string asciiFolded = zel::ToCaseFold(kAsciiPattern, false);
    const std::u16string japaneseFolded = zel::ToKatakana(zel::ToFullWidth(kJapanesePattern));
    const auto add = [](const char* name, std::function<int()> count) {
        benchmark::RegisterBenchmark(name, [count](benchmark::State& s) {
            Run(s, count);
        })->Unit(benchmark::kMillisecond);
    };
    add("ViewFind/ascii", [] { return CountViewFind(kAsciiPattern); });
    add("ViewFind/japanese", [] { return CountViewFind(kJapanesePattern); });
    add("StdSearch/japanese", [] { return CountStdSearch(kJapanesePattern); });
    add("Horspool/ascii", [] { return CountHorspool(kAsciiPattern); });
    add("StdSearchAsciiCase/ascii", [] { return CountAsciiCaseSearch(kAsciiPattern); });
    add("FindText/ascii/exact", [=] { return CountFindText(kAsciiPattern, none); });
    add("FindText/ascii/ignorecase", [=] { return CountFindText(asciiFolded, zel::coIgnoreCase); });
    add("QuickSearch/ascii/exact", [=] { return CountQuickSearch(kAsciiPattern, none); });
    add("QuickSearch/japanese/exact", [=] { return CountQuickSearch(kJapanesePattern, none); });
    add("QuickSearch/ascii/asciicase",
        [=] { return CountQuickSearch(asciiFolded, zel::coIgnoreCase | zel::coASCIIOnly); });
    add("QuickSearch/ascii/ignorecase",
        [=] { return CountQuickSearch(asciiFolded, zel::coIgnoreCase); });
    add("QuickSearch/japanese/width+kana", [=] { return CountQuickSearch(japaneseFolded, wk); });
}

} // namespace

int main(int argc, char** argv) {
    Register();
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios();
    benchmark::Shutdown();
    return 0;
}
