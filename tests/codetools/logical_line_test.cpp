#include "codetools/logical_line.h"

#include <gtest/gtest.h>

#include "tests/codetools/memory_module.h"
#include "tests/codetools/test_support.h"

namespace qv {
namespace {

using test::Lines;

TEST(GetLine, CodeTextKeepsColumnsAndCutsWhatIsNotCode) {
  struct Case {
    const wchar_t* raw;
    const wchar_t* code;
  };
  const Case cases[] = {
      {L"", L""},
      {L"  s = \"it's\" ' note", L"  s = \"    \" "},
      {L"'#Region \"Имя: 'x'\"", L"'#Region \"        \""},
      {L"'#If A Then 'note", L"'#If A Then "},
      {L"10 If a Then", L"   If a Then"},
      {L"ErrorHandler:", L"              "},
      {L"    10 If a Then", L"       If a Then"},  // an indented number is blanked as well
      {L"s = \"a\"\"b\" & \"open", L"s = \" \"\" \" & "},
      {L"x = 1: Rem If a Then", L"x = 1: "},
      {L"Remove x: rem", L"Remove x: "},
      {L"Me.x: y", L"Me.x: y"},
      // A line number is what IsNumeric reads, whatever the locale.
      {L"1e3 x", L"    x"},
      {L"-5 If x Then", L"   If x Then"},
      {L"&H10 x = 1", L"     x = 1"},
      {L"1,000 x", L"1,000 x"},
      {L"1e x", L"1e x"},
  };
  for (const Case& c : cases) {
    const MemoryModule module(c.raw);
    const LogicalLine line = GetLine(module, 1);
    EXPECT_EQ(line.text, c.raw);
    EXPECT_EQ(line.code_text, c.code) << testing::PrintToString(std::wstring(c.raw));
  }
}

TEST(GetLine, JoinsContinuedLinesAroundTheLineAsked) {
  const MemoryModule module(Lines({L"a = 1", L"b = 2 + _", L"  3 + _", L"  4", L"c = _"}));
  LogicalLine line = GetLine(module, 3);
  EXPECT_EQ(line.text, L"b = 2 + _\r\n  3 + _\r\n  4");
  EXPECT_EQ(line.code_text, L"b = 2 + _\r   3 + _\r   4");
  EXPECT_EQ(line.lines_before, 1);
  EXPECT_EQ(line.lines_after, 1);
  line = GetLine(module, 5);  // the module's last line ends the walk down
  EXPECT_EQ(line.text, L"c = _");
  EXPECT_EQ(line.lines_after, 0);
  EXPECT_EQ(GetLine(module, 6).text, L"");
}

TEST(GetLine, ColumnCutReadsNothingRightOrBelowTheCaret) {
  const MemoryModule module(Lines({L"    If x Then", L"x = 1 + _", L"  2"}));
  EXPECT_EQ(GetLine(module, 1, 5).code_text, L"    ");
  const LogicalLine cut = GetLine(module, 2, 9);
  EXPECT_EQ(cut.text, L"x = 1 + ");
  EXPECT_EQ(cut.lines_after, 0);
}

TEST(Statements, SplitAtColonsButNotAtNamedArguments) {
  const std::vector<std::wstring_view> expected = {L"If F(a:=1, b :=2) Then", L" x = 1", L""};
  EXPECT_EQ(SplitStatements(L"If F(a:=1, b :=2) Then: x = 1:"), expected);
  EXPECT_TRUE(SplitStatements(L"").empty());
}

TEST(Words, LabelsAndLineNumbers) {
  for (const wchar_t* word : {L"ErrorHandler:", L"Retry:", L":", L"ex:", L"n:", L"Метка:"}) EXPECT_TRUE(IsLabel(word));
  for (const wchar_t* word : {L"Else:", L"#Else:", L"LOOP:", L"Wend:", L"Me.x:", L"x"}) EXPECT_FALSE(IsLabel(word));
  for (const wchar_t* word : {L"10", L"0000", L"1e3", L"1E-3", L"2d+2", L"&H10", L"&hFF", L"&O17", L"1.5", L".5",
                              L"5.", L"-1", L"+7", L"-5"}) {
    EXPECT_TRUE(IsLineNumber(word)) << testing::PrintToString(std::wstring(word));
  }
  for (const wchar_t* word : {L"", L"1,000", L"1,5", L"1e", L"1.5.2", L"--1", L"-", L".", L"&H", L"&HG", L"&O8",
                              L"1e999", L"&H1FFFFFFFF", L"$5", L"1%", L"x1", L"10:"}) {
    EXPECT_FALSE(IsLineNumber(word)) << testing::PrintToString(std::wstring(word));
  }
  EXPECT_EQ(RepeatString(L"ab", 3), L"ababab");
  EXPECT_EQ(RepeatString(L"ab", 0), L"");
  EXPECT_EQ(RepeatString(L"ab", -2), L"");
}

TEST(Words, ALoneUnderscoreWithALineBelow) {
  const struct {
    std::wstring_view line;
    long number;
    bool lone;
  } cases[] = {
      {L"_", 1, true},   {L"_", 2, true},   {L"_", 3, false},  // the last line joins nothing
      {L" _", 1, false}, {L"_ ", 1, false}, {L"__", 1, false}, {L"x _", 1, false}, {L"", 1, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsLoneUnderscore(c.line, c.number, 3), c.lone)
        << testing::PrintToString(std::wstring(c.line)) << c.number;
  }
}

}  // namespace
}  // namespace qv
