// Enter's plan in a 10,000-line module, on a snapshot already taken: the closer search walks the
// lines below the opener.
#include <benchmark/benchmark.h>

#include <string>

#include "codetools/enter_plan.h"
#include "codetools/module_view.h"
#include "tests/bench/sample_module.h"

namespace {

qv::Settings AllOn() {
  qv::Settings settings;
  settings.AutoInsert = settings.AutoInsert_EndConstructions = settings.AutoIndent = true;
  settings.IndentWidth = 4;
  return settings;
}

void PlanAtEnd(benchmark::State& state, const qv::ModuleText& module, long line, bool closer) {
  const long column = static_cast<long>(module.Line(line).size()) + 1;
  const qv::Settings settings = AllOn();
  for (auto _ : state) {
    const qv::EnterPlan plan = qv::PlanEnter(module, line, column, L"", settings);
    if (!plan.swallow || plan.closer_inserted != closer) state.SkipWithError("not the plan expected");
    benchmark::DoNotOptimize(plan);
  }
  state.SetItemsProcessed(state.iterations() * (module.CountOfLines() - line));
}

// A procedure's header halfway down, its End Sub at the bottom.
void BM_OpenerClosedFarBelow(benchmark::State& state) {
  const std::wstring above = qv::bench::MakeModule(5000);
  const qv::ModuleText module(above + L"\r\n" + qv::bench::MakeProcedure(5000));
  PlanAtEnd(state, module, qv::ModuleText(above).CountOfLines() + 1, false);
}
BENCHMARK(BM_OpenerClosedFarBelow)->Unit(benchmark::kMillisecond);

// No End Sub of its own below: the search reaches the module's end.
void BM_OpenerNeverClosed(benchmark::State& state) {
  PlanAtEnd(state, qv::ModuleText(L"Sub X()\r\n" + qv::bench::MakeModule(10000)), 1, true);
}
BENCHMARK(BM_OpenerNeverClosed)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
