#pragma once
// The wheel in this process: the sandbox host with the add-in's state as a connection leaves it,
// scrolling on, and the messages a wheel message posts dispatched on request.
#include <windows.h>

#include "addin/addin_state.h"
#include "editor/wheel_hook.h"
#include "tests/addin/code_pane_fixture.h"

namespace sbx::test {

class WheelTest : public CodePaneTest {
 protected:
  void TearDown() override {
    wheel_.Detach();
    CodePaneTest::TearDown();
  }

  // A module of `lines` lines in the active code window, the add-in connected with scrolling on.
  CodeWindow& StartLines(long lines, HostOptions options = {}) {
    std::wstring text;
    for (long line = 1; line <= lines; ++line) text += L"x = " + std::to_wstring(line) + L"\r\n";
    CodeWindow& window = StartAddin(text, std::move(options));
    qv::State().settings.Scrolling = true;
    qv::State().settings.ScrollHeight = 3;
    return window;
  }

  HWND MainWindow() const { return host_ ? host_->workspace().MainWindow() : nullptr; }
  ToolWindows& Tools() const { return host_->workspace().Tools(); }

  static WPARAM WheelParam(int delta, WORD keys = 0) {
    return MAKEWPARAM(keys, static_cast<WORD>(static_cast<short>(delta)));
  }
  static LPARAM PointParam(POINT point) {
    return MAKELPARAM(static_cast<WORD>(static_cast<short>(point.x)), static_cast<WORD>(static_cast<short>(point.y)));
  }
  // Dispatches what is queued now, the posted scroll messages among them.
  static void Drain() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  }

  long TopLine() const { return Get(Pane().Object(), L"TopLine").Long(); }
  void SetTopLine(long line) const { Put(Pane().Object(), L"TopLine", line); }

  qv::WheelHook wheel_;
};

}  // namespace sbx::test
