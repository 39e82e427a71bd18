#pragma once
// The add-in's code-pane helpers in this process: a sandbox host, and the add-in's state as a
// connection leaves it, without loading the library.
#include <windows.h>

#include <string>
#include <string_view>

#include "addin/addin_state.h"
#include "addin/connection.h"
#include "addin/session.h"
#include "tests/addin/focus_thief.h"
#include "tests/sandbox/host/host_fixture.h"

namespace sbx::test {

class CodePaneTest : public HostTest {
 protected:
  void TearDown() override {
    qv::CloseConnection();
    qv::State() = qv::AddinState{};
    session_.session = qv::Session{};
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
    state.IsVBA = host_->state().IsVba();  // as the library built for the host would have it
    qv::CurrentSession().hWndMain = host_->workspace().MainWindow();
    state.settings.IsSDI = host_->state().options.sdi;
    state.settings.IndentWidth = 4;
  }

  // What a connection's parts would own.
  qv::SessionOwner session_;

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

}  // namespace sbx::test
