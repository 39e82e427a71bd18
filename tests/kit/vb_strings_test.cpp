#include "kit/vb_strings.h"

#include <gtest/gtest.h>

#include <string>

#include "vb_error_matchers.h"

namespace qv {
namespace {

TEST(TrimBlanks, RemovesBlanksOnlyNeverTabs) {
  const struct {
    const wchar_t* text;
    const wchar_t* both;
    const wchar_t* left;
    const wchar_t* right;
    std::size_t leading;
  } cases[] = {
      {L"  a b  ", L"a b", L"a b  ", L"  a b", 2},
      {L"\t a \t", L"\t a \t", L"\t a \t", L"\t a \t", 0},
      {L" \ta ", L"\ta", L"\ta ", L" \ta", 1},
      {L"   ", L"", L"", L"", 3},
      {L"", L"", L"", L"", 0},
      {L"x", L"x", L"x", L"x", 0},
      {L"\u00A0x\u00A0", L"\u00A0x\u00A0", L"\u00A0x\u00A0", L"\u00A0x\u00A0", 0},  // no-break space stays
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(c.text)));
    EXPECT_EQ(TrimBlanks(c.text), c.both);
    EXPECT_EQ(LTrimBlanks(c.text), c.left);
    EXPECT_EQ(RTrimBlanks(c.text), c.right);
    EXPECT_EQ(LeadingBlanks(c.text), c.leading);
  }
}

TEST(StartsWithEndsWith, ExactCase) {
  const struct {
    const wchar_t* text;
    const wchar_t* part;
    bool starts;
    bool ends;
  } cases[] = {
      {L"Sub X", L"Sub", true, false},  {L"Sub X", L"sub", false, false}, {L"Sub X", L"", true, true},
      {L"", L"", true, true},           {L"Sub", L"Sub X", false, false}, {L"Sub X", L" X", false, true},
      {L"Sub X", L"Sub X", true, true}, {L"Sub X", L" x", false, false},  {L"", L"a", false, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(StartsWith(c.text, c.part), c.starts) << testing::PrintToString(std::wstring(c.part));
    EXPECT_EQ(EndsWith(c.text, c.part), c.ends) << testing::PrintToString(std::wstring(c.part));
  }
}

TEST(GetTextLine, SplitsAtCrLfOrElseAtCrBlank) {
  const struct {
    const wchar_t* text;
    long n;
    const wchar_t* line;
  } cases[] = {
      {L"a\r\nb", 1, L"a"},
      {L"a\r\nb", 2, L"b"},
      {L"a\r\nb", 3, L""},
      {L"a\r\n", 2, L""},
      {L"\r\nb", 1, L""},
      {L"a\r\n\r\nc", 3, L"c"},
      {L"a\r b", 2, L"b"},
      {L"a\r b\r c", 3, L"c"},
      {L"a\r b", 1, L"a"},
      {L"a\rb", 1, L"a\rb"},
      {L"a\rb", 2, L""},
      {L"a\nb", 1, L"a\nb"},
      {L"a\r b\r\nc", 1, L"a\r b"},  // CR LF present: CR blank is no separator
      {L"only", 1, L"only"},
      {L"only", 2, L""},
      {L"a\r\nb", 1000000, L""},
      {L"", 1, L""},
      {L"", 5, L""},
      {L"", 0, L""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(GetTextLine(c.text, c.n), c.line) << testing::PrintToString(std::wstring(c.text)) << " line " << c.n;
  }
}

TEST(GetTextLine, LineBelowOneRaisesError5) {
  EXPECT_VB_ERROR(GetTextLine(L"a\r\nb", 0), 5);
  EXPECT_VB_ERROR(GetTextLine(L"a", -1), 5);
}

TEST(GetDirectory, TextBeforeLastBackslash) {
  const struct {
    const wchar_t* path;
    const wchar_t* directory;
  } cases[] = {
      {L"C:\\a\\b.txt", L"C:\\a"}, {L"b.txt", L""},      {L"C:\\x", L"C:"}, {L"\\x", L""},
      {L"C:\\a\\", L"C:\\a"},      {L"C:/a/b.txt", L""}, {L"", L""},        {L"\\\\srv\\s\\f", L"\\\\srv\\s"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(GetDirectory(c.path), c.directory) << testing::PrintToString(std::wstring(c.path));
  }
}

}  // namespace
}  // namespace qv
