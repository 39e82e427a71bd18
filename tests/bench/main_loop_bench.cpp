// What the main loop costs the host: host calls and time of an idle tick and of the formatting
// command over a selected 10,000-line module; host calls, characters read and time of a tick after
// the caret moved one line in formatted code, in a 100-line and a 10,000-line module; host calls,
// module reads, undo steps and time of numbering and unnumbering a 10,000-line procedure; host
// calls and time of a typed character and of Enter in the subclassed code window of a 10,000-line
// module. The add-in runs in this process on a sandbox host; one name=value line per figure.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

#include "addin/addin_state.h"
#include "addin/code_pane.h"
#include "addin/connection.h"
#include "addin/line_numbering.h"
#include "addin/settings_environment.h"
#include "library/command_handlers.h"
#include "library/connection_parts.h"
#include "library/main_loop.h"
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

// A host with one module of `text` open and the add-in connected to it.
class Session {
 public:
  explicit Session(const std::wstring& text) {
    auto& module = host_.AddComponent(host_.AddProject(L"VBAProject"), sbx::kStdModule, L"Module1", text);
    window_ = &host_.Open(module);
    qv::AddinState& state = qv::State();
    qv::OpenConnection(qv::Vbe(host_.vbe()));
    qv::OpenConnectionParts();
    qv::CurrentSession().hWndMain = host_.workspace().MainWindow();
    state.SettingsKey = L"Software\\Velmora\\Quorvane\\VBA";
    state.IDESettingsKey = L"Software\\Microsoft\\VBA\\6.0\\Common";
    qv::LoadSettings({true, state.IDESettingsKey, state.SettingsKey, L"6.05"}, state.settings, state.LanguageFiles,
                     [](long) {});
    qv::AddCommandBarButtons(qv::MakeCommandHandlers(qv::LibraryParts()), qv::CurrentParts().form.Window());
    pane_ = sbx::Get(host_.vbe(), L"ActiveCodePane");
  }
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;
  ~Session() {
    // The hidden form takes the command bars with it.
    qv::CloseConnectionParts();
    qv::CloseConnection();
    qv::State() = qv::AddinState{};
    host_.ShutDown(0);
  }

  sbx::Host& host() { return host_; }
  const sbx::CodeWindow& window() const { return *window_; }
  void Select(long line) { sbx::Invoke(pane_.Object(), L"SetSelection", DISPATCH_METHOD, {line, 1L, line, 1L}); }

 private:
  sbx::Host host_;
  sbx::CodeWindow* window_ = nullptr;
  sbx::Variant pane_;
};

// The caret one line down before every tick, through formatted code from a quarter of the module.
void CaretMoves(long lines) {
  Session session(qv::bench::MakeModule(lines));
  qv::FormatRequest all;
  all.selection = {1, 1, lines, 1};
  qv::Formatting(all);
  const long first = lines / 4;
  const int moves = std::min<long>(kTicks / 10, lines / 2);
  session.Select(first);
  qv::TimerTick(qv::LibraryParts());
  Clock::duration ticking{};
  long calls = 0;
  long long chars = 0;
  for (int i = 1; i <= moves; ++i) {
    session.Select(first + i);
    session.host().ResetCalls();
    const auto start = Clock::now();
    qv::TimerTick(qv::LibraryParts());
    ticking += Clock::now() - start;
    calls += session.host().TotalCalls();
    chars += session.host().TotalCharsRead();
  }
  const std::string size = "_" + std::to_string(lines);
  Print(("caret_move_tick_us" + size).c_str(), Micro(ticking) / moves);
  Print(("caret_move_tick_host_calls" + size).c_str(), static_cast<double>(calls) / moves);
  Print(("caret_move_tick_chars_read" + size).c_str(), static_cast<double>(chars) / moves);
}

