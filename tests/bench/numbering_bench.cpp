// The engine's share of the numbering commands and of a handler's replacement over a 10,000-line
// procedure, on a snapshot already taken.
#include <benchmark/benchmark.h>

#include <string>

#include "codetools/error_handlers.h"
#include "codetools/line_numbering.h"
#include "codetools/module_view.h"
#include "tests/bench/sample_module.h"
#include "tests/codetools/memory_module.h"

namespace {

constexpr long kLines = 10000;
const qv::ProcedureInfo kProcedure{L"Большая", 0, 1, 1, kLines};

// The procedure numbered from `start` in steps of `step`.
std::wstring Numbered(std::int64_t start, std::int64_t step) {
  qv::MemoryModule module(qv::bench::MakeProcedure(kLines));
  qv::NumberingRequest request;
  request.NumerationStart = start;
  request.NumerationStep = step;
  module.Write(*qv::AddLineNumbers(module, kProcedure, request).edit);
  return module.Text();
}

void Number(benchmark::State& state, const qv::ModuleText& module, bool skip_list) {
  qv::NumberingRequest request;
  request.UseSkipList = skip_list;
  for (auto _ : state) {
    const qv::NumberingResult result = qv::AddLineNumbers(module, kProcedure, request);
    if (!result.edit) state.SkipWithError("nothing was numbered");
    benchmark::DoNotOptimize(result);
  }
  state.SetItemsProcessed(state.iterations() * kLines);
}

void BM_NumberFlushLeft(benchmark::State& state) {
  Number(state, qv::ModuleText(qv::bench::MakeProcedure(kLines)), true);
}
BENCHMARK(BM_NumberFlushLeft)->Unit(benchmark::kMillisecond);

// Every statement carries another number, and the jumps follow.
void BM_Renumber(benchmark::State& state) { Number(state, qv::ModuleText(Numbered(5, 7)), false); }
BENCHMARK(BM_Renumber)->Unit(benchmark::kMillisecond);

void BM_RemoveNumbers(benchmark::State& state) {
  const qv::ModuleText module(Numbered(10, 10));
  for (auto _ : state) benchmark::DoNotOptimize(qv::RemoveLineNumbers(module, kProcedure));
  state.SetItemsProcessed(state.iterations() * kLines);
}
BENCHMARK(BM_RemoveNumbers)->Unit(benchmark::kMillisecond);

struct NoNames : qv::TemplateHost {
  const qv::CodeModuleView* CodePane() override { return nullptr; }
  std::optional<std::wstring> ProjectName() override { return std::nullopt; }
  std::optional<std::wstring> ComponentName() override { return std::nullopt; }
};

void BM_PlanErrorHandler(benchmark::State& state) {
  const qv::ModuleText module(qv::bench::MakeProcedure(kLines));
  const qv::ErrorHandlerTemplate handler = qv::SplitTemplate(L"On Error GoTo Fail|Exit Sub(CrLf)Fail:(CrLf)Beep|0|0");
  NoNames names;
  for (auto _ : state) {
    benchmark::DoNotOptimize(qv::PlanErrorHandler(module, kProcedure, L"Sub", handler, 4, names));
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PlanErrorHandler)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
