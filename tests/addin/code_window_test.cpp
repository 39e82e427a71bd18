// Finding the window of the active code pane, in MDI and SDI mode.
#include <windows.h>

#include "addin/code_pane.h"
#include "tests/addin/code_pane_fixture.h"

namespace sbx::test {
namespace {

class CodeWindowTest : public CodePaneTest {
 protected:
  // Module1 and Module2 open, Module2's window the active one.
  CodeWindow& StartTwo(HostOptions options = {}) {
    CodeWindow& first = StartAddin(L"a", std::move(options));
    second_ = &host_->AddComponent(*host_->state().projects.front().Get(), kStdModule, L"Module2", L"b");
    second_window_ = &host_->Open(*second_);
    return first;
  }

  ComponentObject* second_ = nullptr;
  CodeWindow* second_window_ = nullptr;
};

TEST_F(CodeWindowTest, MdiGivesTheActiveChildWhileTheMainWindowIsInFront) {
  CodeWindow& first = StartTwo();
  EXPECT_EQ(second_window_->hwnd(), qv::GetCodeWindow());
  host_->workspace().Activate(first);
  EXPECT_EQ(first.hwnd(), qv::GetCodeWindow());
  const FocusThief dialog;
  EXPECT_EQ(nullptr, qv::GetCodeWindow());
}

TEST_F(CodeWindowTest, SdiGivesTheForegroundWindowWhoseCaptionNamesTheSelectedComponent) {
  CodeWindow& first = StartTwo({.personality = Personality::kVb6, .sdi = true});
  ASSERT_TRUE(qv::State().settings.IsSDI);
  EXPECT_EQ(second_window_->hwnd(), qv::GetCodeWindow());
  host_->workspace().Activate(first);
  EXPECT_EQ(first.hwnd(), qv::GetCodeWindow());
  // The project window has another component selected than the window in front shows.
  host_->SelectComponent(*second_);
  EXPECT_EQ(nullptr, qv::GetCodeWindow());
  host_->workspace().Activate(*second_window_);
  const FocusThief dialog;
  EXPECT_EQ(nullptr, qv::GetCodeWindow());
}

}  // namespace
}  // namespace sbx::test
