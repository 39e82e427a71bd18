#include "codetools/line_numbering.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "codetools/jump_targets.h"
#include "tests/codetools/memory_module.h"
#include "tests/codetools/procedures.h"
#include "tests/codetools/test_support.h"

namespace qv {
namespace {

using Body = std::vector<std::wstring>;

// Procedure A between two neighbours that carry numbers and jumps of their own.
const Body kAbove = {L"Sub Before()", L"10 GoTo 10", L"End Sub", L"' A numbers", L"Sub A()"};
const Body kBelow = {L"End Sub", L"' about After", L"' more", L"Sub After()", L"20 GoTo 10", L"End Sub"};
constexpr long kHeader = 5;

struct Numbered {
  Body body;  // A's body after the run
  NumberingResult result;
};

// Numbers A and checks that nothing outside its body changed, the End line included.
Numbered NumberA(const Body& body, const NumberingRequest& request) {
  Body lines = kAbove;
  lines.insert(lines.end(), body.begin(), body.end());
  lines.insert(lines.end(), kBelow.begin(), kBelow.end());
  const ModuleText module = test::WithProcedures(test::Lines(lines));
  Numbered run{{}, AddLineNumbers(module, test::Procedure(module, L"A"), request)};
  MemoryModule written(module.Text());
  if (run.result.edit) written.Write(*run.result.edit);
  const Body after = test::LinesOf(written.Text());
  const auto below = after.end() - static_cast<long>(kBelow.size());
  EXPECT_EQ(Body(after.begin(), after.begin() + kHeader), kAbove);
  EXPECT_EQ(Body(below, after.end()), kBelow);
  run.body.assign(after.begin() + kHeader, below);
  return run;
}

TEST(AddLineNumbers, TheWholeBodyOnceAndAgain) {
  const std::tuple<bool, Body, Body> cases[] = {
      // The skip list: a wider indentation keeps its column.
      {true,
       {L"    Dim a As Long", L"    a = 1", L"    If a Then", L"    End If"},
       {L"    Dim a As Long", L"10  a = 1", L"20  If a Then", L"    End If"}},
      {false, {L"    Dim a As Long", L"  a = 1"}, {L"10  Dim a As Long", L"20 a = 1"}},
      {true,
       {L"Dim o As New Collection", L"Static n As Long", L"Exit Sub: x = 1", L"Loop: Next", L"Resume Next"},
       {L"10 Dim o As New Collection", L"Static n As Long", L"20 Exit Sub: x = 1", L"Loop: Next", L"Resume Next"}},
      // No statement, or one a number in front would break: a label, an indented number, a lone "_", a
      // directive. A comment loses its old number.
      {false,
       {L"", L"30 ' note", L"Retry:", L"Retry: x = 1", L"  70 z = 3", L"_", L"  '#Region \"r\"", L"w = 4"},
       {L"", L"   ' note", L"Retry:", L"Retry: x = 1", L"  70 z = 3", L"_", L"  '#Region \"r\"", L"10 w = 4"}},
      // Old numbers give way; a continued statement is numbered on its first line.
      {false,
       {L"5 a = 1", L"1000 b = 2", L"&H10 c = _", L"    3"},
       {L"10 a = 1", L"20   b = 2", L"30   c = _", L"    3"}},
  };
  for (const auto& [skip_list, body, expected] : cases) {
    SCOPED_TRACE(testing::PrintToString(body));
    EXPECT_EQ(NumberA(body, {-1, 0, 0, skip_list}).body, expected);
    const Numbered again = NumberA(expected, {-1, 0, 0, skip_list});
    EXPECT_EQ(again.body, expected);
    EXPECT_FALSE(again.result.edit) << "nothing to write the second time";
  }
}

TEST(AddLineNumbers, JumpsFollowTheirLinesInCodeOnly) {
  const Numbered run = NumberA({L"10 x = 1", L"GoTo 10", L"20 On x GoTo 10, 20: y = \"GoTo 10\" ' GoTo 20",
                                L"If x Then 20 Else 10", L"Resume 0", L"On Error GoTo 0", L"GoSub 99"},
                               {-1, 0, 0, false, 100});
  EXPECT_EQ(run.body, (Body{L"100 x = 1", L"110 GoTo 100", L"120 On x GoTo 100, 120: y = \"GoTo 10\" ' GoTo 20",
                            L"130 If x Then 120 Else 100", L"140 Resume 0", L"150 On Error GoTo 0", L"160 GoSub 99"}));
}

TEST(AddLineNumbers, ALineAJumpNamesKeepsANumberAndItsJumpsFollowIt) {
  // skip list, body, body after
  const std::tuple<bool, Body, Body> cases[] = {
      // A statement of the skip list, a comment and a bare number keep one when a jump names them.
      {true,
       {L"10 If x Then GoTo 20", L"20 Exit Sub", L"30 y = 2"},
       {L"10 If x Then GoTo 20", L"20 Exit Sub", L"30 y = 2"}},
      {true,
       {L"On Error GoTo 100", L"For i = 1 To 2", L"  If i Then GoTo 40", L"40 Next", L"Exit Sub", L"100 Resume 40"},
       {L"On Error GoTo 40", L"10 For i = 1 To 2", L"20 If i Then GoTo 30", L"30 Next", L"Exit Sub", L"40  Resume 30"}},
      {false, {L"5 ' here", L"7", L"GoSub 5: GoTo 7"}, {L"10 ' here", L"20 ", L"30 GoSub 10: GoTo 20"}},
      // Unnamed, they lose it; a target no line carries stays as written; of two lines with one
      // number, the first is the jump's.
      {true, {L"20 Exit Sub", L"30 ' gone", L"y = 2: GoTo 99"}, {L"   Exit Sub", L"   ' gone", L"10 y = 2: GoTo 99"}},
      {false, {L"GoTo 2", L"2", L"2 ' again"}, {L"10 GoTo 20", L"20 ", L"  ' again"}},
  };
  for (const auto& [skip_list, body, expected] : cases) {
    SCOPED_TRACE(testing::PrintToString(body));
    EXPECT_EQ(NumberA(body, {-1, 0, 0, skip_list}).body, expected);
    EXPECT_FALSE(NumberA(expected, {-1, 0, 0, skip_list}).result.edit) << "nothing to write the second time";
  }
  // The End line keeps its own number, but its jumps follow too: over the whole body, and as Enter
  // numbers the new line 3 and renumbers what follows.
  const std::tuple<Body, std::vector<NumberingRequest>, Body> ends[] = {
      {{L"Sub A()", L"40 x = 1", L"50 y = 2", L"9 GoTo 50: End Sub"},
       {{}},
       {L"Sub A()", L"10 x = 1", L"20 y = 2", L"9 GoTo 20: End Sub"}},
      {{L"Sub A()", L"30 x = 1", L"", L"40 y = 2", L"GoTo 40: End Sub"},
       {{40, 3, 4}, {50, 4, 0}},
       {L"Sub A()", L"30 x = 1", L"40 ", L"50 y = 2", L"GoTo 50: End Sub"}},
  };
  for (const auto& [lines, requests, expected] : ends) {
    MemoryModule numbered(test::Lines(lines));
    for (const NumberingRequest& request : requests) {
      const ModuleText module = test::WithProcedures(numbered.Text());
      numbered.Write(*AddLineNumbers(module, test::Procedure(module, L"A"), request).edit);
    }
    EXPECT_EQ(numbered.Text(), test::Lines(expected));
  }
}

TEST(AddLineNumbers, CompilerDirectivesTakeNoNumber) {
  const Body body = {L"#If VBA7 Then", L"  #Const A = 1", L"#ElseIf B Then", L"#Else", L"10 #End If", L"x = 1"};
  EXPECT_EQ(NumberA(body, {-1, 0, 0, false}).body,
            (Body{L"#If VBA7 Then", L"  #Const A = 1", L"#ElseIf B Then", L"#Else", L"   #End If", L"10 x = 1"}));
}

TEST(AddLineNumbers, TheCaretFlagAndHowFarItsStatementMoves) {
  // caret line, numbered, shift; lines 6 to 11 of the module
  const std::tuple<long, bool, long> cases[] = {
      {kHeader, false, 0},  // on the declaration the body is numbered, the caret's line is not
      {6, true, 1},         // indented by 2
      {7, true, 0},         // renumbered in place
      {8, true, 3},         // flush left
      {9, false, 0},        // left unnumbered
      {11, true, 0},        // a continuation line: its statement is numbered on the line above
  };
  for (const auto& [caret, numbered, shift] : cases) {
    SCOPED_TRACE(caret);
    const Numbered run =
        NumberA({L"  x = 1", L"30 y = 2", L"z = 3", L"Dim a", L"w = 1 + _", L"    2"}, {-1, 0, 0, true, 10, 10, caret});
    EXPECT_EQ(run.body, (Body{L"10 x = 1", L"20 y = 2", L"30 z = 3", L"Dim a", L"40 w = 1 + _", L"    2"}));
    EXPECT_EQ(run.result.caret_numbered, numbered);
    EXPECT_EQ(run.result.edit->column_shift, shift);
  }
}

TEST(AddLineNumbers, RangesAsEnterNumbersThem) {
  // Enter at the end of "30 x = 1" (line 6) left line 7: it is numbered, then what follows renumbered.
  const Numbered typed =
      NumberA({L"30 x = 1", L"", L"40 y = 2", L"z = 3", L"50 GoTo 40"}, {40, 7, 8, false, 10, 10, 7});
  EXPECT_EQ(typed.body, (Body{L"30 x = 1", L"40 ", L"40 y = 2", L"z = 3", L"50 GoTo 40"}));
  EXPECT_TRUE(typed.result.caret_numbered);
  EXPECT_EQ(typed.result.edit->column_shift, 3);
  EXPECT_EQ(typed.result.edit->last_line, 7);
  EXPECT_EQ(NumberA(typed.body, {50, 8, 0}).body, (Body{L"30 x = 1", L"40 ", L"50 y = 2", L"z = 3", L"60 GoTo 50"}));
  // Under an indented line the number goes into the new line's blanks.
  EXPECT_EQ(NumberA({L"30     x = 1", L"    "}, {40, 7, 8, false, 10, 10, 7}).result.edit->column_shift, 0);

  // first line, line before which it stops, the body after
  const std::tuple<long, long, Body> cases[] = {
      {0, 0, {L"GoTo 100", L"x = 1 + _", L"    2", L"100 y = 2", L"'#Region \"r\"", L"110 w = 4"}},
      {8,
       10,
       {L"GoTo 110", L"100 x = 1 + _", L"    2", L"110 y = 2", L"'#Region \"r\"",
        L"40 w = 4"}},  // a whole statement; a jump above
      {10, 99, {L"GoTo 30", L"x = 1 + _", L"    2", L"30 y = 2", L"'#Region \"r\"", L"100 w = 4"}},
      {9, 9, {L"GoTo 30", L"x = 1 + _", L"    2", L"30 y = 2", L"'#Region \"r\"", L"40 w = 4"}},
  };
  for (const auto& [first, before, expected] : cases) {
    SCOPED_TRACE(testing::Message() << first << ".." << before);
    EXPECT_EQ(
        NumberA({L"GoTo 30", L"x = 1 + _", L"    2", L"30 y = 2", L"'#Region \"r\"", L"40 w = 4"}, {100, first, before})
            .body,
        expected);
  }
}

TEST(AddLineNumbers, NoIncreasingNumbersOfAtMost32BitsNoNumbers) {
  const Body body = {L"a = 1", L"b = 2", L"c = 3"};
  // StartNumber, NumerationStart, NumerationStep
  for (const auto& [start, from, step] : {std::tuple<std::int64_t, std::int64_t, std::int64_t>{-1, 10, 0},
                                          {-1, 10, -10},
                                          {-1, -10, 10},
                                          {2147483648, 10, 10},
                                          {-1, 2147483630, 10}}) {
    const Numbered run = NumberA(body, {start, 0, 99, false, from, step});
    EXPECT_TRUE(run.result.refused) << start << " " << from << " " << step;
    EXPECT_FALSE(run.result.edit);
    EXPECT_EQ(run.body, body);
  }
  EXPECT_EQ(NumberA(body, {-1, 0, 0, false, 2147483627}).body,
            (Body{L"2147483627 a = 1", L"2147483637 b = 2", L"2147483647 c = 3"}));
  EXPECT_EQ(NumberA(body, {0, 0, 99, false, 10, 1}).body, (Body{L"0 a = 1", L"1 b = 2", L"2 c = 3"}));
}

TEST(AddLineNumbers, AProcedureWithoutEndStopsAtItsLastLine) {
  // The host counts the comments above Long's header to it: its header's line plus that count
  // would reach into Short.
  const ModuleText module = test::WithProcedures(
      test::Lines({L"' one", L"' two", L"' three", L"Sub Long()", L"x = 1", L"Sub Short()", L"1 y = 2", L"End Sub"}));
  const NumberingResult result = AddLineNumbers(module, test::Procedure(module, L"Long"), {});
  EXPECT_EQ(result.edit->first_line, 5);
  EXPECT_EQ(result.edit->last_line, 5);
}

TEST(RemoveLineNumbers, BlanksTheNumbersOfTheWholeBody) {
  const Body body = {L"10 x = 1", L"  y = 2", L"20   If x Then", L"30 ' c", L"Retry: z = 3"};
  const ModuleText module =
      test::WithProcedures(test::Lines(kAbove) + L"\r\n" + test::Lines(body) + L"\r\n" + test::Lines(kBelow));
  const std::optional<CodeEdit> edit = RemoveLineNumbers(module, test::Procedure(module, L"A"));
  // The whole body, so that a re-indent after the paste covers it.
  EXPECT_EQ(edit->first_line, kHeader + 1);
  EXPECT_EQ(edit->last_line, kHeader + 5);
  EXPECT_EQ(edit->text, test::Lines({L"   x = 1", L"  y = 2", L"     If x Then", L"   ' c", L"Retry: z = 3"}));
  MemoryModule removed(module.Text());
  removed.Write(*edit);
  EXPECT_FALSE(RemoveLineNumbers(removed, test::Procedure(module, L"A")));
}

TEST(SkipLineNumber, EveryStatementMustBeOnTheList) {
  for (const wchar_t* skipped : {L"  Dim a, b", L"Static n", L"Exit Sub", L"Next i", L"Next", L"On Error GoTo X",
                                 L"Resume", L"End If", L"Do", L"Wend", L" Else ", L"Loop: Next", L""}) {
    EXPECT_TRUE(SkipLineNumber(skipped, true)) << testing::PrintToString(std::wstring(skipped));
    EXPECT_FALSE(SkipLineNumber(skipped, false));
  }
  for (const wchar_t* numbered : {L"Static c As New C", L"ElseIf a Then", L"Do While x", L"Loop Until x", L"dim a",
                                  L"Dim a: x = 1", L"MsgBox Prompt:=x"}) {
    EXPECT_FALSE(SkipLineNumber(numbered, true)) << testing::PrintToString(std::wstring(numbered));
  }
}

TEST(FindJumpTargets, LineNumbersAfterTheJumpingWords) {
  const std::pair<const wchar_t*, std::vector<std::wstring>> cases[] = {
      {L"   goto 10: GoSub 20", {L"10", L"20"}},
      {L"On x GoSub 10, _\r     20 ,30", {L"10", L"20", L"30"}},
      {L"On Error GoTo 00", {}},
      {L"On Error GoTo 10: GoTo 0", {L"10", L"0"}},
      {L"Resume 0: Resume 40: Resume Next", {L"40"}},
      {L"If x Then 30 Else y = 40", {L"30"}},
      {L"GoTo Handler: GoTo 10a: GoTo 1.5: x.GoTo 10: MyGoTo 10", {}},
  };
  for (const auto& [code, expected] : cases) {
    const std::wstring_view text(code);
    std::vector<std::wstring> found;
    for (const TextSpan& span : FindJumpTargets(text)) found.emplace_back(text.substr(span.position, span.length));
    EXPECT_EQ(found, expected) << testing::PrintToString(std::wstring(code));
  }
}

}  // namespace
}  // namespace qv
