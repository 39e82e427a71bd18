// Pattern matching is the formatter's inner loop: every logical line meets every block pattern.
#include "kit/like.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

void BM_LikeKeywordLine(benchmark::State& state) {
  const qv::LikePattern pattern(L"* then");
  const std::wstring line = L"if somevariable > 10 and othervariable < 20 then";
  for (auto _ : state) benchmark::DoNotOptimize(pattern.Matches(line));
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_LikeKeywordLine);

void BM_LikeManyStarsLongText(benchmark::State& state) {
  const qv::LikePattern pattern(L"*a*a*a*a*a*a*a*a*b");
  const std::wstring text(static_cast<size_t>(state.range(0)), L'a');
  for (auto _ : state) benchmark::DoNotOptimize(pattern.Matches(text));
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_LikeManyStarsLongText)->Range(64, 16384)->Complexity();

}  // namespace

BENCHMARK_MAIN();
