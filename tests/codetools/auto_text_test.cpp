#include "codetools/auto_text.h"

#include <gtest/gtest.h>

#include <string>

#include "kit/vb_strings.h"
#include "tests/codetools/test_support.h"
#include "tests/codetools/tool_case.h"

namespace qv {
namespace {

using test::At;
using test::Lines;
using test::MemoryPane;
using test::ToolCase;

// The caret right after the blank that ends the last line.
Selection AfterBlank(std::wstring_view text) {
  const auto line = static_cast<long>(ModuleText(std::wstring(text)).CountOfLines());
  return At(line, static_cast<long>(text.size() - std::min(text.rfind(L'\n') + 1, text.size())) + 1);
}

void Check(const ToolCase& c, const KeyedCollection<std::wstring>& inserts) {
  test::NoTemplateHost host;
  test::CheckTool(c, [&](MemoryPane& pane) { InsertAutoText(pane, pane, inserts, test::ToolSettings(), host); });
}

ToolCase Typed(std::wstring text, std::wstring expected, Selection after) {
  const Selection caret = AfterBlank(text);
  return {std::move(text), caret, std::move(expected), after};
}

class InsertAutoTextTest : public testing::Test {
 protected:
  const KeyedCollection<std::wstring> shipped_ = test::ShippedAutoInserts();
};

TEST_F(InsertAutoTextTest, ShippedExpansionsSelectTheirMarkedPart) {
  const ToolCase cases[] = {
      Typed(L"    ift ", L"    If [Введите условие] Then", {1, 8, 1, 25}),
      Typed(L"    IfT ", L"    If [Введите условие] Then", {1, 8, 1, 25}),
      Typed(L"        ifee ",
            Lines({L"        If [Введите условие] Then", L"            ", L"        Else", L"            ",
                   L"        End If"}),
            {1, 12, 1, 29}),
      // The marks on a later line are selected there, at their column on it.
      Typed(L"    dol ", Lines({L"    Do", L"        ", L"    Loop"}), {2, 9, 2, 9}),
      Typed(L"dolw ", Lines({L"Do", L"    ", L"Loop While [Введите условие]"}), {3, 12, 3, 29}),
      Typed(L"x = cho ", L"x = Choose(i, True, False)", {1, 12, 1, 13}),
      Typed(L"#inc ", L"'#Include <Введите путь>", {1, 12, 1, 24}),
      // Without marks the caret follows the expansion's first line.
      Typed(L"x = rct ", L"x = Rect", {1, 9, 1, 9}),
      Typed(L"Public func ", L"Public Function", {1, 16, 1, 16}),
      Typed(L"    typPOINT ", Lines({L"    Type POINT", L"        x As Long", L"        y As Long", L"    End Type"}),
            {1, 15, 1, 15}),
      {L"func (a)", {1, 6, 1, 6}, L"Function(a)", {1, 9, 1, 9}},
      // The user's braces stay; only the expansion's marks go.
      Typed(L"Debug.Print \"{0}\": ift ", L"Debug.Print \"{0}\": If [Введите условие] Then", {1, 23, 1, 40}),
      {L"s = \"{\" & ift & \"}\"", {1, 15, 1, 15}, L"s = \"{\" & If [Введите условие] Then& \"}\"", {1, 14, 1, 31}},
      // On a continued line the word is on the caret's own line, and only that line changes.
      Typed(Lines({L"x = a + _", L"    ift "}), Lines({L"x = a + _", L"    If [Введите условие] Then"}), {2, 8, 2, 25}),
  };
  for (const ToolCase& c : cases) Check(c, shipped_);
}

TEST_F(InsertAutoTextTest, NoKnownWordInCodeLeavesTheLine) {
  for (const std::wstring_view text :
       {L"    foo ", L"resn ", L"s = \"ift ", L"x = 1 ' ift ", L"Rem ift ", L"x = a+ift ", L"a:b+ift ", L"x=ift "}) {
    Check(Typed(std::wstring(text), L"", {}), shipped_);
  }
  Check({L"s = \"ift \" & x", {1, 10, 1, 10}, L"", {}}, shipped_);
  Check({L" ift", {1, 2, 1, 2}, L"", {}}, shipped_);  // nothing before the typed blank
}

TEST(InsertAutoText, TheLastBlankBeatsNearerDelimiters) {
  KeyedCollection<std::wstring> inserts;
  inserts.Add(L"A", L"x=sub1");
  inserts.Add(L"B", L"sub1");
  inserts.Add(L"a = 1(CrLf)b = {x}", L"two");
  const ToolCase cases[] = {
      Typed(L"x=sub1 ", L"A", {1, 2, 1, 2}),
      Typed(L"  x=sub1 ", L"  A", {1, 4, 1, 4}),
      Typed(L"a + sub1 ", L"a + B", {1, 6, 1, 6}),
      Typed(L"a:sub1 ", L"a:B", {1, 4, 1, 4}),
      Typed(L"a,b*c+sub1 ", L"a,b*c+B", {1, 8, 1, 8}),
      Typed(L"a:b+sub1 ", L"", {}),
      Typed(L"a+b,sub1 ", L"", {}),
      Typed(L"    Two ", Lines({L"    a = 1", L"    b = x"}), {2, 9, 2, 10}),
  };
  for (const ToolCase& c : cases) Check(c, inserts);
}

// Text right of the caret goes onto its own line below an expansion of several lines, at the line's
// indentation; after a one-line expansion, or when it is only blanks, it follows as it stood.
TEST_F(InsertAutoTextTest, TextRightOfTheCaretGoesBelowAnExpansionOfSeveralLines) {
  const ToolCase cases[] = {
      {L"    ife On Error Goto ErrorHandler", At(1, 9),
       Lines({L"    If [Введите условие] Then", L"        ", L"    End If", L"    On Error Goto ErrorHandler"}),
       {1, 8, 1, 25}},
      {L"  dol    x = 1 ' go", At(1, 7), Lines({L"  Do", L"      ", L"  Loop", L"  x = 1 ' go"}), {2, 7, 2, 7}},
      {L"  dol   ", At(1, 7), Lines({L"  Do", L"      ", L"  Loop  "}), {2, 7, 2, 7}},
      {L"    ift x = 1", At(1, 9), L"    If [Введите условие] Thenx = 1", {1, 8, 1, 25}},
  };
  for (const ToolCase& c : cases) Check(c, shipped_);
}

TEST_F(InsertAutoTextTest, EveryShippedEntryKeepsTheIndentationOnEachLine) {
  for (long i = 1; i <= shipped_.Count(); ++i) {
    const std::wstring key = *shipped_.KeyAt(i);
    const std::wstring& item = shipped_.Item(i);
    SCOPED_TRACE(testing::Message() << testing::PrintToString(key));
    const long caret = static_cast<long>(key.size()) + 10;
    MemoryPane pane(L"        " + key + L" ", {1, caret, 1, caret});
    test::NoTemplateHost host;
    InsertAutoText(pane, pane, shipped_, test::ToolSettings(), host);
    const ModuleText after(pane.Text());
    for (long line = 1; line <= after.CountOfLines(); ++line) EXPECT_TRUE(after.Line(line).starts_with(L"        "));
    EXPECT_EQ(pane.Text().find(L"(CrLf)"), std::wstring::npos);
    EXPECT_EQ(pane.Text().find(L"(Tab)"), std::wstring::npos);
    const Selection s = pane.GetSelection();
    const std::size_t open = item.find(L'{');
    const std::size_t close = item.find(L'}', open);
    const std::wstring marked = open == std::wstring::npos ? L"" : item.substr(open + 1, close - open - 1);
    ASSERT_EQ(s.start_line, s.end_line);
    EXPECT_EQ(after.Line(s.start_line)
                  .substr(static_cast<std::size_t>(s.start_column - 1),
                          static_cast<std::size_t>(s.end_column - s.start_column)),
              marked);
    if (open == std::wstring::npos) {
      EXPECT_EQ(s.start_column, static_cast<long>(after.Line(1).size()) + 1);
    }
  }
}

}  // namespace
}  // namespace qv
