// The typing-time line tools on a code window of the sandbox host: the module read through the
// object model, the rewrite written through ReplaceLine and DeleteLines, the caret set with
// SetSelection.
#include <gtest/gtest.h>

#include "codetools/auto_indent.h"
#include "codetools/auto_text.h"
#include "codetools/line_rewrite.h"
#include "host/host_code_pane.h"
#include "host/vbe.h"
#include "tests/codetools/test_support.h"
#include "tests/sandbox/host/host_fixture.h"

namespace sbx::test {
namespace {

using qv::test::Lines;

class LineToolsInHostTest : public HostTest {
 protected:
  qv::HostCodePane& Open(const std::wstring& text, qv::Selection caret) {
    StartWithModule(text);
    pane_.emplace(qv::Vbe(vbe()).ActiveCodePane());
    pane_->SetSelection(caret);
    host_->ResetCalls();
    return *pane_;
  }
  std::wstring Text() const {
    return Get(CodeModule().Object(), L"Lines", {1L, Get(CodeModule().Object(), L"CountOfLines").Long()}).Text();
  }
  void ExpectSelection(long line, long start_column, long end_column) {
    const qv::Selection s = pane_->GetSelection();
    EXPECT_EQ(line, s.start_line);
    EXPECT_EQ(start_column, s.start_column);
    EXPECT_EQ(line, s.end_line);
    EXPECT_EQ(end_column, s.end_column);
  }

  std::optional<qv::HostCodePane> pane_;
  const qv::Settings settings_ = qv::test::ToolSettings();
};

TEST_F(LineToolsInHostTest, EnterCompletesThenAndLeavesTheCaretWhereTheLineSplits) {
  qv::HostCodePane& pane = Open(Lines({L"Sub A()", L"If x > 0", L"End Sub"}), {2, 9, 2, 9});
  qv::ApplyLineAutoInsert(true, pane.Snapshot(), pane, settings_);
  EXPECT_EQ(Lines({L"Sub A()", L"If x > 0 Then", L"End Sub"}), Text());
  ExpectSelection(2, 14, 14);
  EXPECT_EQ(1, host_->Calls(L"CodeModule", L"ReplaceLine"));
  EXPECT_EQ(0, host_->Calls(L"CodeModule", L"DeleteLines"));
}

TEST_F(LineToolsInHostTest, AnArrowKeyRewritesAContinuedStatementOverAllItsLines) {
  qv::HostCodePane& pane = Open(Lines({L"Sub A()", L"total += a + _", L"  b", L"End Sub"}), {2, 1, 2, 1});
  qv::ApplyLineAutoInsert(false, pane.Snapshot(), pane, settings_);
  EXPECT_EQ(Lines({L"Sub A()", L"total  = total + a + _", L"  b", L"End Sub"}), Text());
  ExpectSelection(2, 10, 10);
  EXPECT_EQ(1, host_->Calls(L"CodeModule", L"DeleteLines"));
}

TEST_F(LineToolsInHostTest, NothingToChangeWritesNothingAndKeepsTheCaret) {
  qv::HostCodePane& pane = Open(Lines({L"Sub A()", L"x = 1", L"End Sub"}), {2, 3, 2, 3});
  qv::ApplyLineAutoInsert(true, pane.Snapshot(), pane, settings_);
  qv::AutoIndentNewLine(true, pane.Snapshot(), pane, settings_);
  EXPECT_EQ(0, host_->Calls(L"CodeModule", L"ReplaceLine"));
  EXPECT_EQ(0, host_->Calls(L"CodePane", L"SetSelection"));
  ExpectSelection(2, 3, 3);
}

TEST_F(LineToolsInHostTest, EnterMovesAClosingLineToItsOpenersColumn) {
  qv::HostCodePane& pane =
      Open(Lines({L"Sub A()", L"    If x Then", L"        y = 1", L"        End If", L"End Sub"}), {4, 15, 4, 15});
  qv::AutoIndentNewLine(true, pane.Snapshot(), pane, settings_);
  EXPECT_EQ(Lines({L"Sub A()", L"    If x Then", L"        y = 1", L"    End If", L"End Sub"}), Text());
  ExpectSelection(4, 11, 11);
}

TEST_F(LineToolsInHostTest, AShippedAbbreviationExpandsOverSeveralLinesWithItsMarksSelected) {
  qv::HostCodePane& pane = Open(Lines({L"Sub A()", L"    ifee ", L"End Sub"}), {2, 10, 2, 10});
  qv::test::NoTemplateHost templates;
  qv::InsertAutoText(pane.Snapshot(), pane, qv::test::ShippedAutoInserts(), settings_, templates);
  EXPECT_EQ(Lines({L"Sub A()", L"    If [Введите условие] Then", L"        ", L"    Else", L"        ", L"    End If",
                   L"End Sub"}),
            Text());
  ExpectSelection(2, 8, 25);
}

}  // namespace
}  // namespace sbx::test
