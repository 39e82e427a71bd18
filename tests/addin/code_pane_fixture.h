#pragma once
// The add-in's code-pane helpers in this process: a sandbox host, and the add-in's state as a
// connection leaves it, without loading the library.
#include <windows.h>

#include <string>
#include <string_view>

#include "addin/addin_state.h"
#include "addin/connection.h"
#include "tests/sandbox/host/host_fixture.h"

namespace sbx::test {

class CodePaneTest : public HostTest {
 protected:
  void TearDown() override {
    qv::CloseConnection();
    qv::State() = qv::AddinState{};
    HostTest::TearDown();
  }

  // Module1 holding `text` in the active code window, which has the focus.
  CodeWindow& StartAddin(std::wstring_view text, HostOptions options = {}) {
    ComponentObject& module = StartWithModule(text, std::move(options));
    Connect();
    return host_->Open(module);
  }
  void Connect() {
    qv::AddinState& state = qv::State();
    qv::OpenConnection(qv::Vbe(vbe()));
    state.hWndMain = host_->workspace().MainWindow();
    state.settings.IsSDI = host_->state().options.sdi;
    state.settings.IndentWidth = 4;
  }

  std::wstring ModuleText() const {
    const Variant module = CodeModule();
    const long count = Get(module.Object(), L"CountOfLines").Long();
    return Get(module.Object(), L"Lines", {1L, count}).Text();
  }
  qv::Selection Selection() const {
    qv::Selection s;
    Invoke(Pane().Object(), L"GetSelection", DISPATCH_METHOD,
           {Variant::LongRef(&s.start_line), Variant::LongRef(&s.start_column), Variant::LongRef(&s.end_line),
            Variant::LongRef(&s.end_column)});
    return s;
  }
  void Select(long line, long column) const {
    Invoke(Pane().Object(), L"SetSelection", DISPATCH_METHOD, {line, column, line, column});
  }
};

// A window of this thread with an edit control that takes the focus, as a dialog would.
class FocusThief {
 public:
  FocusThief()
      : frame_(CreateWindowExW(0, L"STATIC", L"Find", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 100, nullptr,
                               nullptr, nullptr, nullptr)),
        edit_(CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_MULTILINE, 0, 0, 200, 50, frame_, nullptr,
                              nullptr, nullptr)) {
    SetForegroundWindow(frame_);
    SetFocus(edit_);
  }
  FocusThief(const FocusThief&) = delete;
  FocusThief& operator=(const FocusThief&) = delete;
  ~FocusThief() { DestroyWindow(frame_); }

  HWND frame() const { return frame_; }
  std::wstring Text() const {
    wchar_t text[256]{};
    GetWindowTextW(edit_, text, 256);
    return text;
  }

 private:
  HWND frame_;
  HWND edit_;
};

}  // namespace sbx::test
