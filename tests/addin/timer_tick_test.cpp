// The main loop's guard: a tick that starts while another runs (a paste's wait dispatches the
// timer's messages) does nothing and leaves the running tick's guard alone.
#include "addin/session.h"
#include "library/main_loop.h"
#include "tests/addin/code_pane_fixture.h"
#include "tests/addin/recording_parts.h"

namespace sbx::test {
namespace {

using TimerTickTest = CodePaneTest;

TEST_F(TimerTickTest, ATickInsideARunningOneDoesNothing) {
  StartAddin(L"Sub A()\r\nx = 1\r\nEnd Sub");
  qv::MainLoopState& loop = qv::CurrentSession().loop;
  loop.Busy = true;
  host_->ResetCalls();
  qv::test::RecordingParts parts;
  qv::TimerTick(parts);
  EXPECT_EQ(0, host_->TotalCalls());
  EXPECT_TRUE(loop.Busy) << "the running tick's guard stays";
  loop.Busy = false;
  qv::TimerTick(parts);
  EXPECT_GT(host_->TotalCalls(), 0) << "a tick of its own reads the host";
  EXPECT_FALSE(loop.Busy);
}

}  // namespace
}  // namespace sbx::test
