#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "codetools/indent_engine.h"
#include "codetools/logical_line.h"
#include "tests/codetools/format_properties.h"
#include "tests/codetools/memory_module.h"
#include "tests/codetools/test_support.h"

namespace qv {
namespace {

using test::Lines;

std::wstring Format(std::initializer_list<std::wstring_view> lines, long indent_width = 4) {
  return test::FormatWhole(Lines(lines), indent_width);
}

TEST(Formatting, WorkedExampleAtIndentWidths4And2) {
  const std::wstring flush = Lines({L"Sub Test()", L"If a Then", L"x = 1", L"Else", L"Select Case b", L"Case 1",
                                    L"y = 2", L"End Select", L"End If", L"End Sub"});
  const long levels[] = {0, 1, 2, 1, 2, 3, 4, 2, 1, 0};
  for (const long width : {4L, 2L}) {
    const ModuleText formatted(test::FormatWhole(flush, width));
    for (long line = 1; line <= 10; ++line) {
      const std::wstring_view text = formatted.Line(line);
      EXPECT_EQ(static_cast<long>(text.find_first_not_of(L' ')), levels[line - 1] * width) << line;
    }
  }
}

TEST(Formatting, BlockConstructs) {
  struct Case {
    std::wstring input;
    std::wstring expected;
  };
  const Case cases[] = {
      {Lines({L"For i = 1 To 2", L"For j = 1 To 2", L"x = i", L"Next j, i", L"y = 1"}),
       Lines({L"For i = 1 To 2", L"    For j = 1 To 2", L"        x = i", L"Next j, i", L"y = 1"})},
      {Lines({L"Do While x", L"x = x - 1", L"Loop", L"Do", L"Loop Until y"}),
       Lines({L"Do While x", L"    x = x - 1", L"Loop", L"Do", L"Loop Until y"})},
      {Lines({L"If x Then y = 1", L"z = 2", L"Sub A()", L"End If", L"x = 1", L"End Sub"}),
       Lines({L"If x Then y = 1", L"z = 2", L"Sub A()", L"    End If", L"    x = 1", L"End Sub"})},
      {Lines({L"With a: If b Then", L"x = 1", L"End If", L"End With"}),
       Lines({L"With a: If b Then", L"        x = 1", L"    End If", L"End With"})},
      {Lines({L"Sub A()", L"", L"If x Then", L"", L"End If", L"End Sub"}),
       Lines({L"Sub A()", L"    ", L"    If x Then", L"        ", L"    End If", L"End Sub"})},
      {Lines({L"Select Case a", L"Case 1: If x Then", L"y = 1", L"End If", L"Case Else", L"End Select"}),
       Lines({L"Select Case a", L"    Case 1: If x Then", L"            y = 1", L"        End If", L"    Case Else",
              L"End Select"})},
      {Lines({L"If F(a:=1) Then", L"x = 1", L"End If"}), Lines({L"If F(a:=1) Then", L"    x = 1", L"End If"})},
      {Lines(
           {L"Sub A()", L"End Sub", L"Private Static Sub B()", L"x = 1: Rem If a Then", L"Rem If b Then", L"End Sub"}),
       Lines({L"Sub A()", L"End Sub", L"Private Static Sub B()", L"    x = 1: Rem If a Then", L"    Rem If b Then",
              L"End Sub"})},
  };
  for (const Case& c : cases) EXPECT_EQ(test::FormatWhole(c.input, 4), c.expected);
}

TEST(Formatting, LabelsAndLineNumbers) {
  EXPECT_EQ(Format({L"Sub A()", L"If x Then", L"ErrorHandler:", L"10 x = 1", L"100    y = 2", L"  Retry: z = 3",
                    L"'Note: a comment", L"    10 If y Then", L"w = 1", L"20 End If", L"End If", L"End Sub"}),
            Lines({L"Sub A()", L"    If x Then", L"ErrorHandler: ", L"10      x = 1", L"100     y = 2",
                   L"        Retry: z = 3", L"        'Note: a comment", L"        10 If y Then", L"            w = 1",
                   L"20      End If", L"    End If", L"End Sub"}));
  // Brought to column 1, an indented label is written as a label.
  EXPECT_EQ(Format({L"  Метка:   x = 1", L"    10   y = 2"}), Lines({L"Метка: x = 1", L"10 y = 2"}));
  // Any number the language reads is a line number, and the statement after it opens or closes.
  EXPECT_EQ(Format({L"Sub A()", L"-5 If x Then", L"&H10 y = 1", L"1.5e1 End If", L"End Sub"}),
            Lines({L"Sub A()", L"-5  If x Then", L"&H10    y = 1", L"1.5e1 End If", L"End Sub"}));
}

TEST(Formatting, ContinuationLinesMoveWithTheirStatement) {
  EXPECT_EQ(Format({L"Sub A()", L"        x = 1 + _", L"            2", L"  y = _", L"  3", L"End Sub"}),
            Lines({L"Sub A()", L"    x = 1 + _", L"        2", L"    y = _", L"    3", L"End Sub"}));
  EXPECT_EQ(Format({L"    x = _", L"  2"}), Lines({L"x = _", L"2"}));  // the sum is clamped, not the shift
}

FormatResult FormatSelected(std::initializer_list<std::wstring_view> lines, long first, long last) {
  FormatRequest request;
  request.selection = {first, 1, last, 1};
  return Formatting(MemoryModule(Lines(lines)), request, {4});
}

TEST(Formatting, SelectionTakesWholeLogicalLinesAndTheLineAboveAsItIs) {
  const FormatResult result =
      FormatSelected({L"Sub A()", L"      If x Then", L"y = 1 + _", L"2", L"End If", L"End Sub"}, 4, 5);
  EXPECT_EQ(result.FormatStart, 3);
  EXPECT_EQ(result.last_line, 5);
  EXPECT_EQ(result.FormatText, Lines({L"          y = 1 + _", L"          2", L"      End If"}));
  // The line above is read from its statement's first line: End If counts once.
  EXPECT_EQ(FormatSelected({L"If b Then", L"    If a Then", L"        x = 1", L"    End If: y = _", L"        2",
                            L"z = 3", L"End If"},
                           6, 7)
                .FormatText,
            Lines({L"    z = 3", L"End If"}));
}

TEST(Formatting, IncrementalRunStopsAtTheFirstRightLine) {
  MemoryModule module(Lines({L"Sub A()", L"    If x Then", L"y = 1", L"z = 2", L"        w = 3", L"            q = 4",
                             L"    End If", L"End Sub"}));
  FormatResult result = test::FormatFrom(module, 3, 4);
  EXPECT_EQ(result.FormatStart, 3);
  EXPECT_EQ(result.FormatEnd, 4);
  EXPECT_EQ(result.last_line, 4);
  EXPECT_EQ(result.FormatText, Lines({L"        y = 1", L"        z = 2"}));
  EXPECT_EQ(test::FormatFrom(module, 2, 4).FormatStart, 3);  // a right first line is passed over
  EXPECT_FALSE(test::FormatFrom(module, 7, 4).Edit());       // both right: nothing to write

  FormatRequest request{true, 3, {3, 2, 3, 2}};
  EXPECT_EQ(Formatting(module, request, {4}).column_shift, 8);
  request = {true, 6, {6, 3, 6, 3}};
  result = Formatting(module, request, {4});
  EXPECT_EQ(result.FormatText, L"        q = 4");
  EXPECT_EQ(result.column_shift, -2);  // the caret stops in column 1
  module.set_caret_column(3);
  module.Write(*result.Edit());
  EXPECT_EQ(module.caret_column(), 1);
}

TEST(Formatting, TenThousandNumberedLinesNeedNoDeepCalls) {
  std::wstring text = L"Sub A()";
  for (long number = 1000; number < 11000; ++number) text += L"\r\n" + std::to_wstring(number) + L" x = 1";
  text += L"\r\nEnd Sub";
  const MemoryModule module(text);
  EXPECT_EQ(test::FormatWhole(text, 4), text);
  EXPECT_FALSE(test::FormatFrom(module, 9000, 4).Edit());
  std::wstring label;
  const LogicalLine last = GetLine(module, 10001);
  EXPECT_EQ(GetLineIndent(module, {4}, 10001, last.text, last.code_text, label), 4);
  EXPECT_EQ(label, L"10999");
  EXPECT_EQ(GetPrevIndent(module, {4}, 10001), 4);
}

TEST(Formatting, EngineOperationsOutsideARun) {
  const MemoryModule module(Lines({L"Select Case a", L"    Case 1: If x Then", L"            y = 1", L"End If",
                                   L"End Select: x = _", L"        1"}));
  EXPECT_EQ(GetSpacesCount(module, {4}, 99, 4, 0, 1, kClosing), 8);
  EXPECT_EQ(GetSpacesCount(module, {4}, 99, 2, 0, 2, kMiddle), 4);
  EXPECT_EQ(GetSpacesCount(module, {4}, 99, 1, 0, 2, kClosing), 99);
  EXPECT_EQ(GetPrevIndent(module, {4}, 2), 12);
  EXPECT_EQ(GetPrevIndent(module, {4}, 6), 0);  // from the statement's first line, End Select counted once
  EXPECT_EQ(GetPrevIndent(module, {4}, 0), 0);
}

// Where a line stands, for GetLineIndent as for the formatter's own reading: at its blanks; a label
// or line number in column 1 with its statement close behind, at the block's indentation unless
// that lies past the statement; alone, at the block's. With a column, the line is read up to it.
TEST(Formatting, GetLineIndentReadsLabelsAsTheFormatterDoes) {
  const struct {
    std::wstring_view above;  // the block: 4 or 8
    std::wstring_view line;
    long column;
    long indent;
    std::wstring_view label;
  } cases[] = {
      {L"    If a Then", L"L1: x = 1", 0, 4, L"L1:"}, {L"    If a Then", L"L1:  x = 1", 0, 5, L"L1:"},
      {L"    If a Then", L"L1:", 0, 8, L"L1:"},       {L"    If a Then", L"L1: ' note", 0, 8, L"L1:"},
      {L"    If a Then", L"10 x = 1", 0, 3, L"10"},   {L"    If a Then", L"10 End If", 0, 3, L"10"},
      {L"    If a Then", L"    10 x", 0, 4, L"10"},   {L"    If a Then", L"x = 1", 0, 0, L""},
      {L"    If a Then", L"L1: x = 1", 4, 8, L"L1:"}, {L"    If a Then", L"L1:   x = 1", 5, 8, L"L1:"},
      {L"    x = 0", L"Lab: x = 1", 0, 4, L"Lab:"},   {L"    x = 0", L"L1: x = 1", 0, 4, L"L1:"},
      {L"    x = 0", L"123456 x", 0, 4, L"123456"},   {L"    x = 0", L"Метка:  x", 0, 8, L"Метка:"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(c.line)) + " column " + std::to_string(c.column));
    const MemoryModule module(Lines({L"Sub A()", c.above, c.line, L"End Sub"}));
    const LogicalLine read = GetLine(module, 3, c.column);
    std::wstring label;
    EXPECT_EQ(GetLineIndent(module, {4}, 3, read.text, read.code_text, label), c.indent);
    EXPECT_EQ(label, c.label);
  }
}

// A lone "_" with a line below stays in column 1, or it would join that line; it stands where the
// block is. The module's last line joins nothing and stands in column 1.
TEST(Formatting, ALoneUnderscoreStaysInColumnOne) {
  EXPECT_EQ(test::FormatWhole(Lines({L"Sub A()", L"y = 1 + _", L"_", L"z", L"_", L"End Sub", L"_"}), 4),
            Lines({L"Sub A()", L"    y = 1 + _", L"_", L"    z", L"_", L"End Sub", L"_"}));
  const MemoryModule module(Lines({L"If a Then", L"_", L"x", L"End If", L"_"}));
  const struct {
    long line;
    long indent;
  } cases[] = {{2, 4}, {5, 0}};
  for (const auto& c : cases) {
    std::wstring label;
    EXPECT_EQ(GetLineIndent(module, {4}, c.line, L"_", L"_", label), c.indent) << c.line;
  }
}

// Modules whose formatting once tripped over its own output.
TEST(Formatting, KeepsItsPropertiesOnOddInput) {
  const std::wstring modules[] = {
      Lines({L"Sub A()", L"Метка: _", L"x = 1", L"End Sub"}),
      Lines({L"Sub A()", L"   _", L"x = 1", L"_", L"y = 1 + _", L"_", L"z", L"End Sub"}),
      Lines({L"If a Then", L"Select Case b", L"End If", L"  Метка: Case 1", L"  10 If c Then", L"x"}),
      Lines({L"'x: y", L"  'x: y", L"10'c", L"  Метка:'c", L"a'b: x"}),
  };
  for (const std::wstring& text : modules) {
    for (long width = 0; width <= 8; ++width) EXPECT_EQ(test::CheckFormatProperties(text, width), "") << width;
  }
}

}  // namespace
}  // namespace qv
