#include "codetools/block_table.h"

#include <gtest/gtest.h>

#include "tests/kit/vb_error_matchers.h"

namespace qv {
namespace {

TEST(LikePatterns, AnyPieceWithoutRegardToCaseOnBlankTrimmedText) {
  EXPECT_TRUE(LikePatterns(L"  END IF  ", L"End If"));
  EXPECT_TRUE(LikePatterns(L"Loop Until x", L"Loop,Loop *"));
  EXPECT_TRUE(LikePatterns(L"ЁЖ", L"ёж"));
  EXPECT_FALSE(LikePatterns(L"\tEnd If", L"End If"));  // only blanks are trimmed
  EXPECT_FALSE(LikePatterns(L"", L""));                // no pieces at all
  EXPECT_TRUE(LikePatterns(L"  ", L"x,"));             // but an empty piece matches empty text
  EXPECT_TRUE(LikePatterns(L"#x", L"[#]x"));
  EXPECT_FALSE(LikePatterns(L"5x", L"[#]x"));
  // A malformed piece raises only once it is reached.
  EXPECT_TRUE(LikePatterns(L"abc", L"abc,[z-a]"));
  EXPECT_VB_ERROR(LikePatterns(L"abd", L"abc,[z-a]"), 93);
}

TEST(FindBlock, RowAndKindOfTheFirstAdmittedMatch) {
  struct Case {
    const wchar_t* text;
    int mode;
    int row;
    int kind;
  };
  const Case cases[] = {
      {L"Do While x", 0, 4, kOpening},
      {L"#If x Then", 0, 0, kOpening},
      {L"If x Then y = 1", 0, -1, 0},
      {L"Case Else", 0, 2, kMiddle},
      {L"For i = 1 To 3", 1, 3, kOpening},
      {L"Next i", 1, -1, 0},
      {L"Next i", -1, 3, kClosing},
      {L"ElseIf a Then", 1, 1, kMiddle},
      {L"Else", 2, -1, 0},
      {L"End Sub", 2, -1, 0},
      {L"'#Region \"  \"", 0, 7, kOpening},
      {L"' #End Region", 0, 7, kClosing},
      {L"Loop Until y", -1, 4, kClosing},
      {L"Private Type T", 5, 8, kOpening},
      {L"Sub Main", 0, -1, 0},
      {L"Public Sub Main()", -1, -1, 0},
      {L"Static Sub S()", 0, 10, kOpening},
      {L"Private Static Function F() As Long", 0, 11, kOpening},
      {L"Friend Static Property Get P()", 0, 12, kOpening},
      {L"Public Static Sub S(a)", 0, 10, kOpening},
      {L"Wend = 1", 0, -1, 0},
  };
  for (const Case& c : cases) {
    int kind = 0;
    EXPECT_EQ(FindBlock(c.text, c.mode, kind), c.row) << testing::PrintToString(std::wstring(c.text));
    EXPECT_EQ(kind, c.kind) << testing::PrintToString(std::wstring(c.text));
  }
  int kind = 7;
  EXPECT_EQ(FindBlock(L"", 0, kind), -1);
  EXPECT_EQ(kind, 7);
}

}  // namespace
}  // namespace qv
