#include "kit/list_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qv {
namespace {

std::vector<std::wstring> Keys(const KeyedCollection<std::wstring>& list) {
  std::vector<std::wstring> keys;
  for (long i = 1; i <= list.Count(); ++i) keys.push_back(list.KeyAt(i).value_or(L"(none)"));
  return keys;
}

std::vector<std::wstring> Items(const KeyedCollection<std::wstring>& list) { return {list.begin(), list.end()}; }

TEST(ListLinesTest, EndsLinesAtCrLfLoneCrAndLoneLfAndDropsNuls) {
  EXPECT_EQ((std::vector<std::wstring>{L"a", L"b", L"c", L"", L"d"}), ListLines(L"a\r\nb\rc\n\nd"));
  // The shipped files end in a line break and padding NULs: no extra line.
  EXPECT_EQ((std::vector<std::wstring>{L"x", L"y"}), ListLines(std::wstring(L"x\r\ny\r\n\0\0", 7)));
  EXPECT_EQ((std::vector<std::wstring>{L"ab"}), ListLines(std::wstring(L"a\0b", 3)));
  EXPECT_TRUE(ListLines(L"").empty());
  EXPECT_EQ((std::vector<std::wstring>{L""}), ListLines(L"\r\n"));
}

TEST(SplitEntryTest, FindsTheSeparatorWhereEachFileNeedsIt) {
  EXPECT_EQ(L"a", SplitEntry(L"a = b=c", EntrySplit::kFirst)->key);
  EXPECT_EQ(L"b=c", SplitEntry(L"a = b=c", EntrySplit::kFirst)->value);
  // A caption may itself be "=".
  EXPECT_EQ(L"=", SplitEntry(L"=          = 1", EntrySplit::kFromSecondChar)->key);
  EXPECT_EQ(L"1", SplitEntry(L"=          = 1", EntrySplit::kFromSecondChar)->value);
  EXPECT_FALSE(SplitEntry(L"=x", EntrySplit::kFromSecondChar));
  // A highlighted text may hold "=": the colour after the last one.
  EXPECT_EQ(L"<=", SplitEntry(L"<=         = 255", EntrySplit::kLast)->key);
  EXPECT_EQ(L"255", SplitEntry(L"<=         = 255", EntrySplit::kLast)->value);
  EXPECT_EQ(L"=", SplitEntry(L"=          = 255", EntrySplit::kLast)->key);
  EXPECT_FALSE(SplitEntry(L"= 255", EntrySplit::kLast)) << "no text before the only \"=\"";
  EXPECT_FALSE(SplitEntry(L"=", EntrySplit::kLast));
  EXPECT_FALSE(SplitEntry(L"no separator", EntrySplit::kFirst));
  EXPECT_FALSE(SplitEntry(L"", EntrySplit::kFirst));
}

TEST(ReadAutoInsertsTest, ReadsKeysAndValuesAsTheOptionsDialogWritesThem) {
  const auto inserts = ReadAutoInserts(
      L"*off = x\r\n"
      L" *on = y\r\n"
      L"ift                     = If {[условие]} Then  \r\n"
      L"IFT = second\r\n"
      L"рус = первое\r\n"
      L"РУС = второе\r\n"
      L"no separator here\r\n"
      L"\r\n"
      L"rct\t                                           = Rect");
  EXPECT_EQ((std::vector<std::wstring>{L"*on", L"ift", L"рус", L"rct"}), Keys(inserts));
  // Leading blanks of the value go, trailing ones stay.
  EXPECT_EQ(L"If {[условие]} Then  ", inserts.Item(L"IFT"));
  EXPECT_EQ(L"первое", inserts.Item(L"Рус"));
  EXPECT_EQ(L"Rect", inserts.Item(L"rct"));
}

TEST(ReadSyntaxColorsTest, KeepsRepeatsInFileOrder) {
  const SyntaxColorList list = ReadSyntaxColors(std::wstring(
      L"(          = 16711680\r\n"
      L"*)         = 1\r\n"
      L"=          = 255\r\n"
      L"= 12\r\n"
      L"(          = 16576\r\n\0\0",
      85));
  EXPECT_EQ((std::vector<std::wstring>{L"(", L"=", L"("}), Items(list.texts));
  EXPECT_EQ((std::vector<std::wstring>{L"16711680", L"255", L"16576"}), Items(list.colors));
}

TEST(ReadIncludingPathsTest, TrimsEachFolderAndKeepsEmptyLines) {
  const auto paths = ReadIncludingPaths(L" C:\\Lib\\ \r\n*D:\\Off\\\r\n\r\n(ProgramFiles)\\Inc\\");
  EXPECT_EQ((std::vector<std::wstring>{L"C:\\Lib\\", L"", L"(ProgramFiles)\\Inc\\"}), Items(paths));
}

}  // namespace
}  // namespace qv
