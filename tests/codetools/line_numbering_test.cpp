#include "codetools/line_numbering.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "codetools/jump_targets.h"
#include "tests/codetools/procedures.h"
#include "tests/codetools/test_support.h"

namespace qv {
namespace {

using Body = std::vector<std::wstring>;

// Procedure A between two neighbours that carry numbers and jumps of their own.
const Body kAbove = {L"Sub Before()", L"10 GoTo 10", L"End Sub", L"' A numbers", L"Sub A()"};
const Body kBelow = {L"End Sub", L"' about After", L"' more", L"Sub After()", L"20 GoTo 10", L"End Sub"};
constexpr long kHeader = 5;
constexpr long kFirstBodyLine = 6;

std::wstring ModuleAround(const Body& body) {
  Body lines = kAbove;
  lines.insert(lines.end(), body.begin(), body.end());
  lines.insert(lines.end(), kBelow.begin(), kBelow.end());
  return test::Lines(lines);
}

struct Numbered {
  Body body;  // A's body after the run
  NumberingResult result;
};

// Runs on A and checks that nothing outside its body changed, the End line included.
Numbered NumberA(const Body& body, const NumberingRequest& request) {
  const ModuleText module = test::WithProcedures(ModuleAround(body));
  Numbered run{{}, AddLineNumbers(module, test::Procedure(module, L"A"), request)};
  MemoryModule written(module.Text());
  if (run.result.edit) written.Write(*run.result.edit);
  const Body after = test::LinesOf(written.Text());
  EXPECT_EQ(after.size(), kAbove.size() + body.size() + kBelow.size());
  EXPECT_EQ(Body(after.begin(), after.begin() + kHeader), kAbove);
  EXPECT_EQ(Body(after.end() - static_cast<long>(kBelow.size()), after.end()), kBelow);
  run.body.assign(after.begin() + kHeader, after.end() - static_cast<long>(kBelow.size()));
  return run;
}

NumberingRequest Whole(bool skip_list = false) {
  NumberingRequest request;
  request.UseSkipList = skip_list;
  return request;
}

TEST(AddLineNumbers, TheWholeBodyFromTheStartInSteps) {
  struct Case {
    const char* what;
    bool skip_list;
    Body body;
    Body expected;
  };
  const Case cases[] = {
      {"skip list: a declaration and a block's end stay unnumbered, the rest keeps its column",
       true,
       {L"    Dim a As Long", L"    a = 1", L"    If a Then", L"    End If"},
       {L"    Dim a As Long", L"10  a = 1", L"20  If a Then", L"    End If"}},
      {"without the skip list every statement",
       false,
       {L"    Dim a As Long", L"    a = 1", L"    If a Then", L"    End If"},
       {L"10  Dim a As Long", L"20  a = 1", L"30  If a Then", L"40  End If"}},
      {"indented by 2 the statement moves right; by 4 it keeps its column",
       false,
       {L"  x = 1", L"    y = 2", L"z = 3"},
       {L"10 x = 1", L"20  y = 2", L"30 z = 3"}},
      {"Dim ... New is numbered, Static is not",
       true,
       {L"Dim o As New Collection", L"Static n As Long", L"Dim p As Object"},
       {L"10 Dim o As New Collection", L"Static n As Long", L"Dim p As Object"}},
      {"a line is skipped only when every statement is on the list",
       true,
       {L"Exit Sub: x = 1", L"Loop: Next", L"Do", L"Else", L"Resume Next", L"On Error GoTo 0", L"dim x"},
       {L"10 Exit Sub: x = 1", L"Loop: Next", L"Do", L"Else", L"Resume Next", L"On Error GoTo 0", L"20 dim x"}},
      {"blank, comment and label lines take no number; a comment loses its old one",
       false,
       {L"", L"30 ' note", L"' plain", L"Retry:", L"40 x = 1"},
       {L"", L"   ' note", L"' plain", L"Retry:", L"10 x = 1"}},
      {"a number in front would break a label with a statement, an indented number, a lone _ or a directive",
       false,
       {L"Retry: x = 1", L"  Again: y = 2", L"  70 z = 3", L"_", L"w = 4", L"  '#Region \"r\""},
       {L"Retry: x = 1", L"  Again: y = 2", L"  70 z = 3", L"_", L"10 w = 4", L"  '#Region \"r\""}},
      {"old numbers give way: a shorter one leaves the statement where it stood",
       false,
       {L"5 a = 1", L"1000 b = 2", L"c = 3", L"&H10 d = 4"},
       {L"10 a = 1", L"20   b = 2", L"30 c = 3", L"40   d = 4"}},
      {"a continued statement is numbered on its first line only",
       false,
       {L"x = 1 + _", L"    2", L"20 y = _", L"3"},
       {L"10 x = 1 + _", L"    2", L"20 y = _", L"3"}},
      {"numbering twice is numbering once",
       true,
       {L"10  Dim a As Long", L"10  a = 1", L"20  If a Then", L"30      b = 2", L"    End If"},
       {L"    Dim a As Long", L"10  a = 1", L"20  If a Then", L"30      b = 2", L"    End If"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const Numbered once = NumberA(c.body, Whole(c.skip_list));
    EXPECT_FALSE(once.result.refused);
    EXPECT_EQ(once.body, c.expected);
    const Numbered twice = NumberA(once.body, Whole(c.skip_list));
    EXPECT_EQ(twice.body, c.expected);
    EXPECT_FALSE(twice.result.edit.has_value()) << "nothing to write the second time";
  }
}

TEST(AddLineNumbers, JumpTargetsFollowTheirLinesInCodeOnly) {
  NumberingRequest request = Whole();
  request.NumerationStart = 100;
  const Numbered run = NumberA({L"10 x = 1", L"GoTo 10", L"20 On x GoTo 10, 20: y = \"GoTo 10\" ' GoTo 20",
                                L"If x Then 20 Else 10", L"Resume 0", L"On Error GoTo 0", L"GoSub 99"},
                               request);
  const Body expected = {L"100 x = 1",
                         L"110 GoTo 100",
                         L"120 On x GoTo 100, 120: y = \"GoTo 10\" ' GoTo 20",
                         L"130 If x Then 120 Else 100",
                         L"140 Resume 0",
                         L"150 On Error GoTo 0",
                         L"160 GoSub 99"};
  EXPECT_EQ(run.body, expected);
}

TEST(AddLineNumbers, TheCaretFlagAndShift) {
  struct Case {
    const char* what;
    long caret_line;
    bool numbered;
    long shift;
  };
  // Lines 6 to 11 of the module.
  const Body body = {L"  x = 1", L"30 y = 2", L"z = 3", L"Dim a", L"w = 1 + _", L"    2"};
  const Case cases[] = {
      {"on the declaration line the body is numbered, the caret's line is not", kHeader, false, 0},
      {"indented by 2 its statement moves one column", 6, true, 1},
      {"renumbered in place", 7, true, 0},
      {"flush left", 8, true, 3},
      {"left unnumbered", 9, false, 0},
      {"on a continuation line: numbered, but that line does not move", 11, true, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    NumberingRequest request = Whole(true);
    request.caret_line = c.caret_line;
    const Numbered run = NumberA(body, request);
    EXPECT_EQ(run.body, (Body{L"10 x = 1", L"20 y = 2", L"30 z = 3", L"Dim a", L"40 w = 1 + _", L"    2"}));
    EXPECT_EQ(run.result.caret_numbered, c.numbered);
    ASSERT_TRUE(run.result.edit.has_value());
    EXPECT_EQ(run.result.edit->column_shift, c.shift);
  }
}

TEST(AddLineNumbers, RangeModeAsEnterCallsIt) {
  // Enter at the end of "30 x = 1" (line 6) left the empty line 7.
  const Body typed = {L"30 x = 1", L"", L"40 y = 2", L"z = 3", L"50 w = 4", L"GoTo 40"};
  NumberingRequest first;
  first.StartNumber = 40;
  first.FirstLine = 7;
  first.LastLine = 8;
  first.caret_line = 7;
  const Numbered new_line = NumberA(typed, first);
  EXPECT_EQ(new_line.body, (Body{L"30 x = 1", L"40 ", L"40 y = 2", L"z = 3", L"50 w = 4", L"GoTo 40"}));
  EXPECT_TRUE(new_line.result.caret_numbered);
  EXPECT_EQ(new_line.result.edit->column_shift, 3);
  EXPECT_EQ(new_line.result.edit->first_line, 7);
  EXPECT_EQ(new_line.result.edit->last_line, 7);

  NumberingRequest below;
  below.StartNumber = 50;
  below.FirstLine = 8;
  below.caret_line = 7;
  const Numbered renumbered = NumberA(new_line.body, below);
  EXPECT_EQ(renumbered.body, (Body{L"30 x = 1", L"40 ", L"50 y = 2", L"z = 3", L"60 w = 4", L"GoTo 50"}));
  EXPECT_FALSE(renumbered.result.caret_numbered);

  // Under an indented line the new line holds its indentation: the number goes into it.
  const Numbered indented = NumberA({L"30     x = 1", L"    ", L"z = 3"}, first);
  EXPECT_EQ(indented.body, (Body{L"30     x = 1", L"40  ", L"z = 3"}));
  EXPECT_EQ(indented.result.edit->column_shift, 0);
}

TEST(AddLineNumbers, RangeModeBounds) {
  const Body body = {L"x = 1 + _", L"    2", L"30 y = 2", L"z = 3", L"40 w = 4"};
  struct Case {
    const char* what;
    long first;
    long last;
    Body expected;
  };
  const Case cases[] = {
      {"LastLine 0: only the numbered lines, renumbered from the start",
       0,
       0,
       {L"x = 1 + _", L"    2", L"100 y = 2", L"z = 3", L"110 w = 4"}},
      {"a range that starts on a continuation line takes its whole statement",
       7,
       9,
       {L"100 x = 1 + _", L"    2", L"110 y = 2", L"z = 3", L"40 w = 4"}},
      {"a range past the End line stops there",
       9,
       99,
       {L"x = 1 + _", L"    2", L"30 y = 2", L"100 z = 3", L"110 w = 4"}},
      {"an empty range writes nothing", 8, 8, body},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    NumberingRequest request;
    request.StartNumber = 100;
    request.FirstLine = c.first;
    request.LastLine = c.last;
    EXPECT_EQ(NumberA(body, request).body, c.expected);
  }
  // A jump above the range follows the line it names.
  const NumberingRequest below{100, kFirstBodyLine + 1, 0, false, 10, 10, 0};
  EXPECT_EQ(NumberA({L"GoTo 30", L"30 y = 2"}, below).body, (Body{L"GoTo 100", L"100 y = 2"}));
  // The lines Enter makes are numbered even when blank, but never a label or a directive.
  const NumberingRequest range{100, kFirstBodyLine, kFirstBodyLine + 4, false, 10, 10, 0};
  EXPECT_EQ(NumberA({L"", L"Again:", L"'#Region \"r\"", L"x = 1"}, range).body,
            (Body{L"100 ", L"Again:", L"'#Region \"r\"", L"110 x = 1"}));
}

TEST(AddLineNumbers, StartsAndStepsThatCannotGiveIncreasingNumbersNumberNothing) {
  struct Case {
    std::int64_t start;  // -1: NumerationStart
    std::int64_t NumerationStart;
    std::int64_t step;
    bool refused;
  };
  const Case cases[] = {
      {-1, 10, 0, true},           {-1, 10, -10, true},        {-1, -10, 10, true},
      {2147483648, 10, 10, true},  {-1, 2147483630, 10, true},  // the third line would pass 32 bits
      {-1, 2147483627, 10, false}, {0, 10, 1, false},
  };
  const Body body = {L"a = 1", L"b = 2", L"c = 3"};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.start << " " << c.NumerationStart << " " << c.step);
    NumberingRequest request;
    request.StartNumber = c.start;
    request.NumerationStart = c.NumerationStart;
    request.NumerationStep = c.step;
    request.FirstLine = kFirstBodyLine;
    request.LastLine = 99;
    const Numbered run = NumberA(body, request);
    EXPECT_EQ(run.result.refused, c.refused);
    if (c.refused) {
      EXPECT_FALSE(run.result.edit.has_value());
      EXPECT_EQ(run.body, body);
    } else {
      EXPECT_NE(run.body, body);
    }
  }
  EXPECT_EQ(NumberA(body, {-1, 0, 0, false, 2147483627, 10, 0}).body,
            (Body{L"2147483627 a = 1", L"2147483637 b = 2", L"2147483647 c = 3"}));
}

TEST(AddLineNumbers, NeighboursStayWhenTheHostCountsCommentsAboveTheHeader) {
  // A short procedure after one with many comments above its header: bounded by the host's count
  // from the header, the walk would reach into Short.
  const std::wstring text = test::Lines({L"' one", L"' two", L"' three", L"' four", L"Sub Long()", L"x = 1", L"GoTo 1",
                                         L"Sub Short()", L"1 y = 2", L"End Sub"});
  const ModuleText module = test::WithProcedures(text);
  const NumberingResult result = AddLineNumbers(module, test::Procedure(module, L"Long"), Whole());
  ASSERT_TRUE(result.edit.has_value());
  EXPECT_EQ(result.edit->first_line, 6);
  EXPECT_EQ(result.edit->last_line, 7);
  EXPECT_EQ(result.edit->text, L"10 x = 1\r\n20 GoTo 1");
}

TEST(RemoveLineNumbers, BlanksTheNumbersOfTheWholeBody) {
  const Body body = {L"10 x = 1", L"  y = 2", L"20   If x Then", L"30 ' c", L"Retry: z = 3"};
  const ModuleText module = test::WithProcedures(ModuleAround(body));
  const std::optional<CodeEdit> edit = RemoveLineNumbers(module, test::Procedure(module, L"A"));
  ASSERT_TRUE(edit.has_value());
  // The whole body, so that a re-indent after the paste covers it.
  EXPECT_EQ(edit->first_line, kFirstBodyLine);
  EXPECT_EQ(edit->last_line, kFirstBodyLine + 4);
  EXPECT_EQ(edit->text, test::Lines({L"   x = 1", L"  y = 2", L"     If x Then", L"   ' c", L"Retry: z = 3"}));
  EXPECT_EQ(edit->column_shift, 0);

  const ModuleText plain = test::WithProcedures(ModuleAround({L"x = 1", L"Retry: y = 2"}));
  EXPECT_FALSE(RemoveLineNumbers(plain, test::Procedure(plain, L"A")).has_value());
}

TEST(SkipLineNumber, EveryStatementMustBeOnTheList) {
  const std::pair<const wchar_t*, bool> cases[] = {
      {L"Dim a As Long", true},
      {L"  Dim a, b", true},
      {L"Dim o As New Collection", false},
      {L"Static n As Long", true},
      {L"Static c As New C", false},
      {L"Exit Sub", true},
      {L"Next i", true},
      {L"Next", true},
      {L"On Error GoTo X", true},
      {L"Resume Next", true},
      {L"Resume", true},
      {L"End If", true},
      {L"Do", true},
      {L"Loop", true},
      {L"Wend", true},
      {L"Else", true},
      {L" Else ", true},
      {L"ElseIf a Then", false},
      {L"Do While x", false},
      {L"Loop Until x", false},
      {L"dim a", false},
      {L"Exit Sub: x = 1", false},
      {L"Loop: Next", true},
      {L"Dim a: Static b", true},
      {L"x = 1", false},
      {L"", true},
      {L"MsgBox Prompt:=x", false},
  };
  for (const auto& [code, skipped] : cases) {
    EXPECT_EQ(SkipLineNumber(code, true), skipped) << testing::PrintToString(std::wstring(code));
    EXPECT_FALSE(SkipLineNumber(code, false));
  }
}

TEST(FindJumpTargets, LineNumbersAfterTheJumpingWords) {
  const std::pair<const wchar_t*, std::vector<std::wstring>> cases[] = {
      {L"GoTo 10", {L"10"}},
      {L"   goto 10: GoSub 20", {L"10", L"20"}},
      {L"On x GoTo 10, 20 ,30", {L"10", L"20", L"30"}},
      {L"On x GoSub 10, _\r     20", {L"10", L"20"}},
      {L"On Error GoTo 0", {}},
      {L"On Error GoTo 00", {}},
      {L"On Error GoTo 10", {L"10"}},
      {L"GoTo 0", {L"0"}},
      {L"Resume 0", {}},
      {L"Resume 40", {L"40"}},
      {L"Resume Next", {}},
      {L"If x Then 30 Else 40", {L"30", L"40"}},
      {L"If x Then y = 30 Else z = 40", {}},
      {L"GoTo Handler", {}},
      {L"GoTo 10a", {}},
      {L"GoTo 1.5", {}},
      {L"x.GoTo 10", {}},
      {L"MyGoTo 10", {}},
      {L"s = \"     \" ", {}},
      {L"", {}},
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
