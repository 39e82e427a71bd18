#include "kit/case_fold.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(FoldCase, FoldsCapitalsOfEachBlockAndNothingElse) {
  const struct {
    wchar_t in;
    wchar_t out;
  } cases[] = {
      {L'A', L'a'},           {L'Z', L'z'},           {L'@', L'@'},           {L'[', L'['},
      {L'a', L'a'},           {L'0', L'0'},           {L'\u00C0', L'\u00E0'}, {L'\u00DE', L'\u00FE'},
      {L'\u00D7', L'\u00D7'}, {L'\u00BF', L'\u00BF'}, {L'\u00DF', L'\u00DF'}, {L'\u00E0', L'\u00E0'},
      {L'\u0400', L'\u0450'}, {L'\u0401', L'\u0451'}, {L'\u040F', L'\u045F'}, {L'\u0410', L'\u0430'},
      {L'\u042F', L'\u044F'}, {L'\u0430', L'\u0430'}, {L'\u0451', L'\u0451'}, {L'\u0460', L'\u0460'},
      {L'\u03A9', L'\u03A9'}, {L'\u0130', L'\u0130'}, {L'\uFFFF', L'\uFFFF'}, {L'\0', L'\0'},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(static_cast<unsigned>(FoldCase(c.in)), static_cast<unsigned>(c.out))
        << "U+" << std::hex << static_cast<unsigned>(c.in);
  }
}

TEST(FoldCase, FoldsWholeText) {
  EXPECT_EQ(FoldCase(L"Ключ ЁЛКА Abc-1 \u00C9t\u00E9 \u00D7"), L"ключ ёлка abc-1 \u00E9t\u00E9 \u00D7");
  EXPECT_EQ(FoldCase(L""), L"");
}

TEST(UpperCase, InvertsFoldCaseOverEveryCharacter) {
  for (unsigned code = 0; code <= 0xFFFF; ++code) {
    const auto c = static_cast<wchar_t>(code);
    if (FoldCase(c) != c) {
      EXPECT_EQ(UpperCase(FoldCase(c)), c) << "U+" << std::hex << code;
    }
    if (UpperCase(c) != c) {
      EXPECT_EQ(FoldCase(UpperCase(c)), c) << "U+" << std::hex << code;
    }
  }
  EXPECT_EQ(UpperCase(L'я'), L'Я');
  EXPECT_EQ(UpperCase(L'\u00F7'), L'\u00F7');  // the division sign is no letter
  EXPECT_EQ(UpperCase(L'\u00FF'), L'\u00FF');  // its capital lies outside Latin-1
}

TEST(EqualsNoCase, ComparesFoldedText) {
  const struct {
    const wchar_t* a;
    const wchar_t* b;
    bool equal;
  } cases[] = {
      {L"Ключ", L"КЛЮЧ", true},      {L"КЛЮЧ", L"ключ", true}, {L"Ёлка", L"ёлка", true},
      {L"ABC", L"abc", true},        {L"", L"", true},         {L"\u0430", L"a", false},  // Cyrillic against Latin
      {L"\u0410", L"A", false},      {L"abc", L"abcd", false}, {L"abc", L"", false},
      {L"1-2", L"1-2", true},        {L"@", L"`", false},  // 0x40 and 0x60 lie 0x20 apart but are not letters
      {L"\u00D7", L"\u00F7", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(EqualsNoCase(c.a, c.b), c.equal)
        << testing::PrintToString(std::wstring(c.a)) << " vs " << testing::PrintToString(std::wstring(c.b));
  }
}

}  // namespace
}  // namespace qv
