// Our regex engine against the peer engines, in one process over the same text: every engine
// counts all matches of each pattern in the whole corpus. After the runs a table gives per
// pattern each engine's time and our ratio to it (below 1: we are faster), the geometric means
// of the ratios, every count that disagrees with ours, and our compile time per pattern.
//
// Usage: regex_peer_bench [benchmark flags] leipzig|japanese|everyday CORPUS_FILE
// (bench/prepare_corpora.sh writes the corpora; bench/README.md has the figures.)
#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "core/utf8.h"
#include "peers/peer_engine.h"
#include "peers/wide_text.h"
#include "regex/zelregexp/zel_regexp.h"

namespace zel::bench {
namespace {

// The "leipzig" set over English text.
const std::vector<TBenchPattern> kLeipzig = {
    {u"Twain"},
    {u"(?i)Twain"},
    {u"[a-z]shing"},
    {u"Huck[a-zA-Z]+|Saw[a-zA-Z]+"},
    {u"\\b\\w+nn\\b"},
    {u"[a-q][^u-z]{13}x"},
    {u"Tom|Sawyer|Huckleberry|Finn"},
    {u"(?i)Tom|Sawyer|Huckleberry|Finn"},
    {u".{0,2}(Tom|Sawyer|Huckleberry|Finn)"},
    {u".{2,4}(Tom|Sawyer|Huckleberry|Finn)"},
    {u"Tom.{10,25}river|river.{10,25}Tom"},
    {u"[a-zA-Z]+ing"},
    {u"\\s[a-zA-Z]{0,12}ing\\s"},
    {u"([A-Za-z]awyer|[A-Za-z]inn)\\s"},
    {u"[\"'][^\"']{0,30}[?!\\.][\"']"},
    {u"\u221E|\u2713"},
    {u"\\p{Sm}"},
    {u"(.*?,){13}z"},
};

// The Japanese set over edict; the last two use options that only our engine has.
const std::vector<TBenchPattern> kJapanese = {
    {u"東京"},
    {u"(?i)ｃｄ"},
    {u"東京|大阪|京都|名古屋|横浜|札幌|神戸"},
    {u"[ァ-ヶー]+"},
    {u"[ぁ-ん]+です"},
    {u"\\p{Han}{2,}"},
    {u"[一-龠]+[ぁ-ん]"},
    {u"(?w)ｺﾝﾋﾟｭｰﾀ", true},
    {u"(?k)こんぴゅーた", true},
};

// Everyday patterns of the kinds users write, chosen without looking at how we do on them:
// back-references, word boundaries with case folding, class runs with many matches,
// end-of-line anchors, lookbehind, long literal alternations, POSIX classes, multi-line
// anchors. Meant for English text; over other text they measure how we do without hits.
const std::vector<TBenchPattern> kEveryday = {
    {u"(\\b\\w+\\b)\\W+\\1"},
    {u"(\\w+)x\\1"},
    {u"\\b(\\w+)\\s+\\1\\b"},
    {u"(?i)\\bthe\\b"},
    {u"(?i)\\b(?:lord|god)\\b"},
    {u"(?i)\\w+ness\\b"},
    {u"[etaoin]{2,}"},
    {u"[a-z]+"},
    {u"\\([^)]*\\)"},
    {u"[,!?]\\s*$"},
    {u"(?m)[,;:]\\s*$"},
    {u"(?m)^.{60,}$"},
    {u"(?<=\\bthe )\\w+"},
    {u"(?<![A-Za-z])[A-Z][a-z]+eth\\b"},
    {u"\\b(?:Jerusalem|Babylon|Egypt|Israel|Judah|Samaria|Damascus|Nineveh|Jordan|Sinai)\\b"},
    {u"(?i)abraham|isaac|jacob|joseph|moses|aaron|david|solomon"},
    {u"(?i)\\b(?:art|even|into|over|unto)\\b"},
    {u"(?i)and\\s+the"},
    {u"[[:upper:]][[:lower:]]+"},
    {u"[[:punct:]]+"},
    {u"(?m)^\\s*\\d+ \\w+"},
    {u"(?m)^[A-Z][a-z]+ \\d+$"},
    {u"\\w+eth\\b"},
    {u"(?m)\\s+$"},
};

// Keeps each benchmark's mean real time (ms) besides printing the usual lines.
class TTableReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration && !run.error_occurred) {
                auto& [sum, n] = FTimes[run.benchmark_name()];
                sum += run.GetAdjustedRealTime();
                ++n;
            }
        ConsoleReporter::ReportRuns(runs);
    }
    // Mean time in ms, negative when the benchmark did not run.
    double Time(const std::string& name) const {
        const auto it = FTimes.find(name);
        return it == FTimes.end() ? -1 : it->second.first / it->second.second;
    }

private:
    std::map<std::string, std::pair<double, int>> FTimes;
};

std::string Key(std::size_t pattern, const std::string& engine) {
    return "p" + std::to_string(pattern) + "/" + engine;
}

