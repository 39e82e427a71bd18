// GetFileMembers over a generated 50,000-line declaration file: what a pass reads once per include.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "codetools/declaration_file.h"

namespace {

constexpr int kLines = 50000;

// Declares, continued Declares, Consts, Types and Enums in turn, with comments and blank lines.
std::vector<std::wstring> MakeDeclarationFile() {
  std::vector<std::wstring> lines = {L"Attribute VB_Name = \"Big\"", L"' generated", L"Option Explicit"};
  for (int i = 0; lines.size() < kLines; ++i) {
    const std::wstring n = std::to_wstring(i);
    switch (i % 5) {
      case 0:
        lines.push_back(L"Public Declare PtrSafe Function Api" + n + L" Lib \"user32\" (ByVal hwnd As LongPtr) As Long");
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
        for (const wchar_t* field : {L"Left", L"Top", L"Right", L"Bottom"}) lines.push_back(L"    " + std::wstring(field) + L" As Long");
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

}  // namespace

BENCHMARK_MAIN();
