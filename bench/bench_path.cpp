// Resolving the entries of a large playlist: every entry of an imported list goes through
// ResolveRelativePath once, so a 100,000-entry list must not stall the window.
#include "support/myPath.h"

#include <benchmark/benchmark.h>
#include <string>
#include <vector>

namespace {

std::vector<std::u16string> MakeEntries(std::size_t iCount) {
    std::vector<std::u16string> entries;
    entries.reserve(iCount);
    for (std::size_t i = 0; i < iCount; ++i) {
        const std::u16string sNumber = std::u16string(u"0123456789").substr(i % 10, 1);
        entries.push_back(u"..\\アニメ\\第" + sNumber + u"話\\track " + sNumber + u".mp3");
    }
    return entries;
}

void BM_ResolveRelativePath(benchmark::State& state) {
    const auto entries = MakeEntries(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        for (const auto& sEntry : entries) {
            benchmark::DoNotOptimize(
                skivra::ResolveRelativePath(sEntry, u"/home/user/Music/list/"));
        }
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ResolveRelativePath)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_SplitFilePath(benchmark::State& state) {
    const auto entries = MakeEntries(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        for (const auto& sEntry : entries) {
            benchmark::DoNotOptimize(skivra::SplitFilePath<skivra::TMyWindowsPath>(sEntry));
        }
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_SplitFilePath)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
