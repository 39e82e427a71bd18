// The formatting command end to end in the sandbox host: one read of the module through the object
// model, one write of the rewritten lines.
#include <gtest/gtest.h>

#include "codetools/indent_engine.h"
#include "codetools/object_model_writer.h"
#include "tests/codetools/win/late_bound_pane.h"
#include "tests/sandbox/host/host_fixture.h"

namespace sbx::test {
namespace {

constexpr wchar_t kModule[] =
    L"Option Explicit\r\n"
    L"\r\n"
    L"Sub Report(ByVal a As Long, _\r\n"
    L"ByVal b As Long)\r\n"
    L"If a > b Then\r\n"
    L"  Debug.Print \"a: \" & a\r\n"
    L"End If\r\n"
    L"End Sub\r\n"
    L"Sub Other()\r\n"
    L"x = 1\r\n"
    L"End Sub";

class FormatInHostTest : public HostTest {};

TEST_F(FormatInHostTest, TheCommandRewritesTheSelectedProcedureWithOneReadAndOneWrite) {
  StartWithModule(kModule);
  LateBoundPane pane(vbe());
  // From the continued header's second line to the caret inside the Debug line.
  pane.SetSelection({4, 3, 6, 10});
  host_->ResetCalls();

  qv::FormatRequest request;
  request.selection = pane.GetSelection();
  const qv::FormatResult result = qv::Formatting(pane.Snapshot(), request, qv::IndentSettings{4});
  ASSERT_TRUE(result.Edit());
  qv::ObjectModelWriter(pane).Write(*result.Edit());
  EXPECT_EQ(1, host_->Calls(L"CodeModule", L"Lines"));
  EXPECT_EQ(1, host_->Calls(L"CodeModule", L"ReplaceLine"));

  EXPECT_EQ(
      L"Option Explicit\r\n"
      L"\r\n"
      L"Sub Report(ByVal a As Long, _\r\n"
      L"ByVal b As Long)\r\n"
      L"    If a > b Then\r\n"
      L"        Debug.Print \"a: \" & a\r\n"
      L"End If\r\n"
      L"End Sub\r\n"
      L"Sub Other()\r\n"
      L"x = 1\r\n"
      L"End Sub",
      Get(CodeModule().Object(), L"Lines", {1L, Get(CodeModule().Object(), L"CountOfLines").Long()}).Text());
  // The selection's columns follow the first selected line's shift (here none).
  const qv::Selection after = pane.GetSelection();
  EXPECT_EQ(4, after.start_line);
  EXPECT_EQ(3, after.start_column);
}

TEST_F(FormatInHostTest, AShrinkingIndentMovesTheCaretLeftButNotPastColumnOne) {
  StartWithModule(L"Sub A()\r\n            x = 1\r\nEnd Sub");
  LateBoundPane pane(vbe());
  pane.SetSelection({2, 3, 2, 3});

  qv::FormatRequest request;
  request.selection = pane.GetSelection();
  const qv::FormatResult result = qv::Formatting(pane.Snapshot(), request, qv::IndentSettings{4});
  ASSERT_TRUE(result.Edit());
  qv::ObjectModelWriter(pane).Write(*result.Edit());

  EXPECT_EQ(L"    x = 1", Get(CodeModule().Object(), L"Lines", {2L, 1L}).Text());
  const qv::Selection after = pane.GetSelection();
  EXPECT_EQ(2, after.start_line);
  EXPECT_EQ(1, after.start_column);
}

}  // namespace
}  // namespace sbx::test
