#include "kit/options_text.h"

#include <gtest/gtest.h>

#include "kit/hot_key.h"
#include "tests/kit/vb_error_matchers.h"

namespace qv {
namespace {

TEST(OptionsText, ListLinesReadAsTheDialogShowsThem) {
  struct Case {
    const wchar_t* line;
    bool from_second;
    bool found;
    bool on;
    const wchar_t* key;
    const wchar_t* value;
  };
  const Case cases[] = {
      {L"*abc = x", false, true, false, L"abc", L"x"},
      {L"abc   =  x y  ", false, true, true, L"abc", L"x y  "},
      {L"no separator", false, false, true, L"", L""},
      {L"", false, false, true, L"", L""},
      {L"= = 255", true, true, true, L"=", L"255"},
      {L"*=         = 7", true, true, false, L"=", L"7"},
      {L"= = 255", false, true, true, L"", L"= 255"},
      {L" *ab = 1", false, true, true, L"*ab", L"1"},
  };
  for (const Case& c : cases) {
    const std::optional<DialogListRow> row = DialogRowOfLine(c.line, c.from_second);
    ASSERT_EQ(c.found, row.has_value()) << c.line;
    if (!row) continue;
    EXPECT_EQ(c.on, row->on) << c.line;
    EXPECT_EQ(c.key, row->key) << c.line;
    EXPECT_EQ(c.value, row->value) << c.line;
  }
  EXPECT_EQ(L"C:\\Lib\\", DialogPathOfLine(L"* C:\\Lib\\ "));
  EXPECT_EQ(L"", DialogPathOfLine(L""));
}

TEST(OptionsText, EntryLinesArePaddedWithTheStarCounted) {
  const std::wstring long_key(50, L'k');
  EXPECT_EQ(L"*ab" + std::wstring(47, L' ') + L" = x", ListEntryLine(L"ab", false, 50, L"x"));
  EXPECT_EQ(L"ab" + std::wstring(48, L' ') + L" = x", ListEntryLine(L"ab", true, 50, L"x"));
  EXPECT_EQ(long_key + L" = x", ListEntryLine(long_key, true, 50, L"x"));
  EXPECT_EQ(L"*" + long_key + L" = x", ListEntryLine(long_key, false, 50, L"x"));
  EXPECT_EQ(L"=          = 255", ListEntryLine(L"=", true, 10, L"255"));
  EXPECT_EQ(L"a\r\n\r\nb\r\n", ListFileText({L"a", L"", L"b"}));
  EXPECT_EQ(L"", ListFileText({}));
}

TEST(OptionsText, NumbersRoundHalfToEvenAndRefuseWhatDoesNotFit) {
  const struct {
    const wchar_t* text;
    std::int32_t number;
  } cases[] = {{L"12.5", 12}, {L"13.5", 14}, {L"abc", 0}, {L"", 0}, {L" 15abc", 15}, {L"-3", -3},
               {L"2147483647", 2147483647}, {L"&HFF", 255}};
  for (const auto& c : cases) EXPECT_EQ(c.number, NumberOfText(c.text)) << c.text;
  EXPECT_VB_ERROR(NumberOfText(L"1e20"), 6);
  EXPECT_VB_ERROR(NumberOfText(L"2147483648"), 6);
}

// Every break, CR LF or a lone CR or LF, is stored as a mark, so the entry stays one line of its file.
TEST(OptionsText, LineBreaksAreStoredAsCrLfMarks) {
  const struct {
    const wchar_t* shown;
    const wchar_t* stored;
  } cases[] = {{L"a\r\n\r\nb", L"a(CrLf)(CrLf)b"}, {L"x\ry", L"x(CrLf)y"}, {L"If x Then\nFoo", L"If x Then(CrLf)Foo"},
               {L"\n\r", L"(CrLf)(CrLf)"}, {L"\r\r\n", L"(CrLf)(CrLf)"}, {L"a\n", L"a(CrLf)"}, {L"", L""}};
  for (const auto& c : cases) EXPECT_EQ(c.stored, StoredText(c.shown)) << c.stored;
  EXPECT_EQ(L"a\r\n\r\nb", ShownText(L"a(CrLf)(CrLf)b"));
}

TEST(OptionsText, HotKeyCaptureKeepsTheTextForKeysWithoutAName) {
  EXPECT_EQ(L"Нет", CapturedHotKey(L"F6", 27, 0));
  EXPECT_EQ(L"Нет", CapturedHotKey(L"F6", 46, 0));
  EXPECT_EQ(L"Ctrl + Escape", CapturedHotKey(L"F6", 27, kCtrlHeld));
  EXPECT_EQ(L"F6", CapturedHotKey(L"F6", 17, kCtrlHeld));  // Ctrl alone
  EXPECT_EQ(L"Shift + F6", CapturedHotKey(L"Нет", 117, kShiftHeld));
  EXPECT_EQ(L"Ctrl + Shift + Alt + F11", CapturedHotKey(L"Нет", 122, 7));
}

// Every text the capture writes is one the code window's matcher accepts for the same key.
TEST(OptionsText, EveryCapturedTextMatchesItsKey) {
  for (long key = 0; key < 256; ++key) {
    for (int mask = 0; mask < 8; ++mask) {
      const std::wstring text = CapturedHotKey(L"\x1", key, mask);
      if (text == L"\x1" || text == kNoHotKey) continue;
      EXPECT_TRUE(IsHotKey(text, mask, key)) << key << " " << mask << " " << std::string(text.begin(), text.end());
    }
  }
}

TEST(OptionsText, NamesThatWouldNotReadBackAreRefused) {
  const struct {
    ListName list;
    const wchar_t* name;
    bool refused;
  } cases[] = {
      {ListName::kAbbreviation, L"ab", false},  {ListName::kAbbreviation, L"a=b", true},
      {ListName::kAbbreviation, L"=", true},    {ListName::kAbbreviation, L"*ab", true},
      {ListName::kAbbreviation, L" *ab", true}, {ListName::kAbbreviation, L"a*", false},
      {ListName::kHighlight, L"=", false},      {ListName::kHighlight, L"==", true},
      {ListName::kHighlight, L"a=", true},      {ListName::kHighlight, L"*", true},
      {ListName::kTemplate, L"=x", false},      {ListName::kTemplate, L"x=", true},
      {ListName::kTemplate, L"Обработчик", false},
  };
  for (const auto& c : cases) EXPECT_EQ(c.refused, !NameRefusal(c.list, c.name).empty()) << c.name;
}

}  // namespace
}  // namespace qv
