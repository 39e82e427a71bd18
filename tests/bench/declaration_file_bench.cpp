// GetFileMembers over a generated 50,000-line declaration file, what a pass reads once per include;
// and one word declared in a project of 50 modules of 1,000 lines, with the host calls it makes.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "codetools/declaration_file.h"
#include "codetools/includes.h"
#include "tests/codetools/include_fakes.h"

namespace {

constexpr int kLines = 50000;

// Declares, continued Declares, Consts, Types and Enums in turn, with comments and blank lines.
std::vector<std::wstring> MakeDeclarationFile() {
  std::vector<std::wstring> lines = {L"Attribute VB_Name = \"Big\"", L"' generated", L"Option Explicit"};
  for (int i = 0; lines.size() < kLines; ++i) {
    const std::wstring n = std::to_wstring(i);
    switch (i % 5) {
      case 0:
        lines.push_back(L"Public Declare PtrSafe Function Api" + n +
                        L" Lib \"user32\" (ByVal hwnd As LongPtr) As Long");
        break;
      case 1:
        lines.push_back(L"Public Declare Function Wide" + n + L" Lib \"gdi32\" (ByVal hdc As Long, _");
        lines.push_back(L"    lpRect As RECT" + n + L") As Long");
        break;
      case 2:
        lines.push_back(L"Public Const WM_" + n + L" As Long = &H" + n);
        lines.push_back(L"' note " + n);
        break;
      case 3:
        lines.push_back(L"Public Type RECT" + n);
        for (const wchar_t* field : {L"Left", L"Top", L"Right", L"Bottom"})
          lines.push_back(L"    " + std::wstring(field) + L" As Long");
        lines.push_back(L"End Type");
        break;
      default:
        lines.push_back(L"Public Enum Mode" + n + L" ' modes");
        lines.push_back(L"    m" + n + L"a = 1");
        lines.push_back(L"End Enum");
        lines.push_back(L"");
        break;
    }
  }
  lines.resize(kLines);
  return lines;
}

void BM_GetFileMembers(benchmark::State& state) {
  const std::vector<std::wstring> lines = MakeDeclarationFile();
  for (auto _ : state) {
    const qv::MemberCollection members = qv::GetFileMembers(lines);
    if (members.Count() == 0) state.SkipWithError("no members");
    benchmark::DoNotOptimize(members);
  }
  state.SetItemsProcessed(state.iterations() * kLines);
}
BENCHMARK(BM_GetFileMembers)->Unit(benchmark::kMillisecond);

// Each run declares GetClientRect and the RECT it takes into the Win32 module, in a fresh project.
void BM_AddDeclaration(benchmark::State& state) {
  std::wstring module;
  for (int i = 0; i < 1000; ++i) module += L"    x = x + " + std::to_wstring(i) + L" ' a statement\r\n";
  module = L"Option Explicit\r\nSub Work()\r\n" + module + L"End Sub";
  long calls = 0;
  for (auto _ : state) {
    state.PauseTiming();
    qv::test::IncludeWorld world;
    world.project.Add(L"Main", L"'#Include <Win32.bas>");
    for (int m = 1; m < 50; ++m) world.project.Add(L"Module" + std::to_wstring(m), module);
    world.Pass();
    world.project.calls = 0;
    qv::KeyedCollection<std::wstring> declared;
    state.ResumeTiming();
    qv::AddDeclaration(L"GetClientRect", false, world.tables, world.project, declared);
    calls = world.project.calls;
    if (declared.Count() != 2) state.SkipWithError("not declared");
  }
  state.counters["host_calls"] = static_cast<double>(calls);
}
BENCHMARK(BM_AddDeclaration)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
