#include "codetools/auto_indent.h"

#include <gtest/gtest.h>

#include <string>

#include "codetools/indent_engine.h"
#include "tests/codetools/memory_module.h"
#include "tests/codetools/test_support.h"
#include "tests/codetools/tool_case.h"

namespace qv {
namespace {

using test::At;
using test::Lines;
using test::ToolCase;

void Check(const ToolCase& c, bool at_caret) {
  test::CheckTool(c, [&](test::MemoryPane& pane) { AutoIndentNewLine(at_caret, pane, pane, test::ToolSettings()); });
}

TEST(AutoIndentNewLine, ClosingAndMiddleLinesTakeTheirOpenersColumn) {
  const ToolCase cases[] = {
      {Lines({L"Sub A()", L"    If x Then", L"        y = 1", L"        End If"}), At(4, 15),
       Lines({L"Sub A()", L"    If x Then", L"        y = 1", L"    End If"}), At(4, 11)},
      {Lines({L"Sub A()", L"    If x Then", L"        y = 1", L"        Else"}), At(4, 13),
       Lines({L"Sub A()", L"    If x Then", L"        y = 1", L"    Else"}), At(4, 9)},
      {Lines({L"    Select Case a", L"Case 2"}), At(2, 7), Lines({L"    Select Case a", L"        Case 2"}), At(2, 15)},
      {Lines({L"Sub A()", L"    Do", L"        x = 1", L"Loop"}), At(4, 5),
       Lines({L"Sub A()", L"    Do", L"        x = 1", L"    Loop"}), At(4, 9)},
      {Lines({L"    For i = 1 To 2", L"x = i", L"Next i"}), At(3, 7),
       Lines({L"    For i = 1 To 2", L"x = i", L"    Next i"}), At(3, 11)},
      // What stood right of the caret follows, where Enter splits the line.
      {Lines({L"Select Case a", L"    Case 1", L"        End Select  x = 1"}), At(3, 19),
       Lines({L"Select Case a", L"    Case 1", L"End Selectx = 1"}), At(3, 11)},
      // A line number stays in column 1, the statement moves after it.
      {Lines({L"Sub A()", L"    If x Then", L"10 End If"}), At(3, 10),
       Lines({L"Sub A()", L"    If x Then", L"10  End If"}), At(3, 11)},
      // A continued line moves its first line only, and the caret below stays.
      {Lines({L"Select Case a", L"        Case 1, _", L"             2"}), At(3, 15),
       Lines({L"Select Case a", L"    Case 1, _", L"             2"}), At(3, 15)},
  };
  for (const ToolCase& c : cases) Check(c, true);
}

TEST(AutoIndentNewLine, OtherLinesAndRightLinesAreLeftAlone) {
  const ToolCase cases[] = {
      {Lines({L"If x Then", L"End If"}), At(2, 7), L"", {}},
      {Lines({L"If x Then", L"10 End If"}), At(2, 10), L"", {}},
      {Lines({L"Sub A()", L"If y Then"}), At(2, 10), L"", {}},
      {Lines({L"Sub A()", L"x = 1"}), At(2, 6), L"", {}},
      {Lines({L"Sub A()", L"    If x Then", L"        End If"}), At(3, 5), L"", {}},  // the caret in the blanks
      {Lines({L"Select Case a", L"        Case 1, _"}), At(2, 18), L"", {}},          // Enter right after " _"
  };
  for (const ToolCase& c : cases) Check(c, true);
}

TEST(AutoIndentNewLine, WholeLineMovesTheCaretButNotBeforeColumnOne) {
  Check({Lines({L"If x Then", L"            End If"}), At(2, 3), Lines({L"If x Then", L"End If"}), At(2, 1)}, false);
  Check({Lines({L"If x Then", L"            End If  "}), At(2, 16), Lines({L"If x Then", L"End If  "}), At(2, 4)},
        false);
  // Only the first line moves: a caret on the line below stays.
  Check({Lines({L"Select Case a", L"        Case 1, _", L"             2"}), At(3, 5),
         Lines({L"Select Case a", L"    Case 1, _", L"             2"}), At(3, 5)},
        false);
}

// A label or line number follows the formatter's rules, the same on Enter as on command: one that
// its line's move brings to column 1 stays a label there, a blank before its statement; one in
// column 1 stays; an indented one moves with its line.
TEST(AutoIndentNewLine, LabelsMoveAsTheFormatterMovesThem) {
  const struct {
    std::wstring_view above;
    std::wstring_view line;
    std::wstring_view expected;
  } cases[] = {
      {L"If a Then", L"    10   End If", L"10 End If"},  {L"If a Then", L"  L1:   End If", L"L1: End If"},
      {L"If a Then", L"  L1: End If", L"L1: End If"},    {L"If a Then", L"        10   End If ' c", L"10 End If ' c"},
      {L"    If x Then", L"10   End If", L"10  End If"}, {L"    If x Then", L"        10 End If", L"    10 End If"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(c.line)));
    const auto statement = [](std::wstring_view text) { return static_cast<long>(text.find(L"End")) + 1; };
    Check({Lines({c.above, c.line}), At(2, statement(c.line)), Lines({c.above, c.expected}),
           At(2, statement(c.expected))},
          false);
    const FormatRequest request{false, 0, At(2, 1)};
    EXPECT_EQ(Formatting(MemoryModule(Lines({c.above, c.line})), request, {4}).FormatText, c.expected);
  }
}

}  // namespace
}  // namespace qv
