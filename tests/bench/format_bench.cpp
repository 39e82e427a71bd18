// Formatting a large module on command, and the incremental run that the main
// loop makes when the caret leaves a line that is already right.
#include <benchmark/benchmark.h>

#include <string>

#include "codetools/indent_engine.h"
#include "codetools/module_view.h"

namespace {

// A module of about `lines` lines of ordinary code, flush left: procedures with
// nested blocks, comments, strings, continued statements and error handlers.
std::wstring MakeModule(long lines) {
  static const wchar_t* const kProcedure[] = {
      L"Public Function Расчёт{n}(ByVal a As Long, _",
      L"ByVal b As String) As Long",
      L"' Считает итог по строкам: \"a\" и 'b'",
      L"Dim i As Long, j As Long, s As String",
      L"On Error GoTo ErrorHandler",
      L"For i = 1 To a",
      L"If i Mod 2 = 0 Then",
      L"s = s & \"чёт: \" & CStr(i) ' чётные",
      L"ElseIf i Mod 3 = 0 Then",
      L"s = s & \"x:y\"",
      L"Else",
      L"Select Case i",
      L"Case 1, 2",
      L"j = j + 1",
      L"Case Is > 10",
      L"With Application: j = j - 1: End With",
      L"Case Else",
      L"Do While j < i",
      L"j = j + 2",
      L"Loop",
      L"End Select",
      L"End If",
      L"Next i",
      L"While j > 0",
      L"j = j - 1",
      L"Wend",
      L"If a > b Then a = b Else b = a",
      L"Расчёт{n} = j + Len(s)",
      L"Exit Function",
      L"ErrorHandler:",
      L"MsgBox Err.Description, vbExclamation, \"Ошибка\"",
      L"End Function",
      L"",
  };
  std::wstring text = L"Option Explicit\r\nPrivate Const Имя As String = \"Модуль\"\r\n";
  long count = 2;
  for (long n = 0; count < lines; ++n) {
    for (const wchar_t* line : kProcedure) {
      std::wstring own(line);
      for (std::size_t at = own.find(L"{n}"); at != std::wstring::npos; at = own.find(L"{n}")) {
        own.replace(at, 3, std::to_wstring(n));
      }
      text += own;
      if (++count >= lines) break;
      text += L"\r\n";
    }
  }
  return text;
}

constexpr long kLines = 10000;

void BM_FormatCommand(benchmark::State& state) {
  const qv::ModuleText module(MakeModule(kLines));
  qv::FormatRequest request;
  request.selection = {1, 1, module.CountOfLines(), 1};
  for (auto _ : state) benchmark::DoNotOptimize(qv::Formatting(module, request, {4}));
  state.SetItemsProcessed(state.iterations() * module.CountOfLines());
}
BENCHMARK(BM_FormatCommand)->Unit(benchmark::kMillisecond);

// The module as formatted, and an incremental run from its middle line.
std::wstring FormattedModule() {
  qv::MemoryModule module(MakeModule(kLines));
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
  const std::wstring text = MakeModule(kLines);
  for (auto _ : state) benchmark::DoNotOptimize(qv::ModuleText(text));
  state.SetItemsProcessed(state.iterations() * kLines);
}
BENCHMARK(BM_Snapshot)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
