// The shipped SyntaxColors.ini and IncludingPaths.ini: their bytes, padding NULs included, and what
// the add-in reads from them.
#include <gtest/gtest.h>

#include <string>

#include "kit/list_file.h"
#include "tests/codetools/format_properties.h"
#include "tests/codetools/test_support.h"

namespace qv {
namespace {

TEST(ShippedListsTest, SyntaxColorsHoldsTheBracketsAndTheQuote) {
  const std::string bytes = test::ReadShipped("SyntaxColors.ini");
  EXPECT_EQ(bytes, std::string("(          = 16711680\r\n)          = 16711680\r\n\"          = 16576\r\n\0\0", 68));
  const SyntaxColorList list = ReadSyntaxColors(test::DecodeAnsi(bytes));
  ASSERT_EQ(list.texts.Count(), 3);
  EXPECT_EQ(list.texts.Item(3), L"\"");
  EXPECT_EQ(list.colors.Item(1), L"16711680");
  EXPECT_EQ(list.colors.Item(3), L"16576");
}

TEST(ShippedListsTest, IncludingPathsHoldsThreeFoldersAndNoPaddingEntry) {
  const std::string bytes = test::ReadShipped("IncludingPaths.ini");
  EXPECT_EQ(bytes.size(), 176u);
  EXPECT_TRUE(bytes.ends_with(std::string("\r\n\0\0", 4)));
  const auto paths = ReadIncludingPaths(test::DecodeAnsi(bytes));
  ASSERT_EQ(paths.Count(), 3);
  EXPECT_EQ(paths.Item(1), L"(ProgramFiles)\\Microsoft Visual Studio\\Common\\Tools\\Winapi\\");
  EXPECT_EQ(paths.Item(2), L"(ProgramFiles)\\Common Files\\Microsoft Shared\\VBA\\Include\\");
  EXPECT_EQ(paths.Item(3), L"(ProgramFiles)\\Microsoft Visual Studio\\VB98\\Include\\");
}

}  // namespace
}  // namespace qv
