// Long window titles on the user-interface thread: the fragment search of
// the matching tick in a 1 MB title, and the main panel's nearest title for
// an 8 KB stored title among 100 KB window titles, side by side with one
// plain pass over the same bytes. After the run the ratios to that floor
// are printed: they stay small however repetitive the titles are.
#include <benchmark/benchmark.h>

#include "RatioReporter.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "controller/MatchExplain.h"
#include "data/MbString.h"

namespace {

// A megabyte of one letter and a fragment of a long run of it that occurs
// only at the end: the worst case of a search that compares anew at each
// position.
const std::string& Title() {
    static const std::string title = std::string(1 << 20, 'a') + "b";
    return title;
}
const std::string& Fragment() {
    static const std::string fragment = std::string(8 * 1024, 'a') + "b";
    return fragment;
}

void BM_Floor_OnePassOverTheTitle(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(std::count(Title().begin(), Title().end(), 'b'));
}

void BM_FragmentSearch(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(MbFind(Title(), Fragment()));
}

void BM_NearestTitleTip(benchmark::State& state) {
    CObjData note;
    note.EXENAME = "EDITOR.EXE";
    note.TITLE = std::string(8 * 1024, 'x');
    std::vector<CWinInf> windows(10);
    for (std::size_t i = 0; i < windows.size(); ++i) {
        windows[i].hWnd = static_cast<PvHandle>(i + 1);
        windows[i].exeName = "EDITOR.EXE";
        windows[i].title = std::string(100 * 1024, static_cast<char>('a' + i));
    }
    for (auto _ : state) benchmark::DoNotOptimize(ExplainMatch(note, false, windows, {}).reason);
}

BENCHMARK(BM_Floor_OnePassOverTheTitle)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FragmentSearch)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NearestTitleTip)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    CRatioReporter reporter("BM_Floor_OnePassOverTheTitle", "floor");
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios();
    benchmark::Shutdown();
    return 0;
}
