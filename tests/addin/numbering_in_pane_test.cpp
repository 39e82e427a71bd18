// Line numbering and error handlers on the active code pane: the procedure read at once, numbering
// pasted as one undo step, handlers written line by line where the host then places the procedure.
#include <windows.h>

#include <string>
#include <utility>

#include "addin/error_handlers.h"
#include "addin/line_numbering.h"
#include "sandbox/testing/message_box_watcher.h"
#include "tests/addin/code_pane_fixture.h"

namespace sbx::test {
namespace {

class NumberingInPaneTest : public CodePaneTest {
 protected:
  CodeWindow& Start(std::wstring_view text, long line, long column) {
    CodeWindow& window = StartAddin(text);
    qv::Settings& settings = qv::State().settings;
    settings.NumerationStart = 10;
    settings.NumerationStep = 10;
    Select(line, column);
    host_->ResetCalls();
    return window;
  }
  long Calls(const wchar_t* member) const { return host_->Calls(L"CodeModule", member); }
  long Writes() const { return Calls(L"ReplaceLine") + Calls(L"InsertLines") + Calls(L"DeleteLines"); }

  MessageBoxWatcher boxes_;
};

TEST_F(NumberingInPaneTest, TenThousandLinesTakeOneReadAndOnePaste) {
  std::wstring text = L"Sub A()";
  for (int i = 0; i < 9998; ++i) text += L"\r\n    x = 1";
  CodeWindow& window = Start(text + L"\r\nEnd Sub", 2, 5);
  qv::AddLineNumbers(-1, 0, 0, true, false);
  EXPECT_EQ(1, Calls(L"Lines"));
  EXPECT_EQ(0, Writes());
  EXPECT_EQ(1u, window.text().UndoDepth());
  EXPECT_EQ(L"Sub A()\r\n10  x = 1", Get(CodeModule().Object(), L"Lines", {1L, 2L}).Text());
  EXPECT_EQ(L"99980 x = 1\r\nEnd Sub", Get(CodeModule().Object(), L"Lines", {9999L, 2L}).Text());
  EXPECT_EQ(5, Selection().start_column) << "the statement kept its column";
  EXPECT_FALSE(qv::CurrentSession().loop.Busy);
}

TEST_F(NumberingInPaneTest, TheCaretFollowsItsStatementOnlyWhenAsked) {
  Start(L"Sub A()\r\n  x = 1\r\nEnd Sub\r\nSub B()\r\n  y = 2\r\nEnd Sub", 2, 3);
  qv::AddLineNumbers(-1, 0, 0, false, false);
  EXPECT_EQ(3, Selection().start_column);
  Select(5, 3);
  qv::AddLineNumbers(-1, 0, 0, true, false);
  EXPECT_EQ(4, Selection().start_column);
  EXPECT_EQ(L"Sub A()\r\n10 x = 1\r\nEnd Sub\r\nSub B()\r\n10 y = 2\r\nEnd Sub", ModuleText());
  // Numbered already: nothing is written again, and the caret stays.
  host_->ResetCalls();
  qv::AddLineNumbers(-1, 0, 0, true, false);
  EXPECT_EQ(4, Selection().start_column);
  EXPECT_EQ(0, Writes());
}

TEST_F(NumberingInPaneTest, RemovalReindentsWhenAutomaticIndentationIsOnAndPastesOnlyNumberedCode) {
  CodeWindow& window = Start(
      L"Sub A()\r\n10 x = 1\r\n20 If x Then\r\n30 y = 2\r\nEnd If\r\nEnd Sub\r\n"
      L"Sub B()\r\n10 x = 1\r\n20 If x Then\r\n30 y = 2\r\nEnd If\r\nEnd Sub",
      3, 1);
  qv::RemoveLineNumbers();
  Select(9, 1);
  qv::State().settings.AutoIndent_Automatic = true;
  qv::RemoveLineNumbers();
  EXPECT_EQ(
      L"Sub A()\r\n   x = 1\r\n   If x Then\r\n   y = 2\r\nEnd If\r\nEnd Sub\r\n"
      L"Sub B()\r\n    x = 1\r\n    If x Then\r\n        y = 2\r\n    End If\r\nEnd Sub",
      ModuleText());
  EXPECT_EQ(3u, window.text().UndoDepth()) << "a paste each, and the formatter's";
  host_->ResetCalls();
  qv::RemoveLineNumbers();
  EXPECT_EQ(0, Writes());
}

TEST_F(NumberingInPaneTest, AStepThatGivesNoIncreasingNumbersIsRefusedWithAMessage) {
  const std::wstring text = L"Sub A()\r\nx = 1\r\nEnd Sub";
  CodeWindow& window = Start(text, 2, 1);
  qv::State().settings.NumerationStep = 0;
  qv::AddLineNumbers(-1, 0, 0, true, false);
  EXPECT_EQ(text, ModuleText());
  EXPECT_EQ(0u, window.text().UndoDepth());
  ASSERT_EQ(1u, boxes_.boxes().size());
  EXPECT_NE(std::wstring::npos, boxes_.boxes()[0].text.find(L"2147483647"));
  EXPECT_EQ(MB_ICONEXCLAMATION, boxes_.boxes()[0].style & MB_ICONMASK);
  EXPECT_FALSE(qv::CurrentSession().loop.Busy);
}

TEST_F(NumberingInPaneTest, OutsideProceduresNothingHappens) {
  const std::wstring text = L"Option Explicit\r\nSub A()\r\nx = 1\r\nEnd Sub";
  Start(text, 1, 1);
  qv::AddLineNumbers(-1, 0, 0, true, false);
  qv::RemoveLineNumbers();
  qv::AddErrorHandler(L"On Error Resume Next||0|0");
  qv::DeleteErrorHandler();
  EXPECT_EQ(text, ModuleText());
  EXPECT_TRUE(boxes_.boxes().empty());
}

// A numbering template leaves a procedure that takes no handler as it was, unnumbered too: the
// caret's line and the module.
class NoHandlerTest : public NumberingInPaneTest,
                      public testing::WithParamInterface<std::pair<long, const wchar_t*>> {};

TEST_P(NoHandlerTest, TheProcedureStaysAsItWas) {
  const auto [line, text] = GetParam();
  CodeWindow& window = Start(text, line, 1);
  qv::AddErrorHandler(L"On Error Goto (MemberName)_Err|Exit (MemberType)(CrLf)(MemberName)_Err:(CrLf)Beep|1|1");
  EXPECT_EQ(text, ModuleText());
  EXPECT_EQ(0u, window.text().UndoDepth());
  EXPECT_EQ(0, Writes());
}

INSTANTIATE_TEST_SUITE_P(Procedures, NoHandlerTest,
                         testing::Values(std::pair(1L, L"Sub A(): End Sub\r\nSub B()\r\nEnd Sub"),
                                         std::pair(2L, L"Sub A()\r\n    x = 1\r\n    Close #1: End Sub")));

// Long has comments above its header: the host counts them to it, and a search bounded by its
// header's line plus that count would reach Short's handler.
constexpr wchar_t kShort[] =
    L"Sub Short()\r\n    On Error GoTo Short_Err\r\n    Exit Sub\r\nShort_Err:\r\n    Beep\r\nEnd Sub";
const std::wstring kModule =
    L"Option Explicit\r\n' one\r\n' two\r\n' three\r\n' four\r\nSub Long()\r\n    x = 1\r\nEnd Sub\r\n" +
    std::wstring(kShort);

TEST_F(NumberingInPaneTest, AHandlerGoesInLineByLineAndComesOutAgain) {
  CodeWindow& window = Start(kModule, 7, 1);
  qv::AddErrorHandler(
      L"On Error Goto (MemberName)_Err|Exit (MemberType)(CrLf)(MemberName)_Err:(CrLf)"
      L"MsgBox \"в (ProjectName).(ComponentName)\"|0|0");
  const std::wstring with_handler =
      L"Option Explicit\r\n' one\r\n' two\r\n' three\r\n' four\r\nSub Long()\r\n    On Error Goto Long_Err\r\n"
      L"    x = 1\r\n    Exit Sub\r\n    Long_Err:\r\n    MsgBox \"в VBAProject.Module1\"\r\nEnd Sub\r\n" +
      std::wstring(kShort);
  EXPECT_EQ(with_handler, ModuleText());
  EXPECT_EQ(2, Calls(L"InsertLines"));
  // The procedure's extent is read once to plan and again before each edit.
  EXPECT_EQ(3, Calls(L"ProcCountLines"));
  EXPECT_EQ(0u, window.text().UndoDepth()) << "written through the module, not pasted";
  qv::DeleteErrorHandler();
  EXPECT_EQ(kModule, ModuleText());
}

}  // namespace
}  // namespace sbx::test