double CompileMicroseconds(std::u16string_view pattern) {
    const auto start = std::chrono::steady_clock::now();
    TZelRegExp regExp(pattern);
    regExp.Compile();
    return std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
        .count();
}

void PrintTable(const std::vector<TBenchPattern>& patterns, const TTableReporter& reporter,
                const std::map<std::string, std::int64_t>& counts) {
    const auto& peers = PeerRegistry();
    std::printf("\n%-3s %12s %10s", "#", "matches", "zel ms");
    for (std::size_t e = 1; e < peers.size(); ++e)
        std::printf(" %20s", (peers[e].Name + " ms (zel/it)").c_str());
    std::printf(" %10s  pattern\n", "compile us");
    std::vector<double> logSum(peers.size(), 0);
    std::vector<int> logCount(peers.size(), 0);
    std::vector<std::string> disagreements;
    for (std::size_t p = 0; p < patterns.size(); ++p) {
        const double ours = reporter.Time(Key(p, peers[0].Name));
        if (ours < 0)
            continue; // filtered out
        const std::int64_t ourCount = counts.at(Key(p, peers[0].Name));
        std::printf("%-3zu %12lld %10.2f", p + 1, static_cast<long long>(ourCount), ours);
        for (std::size_t e = 1; e < peers.size(); ++e) {
            const std::string key = Key(p, peers[e].Name);
            const double time = reporter.Time(key);
            if (time < 0) {
                std::printf(" %20s", "-");
                continue;
            }
            const std::int64_t count = counts.at(key);
            if (count != ourCount)
                disagreements.push_back("#" + std::to_string(p + 1) + " " + peers[e].Name + ": " +
                                        (count < 0 ? "gave up" : std::to_string(count)));
            char cell[64];
            std::snprintf(cell, sizeof cell, "%.2f (%.2f)", time, ours / time);
            std::printf(" %20s", cell);
            if (count >= 0 && ours > 0) {
                logSum[e] += std::log(ours / time);
                ++logCount[e];
            }
        }
        std::printf(" %10.0f  %s\n", CompileMicroseconds(patterns[p].Text),
                    Utf16ToUtf8(patterns[p].Text).c_str());
    }
    std::printf("\ngeometric mean of zel/peer time (below 1: zel is faster):\n");
    for (std::size_t e = 1; e < peers.size(); ++e)
        if (logCount[e] > 0)
            std::printf("  %-10s %.2f over %d patterns\n", peers[e].Name.c_str(),
                        std::exp(logSum[e] / logCount[e]), logCount[e]);
    std::printf("\ncounts that differ from zel's:%s\n", disagreements.empty() ? " none" : "");
    for (const auto& line : disagreements)
        std::printf("  %s\n", line.c_str());
}

int Run(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    const std::map<std::string, const std::vector<TBenchPattern>*> sets = {
        {"leipzig", &kLeipzig}, {"japanese", &kJapanese}, {"everyday", &kEveryday}};
    if (argc != 3 || sets.count(argv[1]) == 0) {
        std::fprintf(stderr, "usage: %s [benchmark flags] leipzig|japanese|everyday CORPUS_FILE\n",
                     argv[0]);
        return 2;
    }
    const auto& patterns = *sets.at(argv[1]);
    std::ifstream file(argv[2], std::ios::binary);
    if (!file) {
        std::fprintf(stderr, "cannot open %s (bench/prepare_corpora.sh writes it)\n", argv[2]);
        return 2;
    }
    TCorpus corpus;
    corpus.Utf8.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    corpus.Utf16 = Utf8ToUtf16(corpus.Utf8);
    corpus.Wide = WideText(corpus.Utf16);

    std::vector<std::unique_ptr<TPeerEngine>> engines;
    for (const auto& peer : PeerRegistry())
        engines.push_back(peer.Make(corpus));
    std::map<std::string, std::int64_t> counts;
    for (std::size_t p = 0; p < patterns.size(); ++p)
        for (std::size_t e = 0; e < engines.size(); ++e) {
            if (e > 0 && (patterns[p].OursOnly || !engines[e]->Compile(patterns[p].Text)))
                continue;
            TPeerEngine* engine = engines[e].get();
            const std::u16string pattern = patterns[p].Text;
            const std::string key = Key(p, PeerRegistry()[e].Name);
            benchmark::RegisterBenchmark(key.c_str(), [engine, pattern, key,
                                                       &counts](benchmark::State& state) {
                engine->Compile(pattern);
                std::int64_t count = 0;
                for (auto _ : state)
                    count = engine->CountAll();
                counts[key] = count;
                state.counters["matches"] = static_cast<double>(count);
            })->Unit(benchmark::kMillisecond);
        }
    TTableReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    PrintTable(patterns, reporter, counts);
    benchmark::Shutdown();
    return 0;
}

} // namespace
} // namespace zel::bench

int main(int argc, char** argv) {
    return zel::bench::Run(argc, argv);
}
