// Patterns that make backtracking engines explode, over subjects of growing length: the
// failure record keeps them polynomial (the complexity line of each shows the growth).
#include <benchmark/benchmark.h>

#include <string>

#include "regex/zelregexp/zel_regexp.h"

namespace {

void Explosive(benchmark::State& state, std::u16string_view pattern, char16_t fill, char16_t last) {
    const std::u16string subject =
        std::u16string(static_cast<std::size_t>(state.range(0)), fill) + last;
    zel::TZelRegExp re(pattern);
    for (auto _ : state)
        benchmark::DoNotOptimize(re.Exec(subject));
    state.SetComplexityN(state.range(0));
}

void NestedStar(benchmark::State& state) {
    Explosive(state, u"(a*)*b", u'a', u'c');
}
void AlternationLoop(benchmark::State& state) {
    Explosive(state, u"(a|aa)+$", u'a', u'b');
}
void CountedDotStar(benchmark::State& state) {
    Explosive(state, u"(.*a){12}", u'a', u'b');
}
void CountedDotStarNoA(benchmark::State& state) {
    Explosive(state, u"(.*a){12}", u'x', u'a');
}
void NoteRemoval(benchmark::State& state) {
    std::u16string line = u"phrase ";
    for (int i = 0; i < state.range(0) / 8; ++i)
        line += u"[n] abc ";
    zel::TZelRegExp re;
    re.SetExpression(u"\\[.*\\]\\s");
    re.SetIgnoreCase(true);
    for (auto _ : state)
        benchmark::DoNotOptimize(re.Replace(line, u"", 0, 1));
    state.SetComplexityN(state.range(0));
}

BENCHMARK(NestedStar)->RangeMultiplier(4)->Range(1 << 8, 1 << 16)->Complexity();
BENCHMARK(AlternationLoop)->RangeMultiplier(4)->Range(1 << 8, 1 << 16)->Complexity();
BENCHMARK(CountedDotStar)->RangeMultiplier(4)->Range(1 << 8, 1 << 14)->Complexity();
BENCHMARK(CountedDotStarNoA)->RangeMultiplier(4)->Range(1 << 8, 1 << 14)->Complexity();
BENCHMARK(NoteRemoval)->RangeMultiplier(4)->Range(1 << 6, 1 << 12)->Complexity();

} // namespace

BENCHMARK_MAIN();
