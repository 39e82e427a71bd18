#include "codetools/highlight_runs.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "tests/codetools/memory_module.h"

namespace qv {
namespace {

constexpr std::int32_t kD = 0xFF0000;  // directive
constexpr std::int32_t kS = 0x1515B6;  // string contents

HighlightOptions AllOn(std::vector<HighlightText> texts = {}) {
  return {true, kD, true, kS, true, std::move(texts)};
}

// Physical line `line` of `text`, the caret on line 9.
LineHighlight Highlight(const wchar_t* text, long line = 1, const HighlightOptions& options = AllOn(),
                        Selection selection = {9, 1, 9, 1}) {
  const MemoryModule module(text);
  return HighlightLine(GetLine(module, line), line, selection, options);
}

TEST(FormatDirectives, CapitalisesEachWordAndKeepsTheBlanks) {
  const std::pair<const wchar_t*, const wchar_t*> cases[] = {
      {L"'#include file", L"'#Include File"}, {L"'#end region", L"'#End Region"},
      {L"  '#INCLUDE  x", L"  '#Include  X"}, {L"#region", L"#Region"},
      {L"'#регион ИМЯ", L"'#Регион Имя"},    {L"", L""},
      {L"'#", L"'#"},                         {L"' #region", L"' #Region"},
  };
  for (const auto& [text, formatted] : cases) EXPECT_EQ(formatted, FormatDirectives(text)) << testing::PrintToString(text);
}

struct LineCase {
  const wchar_t* text;
  long line;
  std::vector<ColourRun> runs;
  std::optional<std::wstring> rewritten;
};

TEST(HighlightLine, DirectivesStringsAndUserTexts) {
  const HighlightOptions texts = AllOn({{L"aa", 1}, {L"ab", 2}, {L"Dim", 3}});
  const LineCase cases[] = {
      // A directive is code: black, its keyword (two words for "Include File") in the directive colour.
      {L"'#include file api.txt", 1, {{0, 2, 0}, {2, 12, kD}, {14, 8, 0}}, L"'#Include File api.txt"},
      {L"  ' #Region x ' note", 1, {{0, 5, 0}, {5, 6, kD}, {11, 3, 0}}, std::nullopt},
      {L"'#region", 1, {{0, 2, 0}, {2, 6, kD}}, L"'#Region"},
      // Commented compiler directives stay comments.
      {L"'#If Debug Then", 1, {}, std::nullopt},
      {L"'#Const A = 1", 1, {}, std::nullopt},
      {L"'#End If", 1, {}, std::nullopt},
      // The keyword ends before a string: its case is the user's.
      {L"'#end \"X Y\"", 1, {{0, 2, 0}, {2, 4, kD}, {6, 1, 0}, {7, 3, kS}, {10, 1, 0}}, L"'#End \"X Y\""},
      // A comment that another statement started is no directive.
      {L"x = 1 ' note _\r\n'#include file a", 2, {}, std::nullopt},
      {L"x = \"'#include\"", 1, {{5, 9, kS}}, std::nullopt},
      // A directive continued: its next line is read as one.
      {L"'#Include File a.txt _\r\n  #include x", 2, {{0, 3, 0}, {3, 7, kD}, {10, 2, 0}}, L"  #Include x"},
      // Strings: a doubled quote ends one run and starts the next; an open string is not painted.
      {L"s = \"a\"\"b\"", 1, {{5, 1, kS}, {8, 1, kS}}, std::nullopt},
      {L"s = \"open", 1, {}, std::nullopt},
      {L"x = \"it's\" ' \"no\"", 1, {{5, 4, kS}}, std::nullopt},
      {L"s = \"\"", 1, {}, std::nullopt},
      // User texts: overlapping occurrences, later texts over earlier, exact case, never in strings or comments.
      {L"aaab = \"aa\" ' aa", 1, {{0, 2, 1}, {2, 2, 2}, {8, 2, kS}}, std::nullopt},
      {L"aaa dim Dim", 1, {{0, 3, 1}, {8, 3, 3}}, std::nullopt},
  };
  for (const LineCase& c : cases) {
    const LineHighlight got = Highlight(c.text, c.line, texts);
    EXPECT_EQ(c.runs, got.runs) << testing::PrintToString(std::wstring(c.text));
    EXPECT_EQ(c.rewritten, got.rewritten) << testing::PrintToString(std::wstring(c.text));
  }
}

TEST(HighlightLine, SettingsOffPaintNothingAndTheSelectedLinesAreNotRewritten) {
  EXPECT_TRUE(Highlight(L"'#region \"a\" aa", 1, {false, kD, false, kS, false, {{L"aa", 1}}}).runs.empty());
  for (const Selection on : {Selection{1, 3, 1, 3}, Selection{3, 1, 1, 1}, Selection{1, 9, 2, 1}}) {
    const LineHighlight got = Highlight(L"'#region", 1, AllOn(), on);
    EXPECT_FALSE(got.rewritten);
  }
  EXPECT_EQ(L"'#Region", Highlight(L"'#region", 1, AllOn(), {2, 1, 3, 1}).rewritten);
}

// Every selection over a line in either order: the runs are those of the unselected line less
// exactly the selected columns.
TEST(HighlightLine, ARunNeverCoversASelectedCharacter) {
  const wchar_t* text = L"x\r\ns = \"abc\" & \"d\" & aa\r\ny";
  const HighlightOptions options = AllOn({{L"&", 7}, {L"aa", 8}});
  const auto colours = [](const LineHighlight& highlight) {
    std::vector<std::optional<std::int32_t>> by_column(40);
    for (const ColourRun& run : highlight.runs) {
      EXPECT_LT(0u, run.length);
      for (std::size_t i = run.column; i < run.column + run.length; ++i) by_column[i] = run.colour;
    }
    return by_column;
  };
  const auto full = colours(Highlight(text, 2, options));
  for (long a_line = 1; a_line <= 3; ++a_line) {
    for (long a_column = 1; a_column <= 25; a_column += 2) {
      for (const Selection s : {Selection{a_line, a_column, 2, 9}, Selection{2, 9, a_line, a_column},
                                Selection{2, a_column, 2, 13}, Selection{a_line, a_column, 3, 1}}) {
        const auto got = colours(Highlight(text, 2, options, s));
        const bool reversed = s.start_line > s.end_line || (s.start_line == s.end_line && s.start_column > s.end_column);
        const Selection n = reversed ? Selection{s.end_line, s.end_column, s.start_line, s.start_column} : s;
        for (std::size_t i = 0; i < got.size(); ++i) {
          const long column = static_cast<long>(i) + 1;
          const bool after_start = n.start_line < 2 || (n.start_line == 2 && column >= n.start_column);
          const bool before_end = n.end_line > 2 || (n.end_line == 2 && column < n.end_column);
          const bool selected = after_start && before_end;
          EXPECT_EQ(selected ? std::nullopt : full[i], got[i]) << a_line << ":" << a_column << " column " << column;
        }
      }
    }
  }
}

TEST(MakeHighlightOptions, TakesTheSettingsAndTheListsInFileOrder) {
  Settings settings;
  settings.SyntaxColoring_AdditionalOperators = settings.SyntaxColoring_CustomTexts = true;
  settings.TextColor = 42;
  KeyedCollection<std::wstring> texts, colours;
  for (const auto& [text, colour] : {std::pair{L"If", L"255"}, {L"", L"1"}, {L"=", L" 65280"}, {L"x", L"junk"}}) {
    texts.Add(text);
    colours.Add(colour);
  }
  HighlightOptions options = MakeHighlightOptions(settings, texts, colours);
  EXPECT_TRUE(options.directives && options.texts && !options.strings);
  EXPECT_EQ(0x800000, options.directive_colour);
  EXPECT_EQ(42, options.string_colour);
  ASSERT_EQ(3u, options.user_texts.size());
  EXPECT_EQ(255, options.user_texts[0].colour);
  EXPECT_EQ(L"=", options.user_texts[1].text);
  EXPECT_EQ(65280, options.user_texts[1].colour);
  EXPECT_EQ(0, options.user_texts[2].colour);
  settings.SyntaxColoring_Operators = true;
  EXPECT_EQ(0xFF0000, MakeHighlightOptions(settings, texts, colours).directive_colour);
}

}  // namespace
}  // namespace qv