// The numbering command over a 10,000-line procedure, the caret in it, then its removal, which
// re-indents the body afterwards.
void Numbering() {
  Session session(qv::bench::MakeProcedure(kLines));
  session.Select(2);
  for (const bool add : {true, false}) {
    session.host().ResetCalls();
    const auto start = Clock::now();
    add ? qv::AddLineNumbers(-1, 0, 0, true, false) : qv::RemoveLineNumbers();
    const double ms = Micro(Clock::now() - start) / 1000;
    const std::string name = add ? "numbering_10k" : "unnumbering_10k";
    Print((name + "_host_calls").c_str(), static_cast<double>(session.host().TotalCalls()));
    Print((name + "_module_reads").c_str(), static_cast<double>(session.host().Calls(L"CodeModule", L"Lines")));
    Print((name + "_ms").c_str(), ms);
    if (add) Print("numbering_10k_undo_steps", static_cast<double>(session.window().text().UndoDepth()));
  }
}

// Keys sent to the code window as the editor receives them, in formatted code: without the hook
// (what the sandbox's editor costs), then hooked without and with the painter's triggers.
enum class Hooked { kNo, kYes, kWithColoring };

void Keystrokes(Hooked hooked) {
  Session session(qv::bench::MakeModule(kLines));
  qv::FormatRequest all;
  all.selection = {1, 1, kLines, 1};
  qv::Formatting(all);
  qv::State().settings.SyntaxColoring = hooked == Hooked::kWithColoring;
  const HWND window = session.window().hwnd();
  if (hooked != Hooked::kNo) qv::LibraryParts().HookCodePane(window);
  const std::string suffix = hooked == Hooked::kNo ? "_unhooked" : hooked == Hooked::kYes ? "" : "_coloring";
  const auto measure = [&](const char* name, WPARAM key, UINT character) {
    constexpr int kKeys = 200;
    session.host().ResetCalls();
    Clock::duration elapsed{};
    for (int i = 0; i < kKeys; ++i) {
      session.Select(kLines / 4 + i * 7);
      const auto start = Clock::now();
      SendMessageW(window, WM_KEYDOWN, key, 1);
      if (character) SendMessageW(window, WM_CHAR, character, 1);
      SendMessageW(window, WM_KEYUP, key, 1);
      elapsed += Clock::now() - start;
    }
    // The selection's own call per key is the bench's, not the add-in's.
    const double calls = static_cast<double>(session.host().TotalCalls()) / kKeys - 1;
    Print((std::string(name) + "_host_calls" + suffix).c_str(), calls);
    Print((std::string(name) + "_us" + suffix).c_str(), Micro(elapsed) / kKeys);
  };
  measure("character_key_10k", 'A', L'a');
  measure("enter_key_10k", VK_RETURN, 0);
  qv::LibraryParts().UnhookCodePane(window);
}

}  // namespace

int main() {
  OleInitialize(nullptr);
  const sbx::RegistryFixture registry;
  {
    Session session(qv::bench::MakeModule(kLines));

    // The formatting command over every line: the module comes flush left.
    qv::FormatRequest all;
    all.selection = {1, 1, kLines, 1};
    session.host().ResetCalls();
    auto start = Clock::now();
    qv::Formatting(all);
    const double format_ms = Micro(Clock::now() - start) / 1000;
    Print("format_10k_host_calls", static_cast<double>(session.host().TotalCalls()));
    Print("format_10k_ms", format_ms);

    // Idle: the code window open, nothing changing.
    session.Select(kLines / 2);
    qv::TimerTick(qv::LibraryParts());
    session.host().ResetCalls();
    start = Clock::now();
    for (int i = 0; i < kTicks; ++i) qv::TimerTick(qv::LibraryParts());
    Print("idle_tick_us", Micro(Clock::now() - start) / kTicks);
    Print("idle_tick_host_calls", static_cast<double>(session.host().TotalCalls()) / kTicks);
  }
  CaretMoves(100);
  CaretMoves(kLines);
  Numbering();
  Keystrokes(Hooked::kNo);
  Keystrokes(Hooked::kYes);
  Keystrokes(Hooked::kWithColoring);
  OleUninitialize();
  return 0;
}
