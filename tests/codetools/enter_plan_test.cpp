#include "codetools/enter_plan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "codetools/indent_engine.h"
#include "codetools/logical_line.h"
#include "kit/vb_strings.h"
#include "tests/codetools/test_support.h"

namespace qv {
namespace {

using test::Lines;

Settings AllOn() {
  Settings settings = test::ToolSettings();
  settings.AutoInsert_EndConstructions = true;
  settings.AutoInsert_CustomCode = true;
  return settings;
}

std::size_t LeftOf(std::wstring_view text, long column) {
  return static_cast<std::size_t>(std::clamp<long>(column - 1, 0, static_cast<long>(text.size())));
}

// Enter as the editor glue calls it: what stands right of the caret, without its leading blanks.
EnterPlan Plan(const ModuleText& module, long line, long column, const Settings& settings) {
  const std::wstring_view text = module.Line(line);
  return PlanEnter(module, line, column, LTrimBlanks(text.substr(LeftOf(text, column))), settings);
}

// The module's lines with "|" for the caret; `expected` is the caret line's new text, "" when Enter is
// left to the editor; `column` the caret's on the line below.
struct EnterCase {
  std::initializer_list<std::wstring_view> lines;
  std::wstring expected;
  long column = 0;
  bool closer = false;
};

void Check(const EnterCase& c, const Settings& settings, bool custom_code = false) {
  std::wstring text = Lines(c.lines);
  const std::size_t at = text.find(L'|');
  text.erase(at, 1);
  const long line =
      static_cast<long>(std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(at), L'\n')) + 1;
  const long column = static_cast<long>(at - (text.rfind(L'\n', at) + 1)) + 1;
  const ModuleText module(text);
  const EnterPlan plan = Plan(module, line, column, settings);
  SCOPED_TRACE(testing::Message() << "line " << line << " of\n" << std::string(text.begin(), text.end()));
  ASSERT_EQ(plan.swallow, !c.expected.empty());
  if (!plan.swallow) return;
  EXPECT_EQ(plan.line, line);
  EXPECT_EQ(plan.text, c.expected);
  EXPECT_EQ(plan.caret.start_line, line + 1);
  EXPECT_EQ(plan.caret.start_column, c.column);
  EXPECT_EQ(plan.closer_inserted, c.closer);
  EXPECT_EQ(plan.custom_code, custom_code);
}

TEST(PlanEnter, CompletesTheBlockTheLineOpens) {
  const EnterCase cases[] = {
      {{L"Sub Foo()|", L"    x = 1", L"End Sub"}, L"Sub Foo()\r\n    ", 5},
      {{L"    If a Then|", L"        x = 1", L"", L"  ' c", L"    End If"}, L"    If a Then\r\n        ", 9},
      // A line indented less than the opener ends the search.
      {{L"    If a Then|", L"End Sub", L"    End If"}, L"    If a Then\r\n        \r\n    End If", 9, true},
      {{L"For i = 1 To 9|", L"For j = 1 To 9", L"Next j, i"}, L"For i = 1 To 9\r\n    ", 5},
      {{L"For i = 1 To 9|", L"For j = 1 To 9", L"Next j", L"x = 1"}, L"For i = 1 To 9\r\n    \r\nNext", 5, true},
      {{L"For i = 1 To 9|", L"For j = 1 To 9", L"For k = 1 To 9", L"Next k, j", L"Next i"},
       L"For i = 1 To 9\r\n    ",
       5},
      {{L"If a Then|", L"If b Then", L"End If"}, L"If a Then\r\n    \r\nEnd If", 5, true},
      {{L"Select Case a", L"    Case 1|"}, L"    Case 1\r\n        ", 9},
      {{L"x = 1: If a Then|"}, L"x = 1: If a Then\r\n    \r\nEnd If", 5, true},
      {{L"If a Then: b: End If|"}, L""},
      {{L"If a Then| x = 1"}, L"If a Then\r\n    x = 1\r\nEnd If", 5, true},
      {{L"Sub A()", L"If a And _", L"   b Then|"}, L"   b Then\r\n    \r\nEnd If", 5, true},
      {{L"If a Then", L"Else|", L"End If"}, L"Else\r\n    ", 5},
      {{L"    Do|", L"Retry:", L"10  x = 1", L"    Loop"}, L"    Do\r\n        ", 9},
      {{L"#If Win64 Then|"}, L"#If Win64 Then\r\n    \r\n#End If", 5, true},
      {{L"'#Region \"r\"|"}, L"'#Region \"r\"\r\n    \r\n'#End Region", 5, true},
      {{L"Do While x|"}, L"Do While x\r\n    \r\nLoop", 5, true},
      // The opener after a closer stands at the closer's level.
      {{L"    If a Then", L"        End If: With x|"}, L"        End If: With x\r\n        \r\n    End With", 9, true},
      // The caret in a literal, or a line that goes on below it: the statement is not whole.
      {{L"If a Then: s = \"x|y\""}, L""},
      {{L"'#Region \"a|b\""}, L""},
      {{L"10\" _", L"'a|b\""}, L""},
      {{L"Else:Rem\"a|b\""}, L""},
      {{L"If a Then| _", L"b = 1"}, L""},
      {{L"If a Then _|", L"b = 1"}, L""},
      {{L"x = 1|"}, L""},
  };
  for (const EnterCase& c : cases) Check(c, AllOn());
  Check({{L"Sub Foo()|"}, L"Sub Foo()\r\n    \r\nEnd Sub", 5, true}, AllOn(), true);
  Check({{L"Public Function F() As Long|", L"", L"' below"},
         L"Public Function F() As Long\r\n    \r\nEnd Function",
         5,
         true},
        AllOn(), true);
  Check({{L"  Property Get P()|"}, L"  Property Get P()\r\n      \r\n  End Property", 7, true}, AllOn(), true);
}

TEST(PlanEnter, FollowsTheSwitches) {
  Settings settings = AllOn();
  settings.AutoInsert_EndConstructions = false;
  settings.AutoInsert_CustomCode = false;
  for (const EnterCase& c : {EnterCase{{L"If a Then|"}, L"If a Then\r\n    ", 5},
                             EnterCase{{L"Function F()|"}, L"Function F()\r\n    \r\nEnd Function", 5, true}}) {
    Check(c, settings);
  }
  settings = AllOn();
  settings.AutoIndent = false;
  Check({{L"  With a|"}, L"  With a\r\n  \r\n  End With", 3, true}, settings);
  settings.AutoInsert_Comment = false;
  Check({{L"' a|"}, L""}, settings);
  settings.AutoInsert = false;
  Check({{L"Sub Foo()|"}, L""}, settings);
}

TEST(PlanEnter, ContinuesCommentBlocks) {
  const EnterCase cases[] = {
      {{L"    ' some| text"}, L"    ' some\r\n    ' text", 7},
      {{L"' some text|"}, L"' some text\r\n' .", 3},
      {{L"'   indented  |"}, L"'   indented  \r\n'     .", 7},
      {{L"'# note|"}, L"'# note\r\n'# .", 4},
      {{L"'|"}, L"'\r\n'.", 2},
      {{L"' done.|"}, L""},
      {{L"' done.| more"}, L""},
      {{L"'#If x Then|"}, L""},
      {{L"'#include x|"}, L""},
      {{L"x = 1 ' note|"}, L""},
  };
  for (const EnterCase& c : cases) Check(c, AllOn());
}

TEST(ContinuedAtCaret, LooksLeftOfTheCaretOnly) {
  const struct {
    std::wstring_view line;
    long column;
    bool continued;
  } cases[] = {{L"x = 1 _", 8, true}, {L"x = 1 _  ", 10, true}, {L"x = 1 _", 7, false},   {L"_", 2, true},
               {L"", 5, false},       {L"x _", LONG_MAX, true}, {L"x _", LONG_MIN, false}};
  for (const auto& c : cases) EXPECT_EQ(ContinuedAtCaret(c.line, c.column), c.continued) << c.column;
}

TEST(PlanEnter, DegenerateInputIsSafe) {
  const ModuleText module(Lines({L"Sub A()", std::wstring(3000, L' ') + L"If a Then"}));
  for (const long line : {-1L, 0L, 3L, LONG_MAX}) EXPECT_FALSE(Plan(module, line, 1, AllOn()).swallow);
  EXPECT_FALSE(PlanEnter(ModuleText(), 1, 1, L"", AllOn()).swallow);
  for (const long column : {LONG_MIN, 0L, 1L}) EXPECT_FALSE(PlanEnter(module, 1, column, L"", AllOn()).swallow);
  EXPECT_EQ(PlanEnter(module, 1, LONG_MAX, L"", AllOn()).text, L"Sub A()\r\n    \r\nEnd Sub");
  Settings settings = AllOn();
  for (const std::int32_t width : {INT32_MIN, -3, 0, INT32_MAX}) {
    settings.IndentWidth = width;
    const EnterPlan plan = PlanEnter(module, 2, 3010, L"", settings);
    // The line's own 3000 blanks are past the cap already.
    EXPECT_EQ(plan.caret.start_column, kMaxIndent + 1);
    EXPECT_EQ(plan.text.size(), 3009 + 2 + kMaxIndent + 2 + kMaxIndent + 6);
  }
}

TEST(PlanEnter, KeepsTheTextLeftOfTheCaretAndEveryLiteral) {
  const std::wstring_view pieces[] = {L"If a Then",
                                      L"For i = 1 To 2",
                                      L"Next i, j",
                                      L"End If",
                                      L"x = \"a: 'b _\"",
                                      L"s = \"\"\"q\"\"\"",
                                      L"Sub S()",
                                      L"End Sub",
                                      L"Case 1",
                                      L"' c \"x\" _",
                                      L"'#If",
                                      L"'",
                                      L"With a",
                                      L"10",
                                      L"L:",
                                      L" _",
                                      L"Do",
                                      L".",
                                      L"Else"};
  std::mt19937 random(16);
  int plans = 0;
  for (int round = 0; round < 60; ++round) {
    std::vector<std::wstring> lines;
    for (int n = 0; n < 40; ++n) {
      std::wstring line(random() % 3 * 4, L' ');
      for (int k = random() % 4; k >= 0; --k) line += std::wstring(pieces[random() % std::size(pieces)]) + L": ";
      line.resize(line.size() - random() % 3);
      lines.push_back(line);
    }
    const ModuleText module(Lines(lines));
    for (long line = 1; line <= module.CountOfLines(); ++line) {
      const std::wstring_view text = module.Line(line);
      const long column = static_cast<long>(random() % (text.size() + 2));
      Settings settings = AllOn();
      settings.AutoInsert_EndConstructions = random() % 2;
      const EnterPlan plan = Plan(module, line, column, settings);
      if (!plan.swallow) continue;
      ++plans;
      const std::wstring_view cur = text.substr(0, LeftOf(text, column));
      ASSERT_TRUE(plan.text.starts_with(cur) && plan.text.substr(cur.size(), 2) == L"\r\n") << line;
      // Each pair of quotes of its code text on the caret's line is a literal, or a piece of one.
      const LogicalLine whole = GetLine(module, line);
      const std::size_t start = GetLine(module, line, 1).text.size(), end = start + text.size();
      for (std::size_t open = whole.code_text.find(L'"', start); open < end;) {
        const std::size_t close = whole.code_text.find(L'"', open + 1);
        if (close == std::wstring::npos) break;
        EXPECT_NE(plan.text.find(whole.text.substr(open, close + 1 - open)), std::wstring::npos)
            << line << ':' << column;
        open = whole.code_text.find(L'"', close + 1);
      }
    }
  }
  EXPECT_GT(plans, 200);
}

}  // namespace
}  // namespace qv
