// DrawMarkup as the list box calls it, once per visible row on every repaint, on the test
// canvas (so the figures are the engine's own cost, without the platform's text calls).
#include "htmltext/draw_markup.h"
#include "htmltext/testing/test_canvas.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

using namespace zel;

DrawMarkupParams ListBoxParams(const ImageList& images) {
    DrawMarkupParams p;
    p.Images = &images;
    p.ShadowOffset = 2;
    p.LineSpacing = 2;
    p.LinkColor = clBlue;
    p.ShadowColor = clGray;
    return p;
}

void DrawRow(benchmark::State& state, const std::u16string& text, int width) {
    TestCanvas canvas;
    TestImageList images(10);
    const DrawMarkupParams params = ListBoxParams(images);
    DrawMarkupResults results;
    for (auto _ : state) {
        canvas.ClearRecord();
        benchmark::DoNotOptimize(
            DrawMarkup(canvas, text, {20, 98, 20 + width, 118}, params, results));
    }
    state.counters["chars"] = static_cast<double>(text.size());
}

void BM_PlainRow(benchmark::State& state) {
    std::u16string text;
    while (text.size() < 100)
        text += u"定型文の一行 plain phrase ";
    text.resize(100);
    DrawRow(state, text, 1000);
}

void BM_TaggedRow(benchmark::State& state) {
    const std::u16string text = u"<B>見出し</B> with <I>a few</I> <F COLOR=\"clRed\">tags</F> and "
                                u"<A HREF=\"x\">a link</A> &amp; an entity [note]";
    DrawRow(state, text, 1000);
}

void BM_LongRowCutByEllipsis(benchmark::State& state) {
    std::u16string text;
    while (text.size() < 400)
        text += u"a long phrase that runs far beyond the right edge of the row ";
    DrawRow(state, text, 200);
}

// Rows of n characters that once took time in n squared: nested "&amp;" levels, and a
// word-wrapped text measured whole. The fitted complexity should read O(N).
void BM_NestedAmpersands(benchmark::State& state) {
    std::u16string text = u"&";
    while (text.size() < static_cast<std::size_t>(state.range(0)))
        text += u"amp;";
    DrawRow(state, text, 1000);
    state.SetComplexityN(state.range(0));
}

void BM_WordWrapMeasure(benchmark::State& state) {
    std::u16string text;
    while (text.size() < static_cast<std::size_t>(state.range(0)))
        text += u"word ";
    TestCanvas canvas;
    DrawMarkupParams params;
    params.WordWrap = true;
    params.MeasureOnly = true;
    DrawMarkupResults results;
    for (auto _ : state)
        benchmark::DoNotOptimize(DrawMarkup(canvas, text, {0, 0, 400, 20}, params, results));
    state.SetComplexityN(state.range(0));
}

BENCHMARK(BM_PlainRow);
BENCHMARK(BM_TaggedRow);
BENCHMARK(BM_LongRowCutByEllipsis);
BENCHMARK(BM_NestedAmpersands)->RangeMultiplier(8)->Range(1 << 10, 1 << 19)->Complexity();
BENCHMARK(BM_WordWrapMeasure)->RangeMultiplier(8)->Range(1 << 10, 1 << 19)->Complexity();

} // namespace

BENCHMARK_MAIN();
