#include "codetools/line_rewrite.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/codetools/test_support.h"
#include "tests/codetools/tool_case.h"

namespace qv {
namespace {

using test::At;
using test::Lines;
using test::ToolCase;

// The caret at the end of line 1.
Selection End(std::wstring_view line) { return At(1, static_cast<long>(line.size()) + 1); }

void Check(const ToolCase& c, bool at_caret, const Settings& settings = test::ToolSettings()) {
  SCOPED_TRACE(at_caret ? "Enter" : "arrow");
  test::CheckTool(c, [&](test::MemoryPane& pane) { ApplyLineAutoInsert(at_caret, pane, pane, settings); });
}

ToolCase OnEnter(std::wstring text, std::wstring expected) {
  const Selection caret = End(text);
  const Selection after = End(expected);
  return {std::move(text), caret, std::move(expected), after};
}

// The caret moves on its line to `column`.
ToolCase Moved(std::wstring text, Selection caret, std::wstring expected, long column) {
  return {std::move(text), caret, std::move(expected), At(caret.start_line, column)};
}

TEST(ApplyLineAutoInsert, EnterAtTheEndOfALine) {
  const ToolCase cases[] = {
      OnEnter(L"If x > 0", L"If x > 0 Then"),
      OnEnter(L"ElseIf y", L"ElseIf y Then"),
      OnEnter(L"#If DEBUG", L"#If DEBUG Then"),
      OnEnter(L"    #ElseIf X", L"    #ElseIf X Then"),
      OnEnter(L"If x > 0 ' check", L"If x > 0 Then ' check"),  // before the comment
      OnEnter(L"#include \"file.bas\"", L"'#include \"file.bas\""),
      OnEnter(L"#Region \"Main\"", L"'#Region \"Main\""),
      OnEnter(L"  #End Region", L"'  #End Region"),
      OnEnter(L"i++", L"i = i + 1"),
      OnEnter(L"Me.Count--", L"Me.Count = Me.Count - 1"),
      OnEnter(L"If a Then n--", L"If a Then n = n - 1"),
      OnEnter(L"Else k++", L"Else k = k + 1"),
      OnEnter(L"10 i++", L"10 i = i + 1"),
      OnEnter(L"    n++ ' count", L"    n = n + 1 ' count"),
      OnEnter(L"s &= \"a:b 'c\"", L"s  = s & \"a:b 'c\""),
      OnEnter(L"total += x", L"total  = total + x"),
      OnEnter(L"If ok Then sum += a(i)", L"If ok Then sum  = sum + a(i)"),
      OnEnter(L"x = \"a: b 'c\": y++", L"x = \"a: b 'c\": y = y + 1"),
      OnEnter(L"a++ : b -= 2: c", L"a = a + 1 : b  = b - 2: c"),  // "a++:" would be a label
      OnEnter(L"Dim a As Long = 5, b, c = 2", L"Dim a As Long , b,c: a= 5: c= 2"),
      OnEnter(L"  dim s = \"x, y\", n(2, 3) As Long", L"  dim s, n(2, 3) As Long: s= \"x, y\""),
      OnEnter(L"Dim a(1,2) As Long = 0", L"Dim a(1,2) As Long : a(1,2)= 0"),
      // The directive is commented out, and nothing after it is rewritten.
      OnEnter(L"#include x: n++", L"'#include x: n++"),
  };
  for (const ToolCase& c : cases) Check(c, true);
}

TEST(ApplyLineAutoInsert, NothingToChangeWritesNothing) {
  for (const std::wstring_view text :
       {L"If x > 0 Then", L"If a Then b = 1", L"If Err Then GoTo Fail", L"If Err GoTo Fail", L"If a: b", L"1++",
        L"a b++", L"Dim a(1, 2) As Long = 0", L"Dim a As Long", L"x = 1", L"x = \"If a\"", L"' If a", L"",
        L"'#Include <x.bas>: n++", L"If s = \"a += 1\" Then", L"ErrorHandler:"}) {
    Check({std::wstring(text), End(text), L"", {}}, true);
    Check({std::wstring(text), At(1, 1), L"", {}}, false);
  }
}

// A lone "_" continues the line: "_" and the break after it are no name to increment.
TEST(ApplyLineAutoInsert, AContinuationIsNoName) {
  const std::wstring text = L" _\r\n  --";
  Check({text, At(2, 5), L"", {}}, true);
  Check({text, At(2, 1), L"", {}}, false);
}

// A statement that goes on below is not finished: nothing is written.
TEST(ApplyLineAutoInsert, AContinuedStatementIsLeftAlone) {
  // On Enter: the text before the caret ends in "_" once its trailing blanks go.
  for (const std::wstring_view text : {L"If x _ ", L"If x _   ", L"n++ _  ", L"#include x _ ", L"a += 1 _ "}) {
    Check({std::wstring(text), End(text), L"", {}}, true);
  }
  // On the arrow keys: the module ends in " _", whatever line of the statement holds the caret.
  const ToolCase arrows[] = {
      {L"If x _", At(1, 3), L"", {}},
      {L"n++ _", At(1, 1), L"", {}},
      {L"Dim a = 1 _", At(1, 1), L"", {}},
      {Lines({L"x = 1", L"If a And _", L"   b _"}), At(2, 1), L"", {}},
      {Lines({L"x = 1", L"If a And _", L"   b _"}), At(3, 4), L"", {}},
  };
  for (const ToolCase& c : arrows) Check(c, false);
}

TEST(ApplyLineAutoInsert, EnterInsideALine) {
  const ToolCase cases[] = {
      // What stood right of the caret follows the rewritten text, where Enter splits the line.
      Moved(L"If x > 0   foo", At(1, 9), L"If x > 0 Thenfoo", 14),
      Moved(L"i++  next", At(1, 4), L"i = i + 1next", 10),
      Moved(L"#include x  y", At(1, 11), L"'#include xy", 12),
      // The selected text goes, as Enter would take it.
      Moved(L"i++xy z", {1, 4, 1, 6}, L"i = i + 1z", 10),
      // A selection ending on another line takes nothing of this one.
      Moved(Lines({L"If x > 0", L"abc"}), {1, 9, 2, 2}, Lines({L"If x > 0 Then", L"abc"}), 14),
      // A continued statement is rewritten over all its lines, once.
      Moved(Lines({L"If a > 0 And _", L"   b > 0", L"x = 1"}), At(2, 9),
            Lines({L"If a > 0 And _", L"   b > 0 Then", L"x = 1"}), 14),
      Moved(Lines({L"x = 1: a = b + _", L"  c: n++"}), At(2, 9), Lines({L"x = 1: a = b + _", L"  c: n = n + 1"}), 15),
      Moved(Lines({L"#include _", L"  x"}), At(2, 4), Lines({L"'#include _", L"  x"}), 4),
      // Right after " _" the statement goes on, and inside a string a keyword would join the text:
      // nothing is done.
      {L"If s = \"abcdef\"", At(1, 11), L"", {}},
      {Lines({L"If a > 0 And _", L"   b > 0"}), At(1, 15), L"", {}},
      {L"i++ _", At(1, 6), L"", {}},
  };
  for (const ToolCase& c : cases) Check(c, true);
}

TEST(ApplyLineAutoInsert, ArrowKeysRewriteTheWholeLineAndMoveTheCaretByTheInsertion) {
  const ToolCase cases[] = {
      Moved(L"If x > 0", At(1, 3), L"If x > 0 Then", 8),
      Moved(L"#include x", At(1, 2), L"'#include x", 3),
      Moved(L"i++", At(1, 1), L"i = i + 1", 7),
      Moved(L"total += x", At(1, 1), L"total  = total + x", 10),
      Moved(L"Dim a As Long = 5, b, c = 2", At(1, 1), L"Dim a As Long , b,c: a= 5: c= 2", 7),
      Moved(Lines({L"If a > 0 And _", L"   b > 0", L"x = 1"}), At(1, 3),
            Lines({L"If a > 0 And _", L"   b > 0 Then", L"x = 1"}), 8),
      // The assignments and Then go before the line join that leads to a comment.
      Moved(Lines({L"Dim a As Long = 5 _", L"    ' note"}), At(1, 1), Lines({L"Dim a As Long : a= 5 _", L"    ' note"}),
            4),
      Moved(Lines({L"If x _", L"  ' note"}), At(1, 1), Lines({L"If x Then _", L"  ' note"}), 6),
  };
  for (const ToolCase& c : cases) Check(c, false);
}

TEST(ApplyLineAutoInsert, EachRuleHasItsSetting) {
  struct Off {
    bool Settings::*setting;
    std::wstring_view line;
  };
  const Off cases[] = {
      {&Settings::AutoInsert, L"If x"},
      {&Settings::AutoInsert, L"#include x"},
      {&Settings::AutoInsert_Then, L"If x"},
      {&Settings::AutoInsert_Comment, L"#Region \"a\""},
      {&Settings::AutoReplace, L"i++"},
      {&Settings::AutoReplace, L"a += 1"},
      {&Settings::AutoReplace, L"Dim a = 1"},
      {&Settings::IncrementAndDecrement, L"i--"},
      {&Settings::ComponentAssignment, L"a *= 2"},
      {&Settings::InitializationWithDeclarate, L"Dim a = 1"},
  };
  for (const Off& c : cases) {
    Settings settings = test::ToolSettings();
    settings.*c.setting = false;
    Check({std::wstring(c.line), End(c.line), L"", {}}, true, settings);
  }
  // The replacements do not depend on AutoInsert.
  Settings settings = test::ToolSettings();
  settings.AutoInsert = false;
  Check(OnEnter(L"i++", L"i = i + 1"), true, settings);
}

}  // namespace
}  // namespace qv
