// The formatting command and the incremental run on the active code pane: the module read once, the
// result pasted once.
#include <string>

#include "addin/code_pane.h"
#include "tests/addin/code_pane_fixture.h"

namespace sbx::test {
namespace {

class FormattingInPaneTest : public CodePaneTest {
 protected:
  void FormatSelection(long first, long first_column, long last, long last_column) {
    Invoke(Pane().Object(), L"SetSelection", DISPATCH_METHOD, {first, first_column, last, last_column});
    host_->ResetCalls();
    qv::Formatting(qv::FormatRequest{false, 0, Selection()});
  }
  long Calls(const wchar_t* member) const { return host_->Calls(L"CodeModule", member); }
};

TEST_F(FormattingInPaneTest, TheSelectedLinesAreReadOnceAndPastedOnce) {
  CodeWindow& window = StartAddin(L"Sub Report(ByVal a As Long, _\r\nByVal b As Long)\r\nIf a Then\r\nx = 1\r\nEnd If");
  // From the continued header's second line to the caret inside the If block.
  FormatSelection(2, 3, 4, 3);
  EXPECT_EQ(1, Calls(L"Lines"));
  EXPECT_EQ(0, Calls(L"ReplaceLine") + Calls(L"InsertLines") + Calls(L"DeleteLines"));
  EXPECT_EQ(1u, window.text().UndoDepth());
  EXPECT_EQ(L"Sub Report(ByVal a As Long, _\r\nByVal b As Long)\r\n    If a Then\r\n        x = 1\r\nEnd If",
            ModuleText());
  // The selection's columns follow the first selected line's shift (here none).
  EXPECT_EQ(2, Selection().start_line);
  EXPECT_EQ(3, Selection().start_column);
}

TEST_F(FormattingInPaneTest, TenThousandLinesTakeOneReadAndOnePaste) {
  std::wstring text = L"Sub A()";
  for (int i = 0; i < 9998; ++i) text += L"\r\nx = 1";
  CodeWindow& window = StartAddin(text + L"\r\nEnd Sub");
  FormatSelection(1, 1, 10000, 1);
  EXPECT_EQ(1, Calls(L"Lines"));
  EXPECT_EQ(1u, window.text().UndoDepth());
  EXPECT_EQ(L"    x = 1\r\nEnd Sub", Get(CodeModule().Object(), L"Lines", {9999L, 2L}).Text());
}

TEST_F(FormattingInPaneTest, NothingIsWrittenWhenTheLinesAreRightOrThereIsNoPane) {
  CodeWindow& window = StartAddin(L"Sub A()\r\n    x = 1\r\nEnd Sub");
  const DWORD clipboard = GetClipboardSequenceNumber();
  const qv::FormatResult right = qv::Formatting(qv::FormatRequest{true, 1, {2, 1, 2, 1}});
  EXPECT_EQ(0, right.FormatEnd);
  EXPECT_EQ(0u, window.text().UndoDepth());
  EXPECT_EQ(clipboard, GetClipboardSequenceNumber());

  SendMessageW(window.hwnd(), WM_CLOSE, 0, 0);
  const qv::FormatResult none = qv::Formatting(qv::FormatRequest{true, 2, {}});
  EXPECT_EQ(2, none.FormatStart);
  EXPECT_EQ(0, none.FormatEnd);
}

}  // namespace
}  // namespace sbx::test
