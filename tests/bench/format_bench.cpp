// Formatting a large module on command, and the incremental run that the main
// loop makes when the caret leaves a line that is already right.
#include <benchmark/benchmark.h>

#include <string>

#include "codetools/indent_engine.h"
#include "codetools/module_view.h"
#include "tests/bench/sample_module.h"
#include "tests/codetools/memory_module.h"

namespace {

constexpr long kLines = 10000;

void BM_FormatCommand(benchmark::State& state) {
  const qv::ModuleText module(qv::bench::MakeModule(kLines));
  qv::FormatRequest request;
  request.selection = {1, 1, module.CountOfLines(), 1};
  for (auto _ : state) benchmark::DoNotOptimize(qv::Formatting(module, request, {4}));
  state.SetItemsProcessed(state.iterations() * module.CountOfLines());
}
BENCHMARK(BM_FormatCommand)->Unit(benchmark::kMillisecond);

// The module as formatted, and an incremental run from its middle line.
std::wstring FormattedModule() {
  qv::MemoryModule module(qv::bench::MakeModule(kLines));
  qv::FormatRequest all;
  all.selection = {1, 1, module.CountOfLines(), 1};
  module.Write(*qv::Formatting(module, all, {4}).Edit());
  return module.Text();
}

qv::FormatRequest IncrementalFromMiddle() {
  qv::FormatRequest request;
  request.incremental = true;
  request.FormatStart = kLines / 2;
  request.selection = {kLines / 2 + 1, 1, kLines / 2 + 1, 1};
  return request;
}

// The snapshot is taken anew each run, as the host glue does.
void BM_FormatIncrementalNoChange(benchmark::State& state) {
  const std::wstring text = FormattedModule();
  const qv::FormatRequest request = IncrementalFromMiddle();
  for (auto _ : state) {
    const qv::ModuleText module(text);
    const qv::FormatResult result = qv::Formatting(module, request, {4});
    if (!result.FormatText.empty()) state.SkipWithError("the formatted module was rewritten");
    benchmark::DoNotOptimize(result);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FormatIncrementalNoChange)->Unit(benchmark::kMicrosecond);

// The same run on a snapshot already taken: the engine's own share.
void BM_FormatIncrementalNoChangeOnSnapshot(benchmark::State& state) {
  const qv::ModuleText module(FormattedModule());
  const qv::FormatRequest request = IncrementalFromMiddle();
  for (auto _ : state) benchmark::DoNotOptimize(qv::Formatting(module, request, {4}));
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FormatIncrementalNoChangeOnSnapshot)->Unit(benchmark::kMicrosecond);

void BM_Snapshot(benchmark::State& state) {
  const std::wstring text = qv::bench::MakeModule(kLines);
  for (auto _ : state) benchmark::DoNotOptimize(qv::ModuleText(text));
  state.SetItemsProcessed(state.iterations() * kLines);
}
BENCHMARK(BM_Snapshot)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
