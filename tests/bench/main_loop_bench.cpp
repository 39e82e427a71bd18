// What the main loop costs the host: host calls and time of an idle tick, of a tick after the caret
// moved one line in formatted code, and of the formatting command over a selected 10,000-line
// module. The add-in runs in this process on a sandbox host; one name=value line per figure.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "addin/addin_state.h"
#include "addin/code_pane.h"
#include "addin/connection.h"
#include "addin/entry_points.h"
#include "addin/settings_environment.h"
#include "sandbox/host/host.h"
#include "sandbox/testing/late_bound.h"
#include "sandbox/testing/registry_fixture.h"
#include "tests/bench/sample_module.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr long kLines = 10000;
constexpr int kTicks = 2000;

double Micro(Clock::duration elapsed) { return std::chrono::duration<double, std::micro>(elapsed).count(); }

void Print(const char* name, double value) { std::printf("%s=%.2f\n", name, value); }

void Select(IDispatch* pane, long line) {
  sbx::Invoke(pane, L"SetSelection", DISPATCH_METHOD, {line, 1L, line, 1L});
}

}  // namespace

int main() {
  OleInitialize(nullptr);
  const sbx::RegistryFixture registry;
  {
    sbx::Host host;
    auto& module = host.AddComponent(host.AddProject(L"VBAProject"), sbx::kStdModule, L"Module1",
                                     qv::bench::MakeModule(kLines));
    host.Open(module);
    qv::AddinState& state = qv::State();
    qv::OpenConnection(qv::Vbe(host.vbe()));
    state.hWndMain = host.workspace().MainWindow();
    state.SettingsKey = L"Software\\Velmora\\Quorvane\\VBA";
    state.IDESettingsKey = L"Software\\Microsoft\\VBA\\6.0\\Common";
    qv::LoadSettings({true, state.IDESettingsKey, state.SettingsKey, L"6.05"}, state.settings, state.LanguageFiles);
    qv::AddCommandBarButtons();
    const sbx::Variant pane = sbx::Get(host.vbe(), L"ActiveCodePane");

    // The formatting command over every line: the module comes flush left.
    qv::FormatRequest all;
    all.selection = {1, 1, kLines, 1};
    host.ResetCalls();
    auto start = Clock::now();
    qv::Formatting(all);
    const double format_ms = Micro(Clock::now() - start) / 1000;
    Print("format_10k_host_calls", static_cast<double>(host.TotalCalls()));
    Print("format_10k_ms", format_ms);

    // Idle: the code window open, nothing changing.
    Select(pane.Object(), kLines / 2);
    qv::TimerTick();
    host.ResetCalls();
    start = Clock::now();
    for (int i = 0; i < kTicks; ++i) qv::TimerTick();
    Print("idle_tick_us", Micro(Clock::now() - start) / kTicks);
    Print("idle_tick_host_calls", static_cast<double>(host.TotalCalls()) / kTicks);

    // The caret one line down before every tick, through formatted code.
    Clock::duration ticking{};
    long calls = 0;
    for (int i = 0; i < kTicks / 10; ++i) {
      Select(pane.Object(), kLines / 4 + i);
      host.ResetCalls();
      start = Clock::now();
      qv::TimerTick();
      ticking += Clock::now() - start;
      calls += host.TotalCalls();
    }
    Print("caret_move_tick_us", Micro(ticking) / (kTicks / 10));
    Print("caret_move_tick_host_calls", static_cast<double>(calls) / (kTicks / 10));

    qv::RemoveCommandBarButtons();
    qv::CloseConnection();
    qv::State() = qv::AddinState{};
    host.ShutDown(0);
  }
  OleUninitialize();
  return 0;
}
