// What one paint of the highlighting costs: host calls, module reads and time of painting a 60-line
// page of ordinary code (strings, comments, directives, three user texts) in the sandbox's code
// window, and of the caret's line alone. One name=value line per figure.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "addin/addin_state.h"
#include "addin/connection.h"
#include "editor/highlight_painter.h"
#include "sandbox/host/host.h"
#include "sandbox/testing/late_bound.h"
#include "sandbox/testing/registry_fixture.h"
#include "tests/bench/sample_module.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr long kPageLines = 60;
constexpr int kPaints = 200;

void Print(const char* name, double value) { std::printf("%s=%.2f\n", name, value); }

void Measure(sbx::Host& host, HWND window, qv::PaintLines lines, const char* name) {
  qv::PaintCodePane(window, lines);  // the font and the host's caches warm
  host.ResetCalls();
  qv::PaintCodePane(window, lines);
  Print((std::string(name) + "_host_calls").c_str(), static_cast<double>(host.TotalCalls()));
  Print((std::string(name) + "_module_reads").c_str(), static_cast<double>(host.Calls(L"CodeModule", L"Lines")));
  const auto start = Clock::now();
  for (int i = 0; i < kPaints; ++i) qv::PaintCodePane(window, lines);
  Print((std::string(name) + "_us").c_str(),
        std::chrono::duration<double, std::micro>(Clock::now() - start).count() / kPaints);
}

}  // namespace

int main() {
  OleInitialize(nullptr);
  const sbx::RegistryFixture registry;
  {
    sbx::Host host;
    const std::wstring text = L"'#Region Declarations\r\n'#Include File api.txt\r\n" + qv::bench::MakeModule(1000);
    auto& module = host.AddComponent(host.AddProject(L"VBAProject"), sbx::kStdModule, L"Module1", text);
    const HWND window = host.Open(module).hwnd();
    qv::AddinState& state = qv::State();
    qv::OpenConnection(qv::Vbe(host.vbe()));
    state.IDESettingsKey = host.state().IdeSettingsKey();
    qv::Settings& s = state.settings;
    s.SyntaxColoring = s.SyntaxColoring_Operators = s.SyntaxColoring_AdditionalOperators = true;
    s.SyntaxColoring_Texts = s.SyntaxColoring_CustomTexts = true;
    s.TextColor = RGB(182, 21, 21);
    s.SyntaxColoring_ShiftX = 9;
    for (const wchar_t* user_text : {L"Dim", L"Then", L"As"}) {
      qv::Tables().SyntaxTexts.Add(user_text);
      qv::Tables().SyntaxTextColors.Add(L"32768");
    }
    const sbx::Variant pane = sbx::Get(host.vbe(), L"ActiveCodePane");
    for (int height = 400; sbx::Get(pane.Object(), L"CountOfVisibleLines").Long() < kPageLines && height < 4000;
         height += 20) {
      SetWindowPos(window, nullptr, 0, 0, 900, height, SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
    }
    Print("visible_lines", static_cast<double>(sbx::Get(pane.Object(), L"CountOfVisibleLines").Long()));
    // A page further down: the line above it is read as well.
    sbx::Invoke(pane.Object(), L"SetSelection", DISPATCH_METHOD, {500L, 1L, 500L, 1L});
    sbx::Invoke(pane.Object(), L"SetSelection", DISPATCH_METHOD, {480L, 1L, 480L, 1L});
    Measure(host, window, qv::PaintLines::kVisible, "page_paint");
    Measure(host, window, qv::PaintLines::kCaretLine, "caret_line_paint");
    qv::CloseConnection();
    qv::State() = qv::AddinState{};
    qv::Tables() = qv::LoadTables{};
    host.ShutDown(0);
  }
  OleUninitialize();
  return 0;
}
