// Loading a phrase list: strict UTF-8 decoding, line splitting, and adding the items with their
// icons inside one update bracket (the list box's own row count follows once, at its end).
// The file is a mix of headings, phrases with notes and Japanese text, about 40 bytes a line.
#include "app/phrase_list.h"
#include "core/utf8.h"
#include "listbox/list_items.h"
#include "ui/text_lines.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

using namespace zel;

std::string ListFile(int lines) {
    const char* samples[] = {
        "\xE2\x97\x86見出し heading\r\n",
        "お世話になっております。\r\n",
        "Thanks [note] a lot, see you tomorrow\r\n",
        "いつもありがとうございます。[社外向け] \r\n",
        "plain ASCII phrase of medium length\r\n",
    };
    std::string bytes = "\xEF\xBB\xBF";
    for (int i = 0; i < lines; ++i)
        bytes += samples[i % 5];
    return bytes;
}

void SetBytes(benchmark::State& state, const std::string& bytes) {
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
    state.counters["lines"] = static_cast<double>(state.range(0));
}

void BM_Decode(benchmark::State& state) {
    const std::string bytes = ListFile(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(Utf8FileTextToUtf16(bytes));
    SetBytes(state, bytes);
}

void BM_Split(benchmark::State& state) {
    const std::string bytes = ListFile(static_cast<int>(state.range(0)));
    const std::u16string text = Utf8FileTextToUtf16(bytes);
    for (auto _ : state)
        benchmark::DoNotOptimize(SplitLines(text));
    SetBytes(state, bytes);
}

void BM_SplitAndAdd(benchmark::State& state) {
    const std::string bytes = ListFile(static_cast<int>(state.range(0)));
    const std::u16string text = Utf8FileTextToUtf16(bytes);
    for (auto _ : state) {
        TListBoxItems items;
        AddPhraseLines(items, text);
        benchmark::DoNotOptimize(items.Count());
    }
    SetBytes(state, bytes);
}

// What LoadList does with the bytes: clear, decode, split, add.
void BM_LoadList(benchmark::State& state) {
    const std::string bytes = ListFile(static_cast<int>(state.range(0)));
    TListBoxItems items;
    for (auto _ : state) {
        items.Clear();
        AddPhraseLines(items, Utf8FileTextToUtf16(bytes));
        benchmark::DoNotOptimize(items.Count());
    }
    SetBytes(state, bytes);
}

#define PHRASE_SIZES ->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond)
BENCHMARK(BM_Decode) PHRASE_SIZES;
BENCHMARK(BM_Split) PHRASE_SIZES;
BENCHMARK(BM_SplitAndAdd) PHRASE_SIZES;
BENCHMARK(BM_LoadList) PHRASE_SIZES;

} // namespace

BENCHMARK_MAIN();
