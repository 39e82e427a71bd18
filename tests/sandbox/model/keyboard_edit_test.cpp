// The code editor's keyboard rules as text operations, and where the caret goes.
#include "sandbox/model/keyboard_edit.h"

#include <gtest/gtest.h>

#include "sandbox/model/caret.h"

namespace sbx {
namespace {

using Lines = std::vector<std::wstring>;

TEST(KeyboardEditTest, TypingReplacesTheSelectionAndEachKeyIsOneUndoStep) {
  ModuleText text(L"Dim abc As Long");
  TextPos caret = TypeText(text, {1, 5}, {1, 8}, L"x");
  caret = TypeText(text, caret, caret, L"Ж");
  EXPECT_EQ(L"Dim xЖ As Long", text.Line(1));
  EXPECT_EQ((TextPos{1, 7}), caret);
  EXPECT_EQ(2u, text.UndoDepth());
  text.Undo();
  text.Undo();
  EXPECT_EQ(L"Dim abc As Long", text.Line(1));
}

TEST(KeyboardEditTest, PastingSeveralLinesOverASelectionIsOneUndoStep) {
  ModuleText text(L"a = 1\r\nb = 2\r\nc = 3");
  const TextPos caret = TypeText(text, {1, 1}, {2, 6}, L"x = 1\r\ny = 2\r\nz");
  EXPECT_EQ((Lines{L"x = 1", L"y = 2", L"z", L"c = 3"}), text.AllLines());
  EXPECT_EQ((TextPos{3, 2}), caret);
  EXPECT_EQ(1u, text.UndoDepth());
  text.Undo();
  EXPECT_EQ(L"a = 1\r\nb = 2\r\nc = 3", text.Text());
}

TEST(KeyboardEditTest, BackspaceDeletesLeftAndJoinsAtTheLineStart) {
  ModuleText text(L"ab\r\ncd");
  EXPECT_EQ((TextPos{2, 1}), DeleteLeft(text, {2, 2}, {2, 2}));
  EXPECT_EQ((TextPos{1, 3}), DeleteLeft(text, {2, 1}, {2, 1}));
  EXPECT_EQ((Lines{L"abd"}), text.AllLines());
  EXPECT_EQ((TextPos{1, 1}), DeleteLeft(text, {1, 1}, {1, 3}));
  EXPECT_EQ(L"d", text.Line(1));
  const auto depth = text.UndoDepth();
  EXPECT_EQ((TextPos{1, 1}), DeleteLeft(text, {1, 1}, {1, 1}));
  EXPECT_EQ(depth, text.UndoDepth());
}

TEST(KeyboardEditTest, DeleteRemovesTheSelectionOrOneCharacterOrTheLineBreak) {
  ModuleText text(L"ab\r\ncd\r\nef");
  DeleteRight(text, {1, 1}, {1, 1});
  EXPECT_EQ(L"b", text.Line(1));
  DeleteRight(text, {1, 2}, {1, 2});
  EXPECT_EQ((Lines{L"bcd", L"ef"}), text.AllLines());
  DeleteRight(text, {1, 2}, {2, 2});
  EXPECT_EQ((Lines{L"bf"}), text.AllLines());
  const auto depth = text.UndoDepth();
  EXPECT_EQ((TextPos{1, 3}), DeleteRight(text, {1, 3}, {1, 3}));
  EXPECT_EQ(depth, text.UndoDepth());
}

TEST(KeyboardEditTest, EnterCarriesTheIndentationAndDropsTheBlanksAfterTheCaret) {
  ModuleText text(L"    x = 1   + 2");
  EXPECT_EQ((TextPos{2, 5}), SplitLine(text, {1, 10}, {1, 10}, true));
  EXPECT_EQ((Lines{L"    x = 1", L"    + 2"}), text.AllLines());
  EXPECT_EQ(1u, text.UndoDepth());

  ModuleText selected(L"  If a Then b\r\nc");
  EXPECT_EQ((TextPos{2, 3}), SplitLine(selected, {1, 12}, {2, 1}, true));
  EXPECT_EQ((Lines{L"  If a Then", L"  c"}), selected.AllLines());

  ModuleText in_indent(L"      y");
  SplitLine(in_indent, {1, 3}, {1, 3}, true);
  EXPECT_EQ((Lines{L"  ", L"  y"}), in_indent.AllLines());
}

TEST(KeyboardEditTest, EnterAfterAnOpenProcedureHeaderAddsItsEndLine) {
  ModuleText text(L"Option Explicit\r\n  Public Function F() As Long\r\nSub Next()\r\nEnd Sub");
  EXPECT_EQ((TextPos{3, 1}), SplitLine(text, {2, 30}, {2, 30}, true));
  EXPECT_EQ(
      (Lines{L"Option Explicit", L"  Public Function F() As Long", L"", L"  End Function", L"Sub Next()", L"End Sub"}),
      text.AllLines());
  EXPECT_EQ(1u, text.UndoDepth());

  ModuleText property(L"Property Let P(v)");
  SplitLine(property, {1, 18}, {1, 18}, true);
  EXPECT_EQ((Lines{L"Property Let P(v)", L"", L"End Property"}), property.AllLines());
}

TEST(KeyboardEditTest, NoEndLineIsAddedWhenClosedSwitchedOffOrNotAtTheEnd) {
  ModuleText closed(L"Sub A()\r\nEnd Sub");
  SplitLine(closed, {1, 8}, {1, 8}, true);
  EXPECT_EQ((Lines{L"Sub A()", L"", L"End Sub"}), closed.AllLines());

  ModuleText switched_off(L"Sub A()");
  SplitLine(switched_off, {1, 8}, {1, 8}, false);
  EXPECT_EQ((Lines{L"Sub A()", L""}), switched_off.AllLines());

  ModuleText inside(L"Sub A()");
  SplitLine(inside, {1, 6}, {1, 6}, true);
  EXPECT_EQ((Lines{L"Sub A", L"()"}), inside.AllLines());
}

TEST(CaretTest, ArrowsHomeEndAndPagesStayInsideTheText) {
  ModuleText text(L"abcdef\r\nab\r\n\r\nabcd");
  EXPECT_EQ((TextPos{1, 7}), MoveCaret(text, {2, 1}, CaretMove::kLeft, 10));
  EXPECT_EQ((TextPos{2, 1}), MoveCaret(text, {1, 7}, CaretMove::kRight, 10));
  EXPECT_EQ((TextPos{4, 5}), MoveCaret(text, {4, 5}, CaretMove::kRight, 10));
  EXPECT_EQ((TextPos{1, 1}), MoveCaret(text, {1, 1}, CaretMove::kLeft, 10));
  EXPECT_EQ((TextPos{2, 3}), MoveCaret(text, {1, 6}, CaretMove::kDown, 10));
  EXPECT_EQ((TextPos{1, 1}), MoveCaret(text, {1, 1}, CaretMove::kUp, 10));
  EXPECT_EQ((TextPos{2, 1}), MoveCaret(text, {2, 3}, CaretMove::kHome, 10));
  EXPECT_EQ((TextPos{4, 5}), MoveCaret(text, {4, 1}, CaretMove::kEnd, 10));
  EXPECT_EQ((TextPos{3, 1}), MoveCaret(text, {1, 4}, CaretMove::kPageDown, 2));
  EXPECT_EQ((TextPos{4, 4}), MoveCaret(text, {1, 4}, CaretMove::kPageDown, 10));
  EXPECT_EQ((TextPos{1, 3}), MoveCaret(text, {4, 3}, CaretMove::kPageUp, 10));
  EXPECT_EQ((TextPos{1, 1}), MoveCaret(ModuleText(), {1, 1}, CaretMove::kDown, 10));
}

TEST(CaretTest, CtrlHomeAndCtrlEndGoToTheModulesStartAndTheLastLinesEnd) {
  struct Row {
    const wchar_t* module;
    TextPos from;
    CaretMove move;
    TextPos to;
  };
  const Row rows[] = {
      {L"abcdef\r\nab\r\n\r\nabcd", {3, 1}, CaretMove::kModuleStart, {1, 1}},
      {L"abcdef\r\nab\r\n\r\nabcd", {1, 4}, CaretMove::kModuleStart, {1, 1}},
      {L"abcdef\r\nab\r\n\r\nabcd", {1, 1}, CaretMove::kModuleEnd, {4, 5}},
      {L"abcdef\r\nab\r\n\r\nabcd", {4, 2}, CaretMove::kModuleEnd, {4, 5}},
      {L"abcdef\r\n", {1, 3}, CaretMove::kModuleEnd, {2, 1}},
      {L"abc", {1, 2}, CaretMove::kModuleEnd, {1, 4}},
      {L"", {1, 1}, CaretMove::kModuleEnd, {1, 1}},
      {L"", {1, 1}, CaretMove::kModuleStart, {1, 1}},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(row.to, MoveCaret(ModuleText(row.module), row.from, row.move, 10))
        << row.module << " from " << row.from.line << "," << row.from.column;
  }
}

TEST(CaretTest, ObjectModelEditsAboveMoveTheCaretAndAReplacedLineKeepsIt) {
  ModuleText text(L"1\r\n2\r\nthree\r\n4");
  LineChange change;
  text.Subscribe([&](const LineChange& c, EditOrigin) { change = c; });

  text.InsertLines(3, L"a\r\nb");  // at the caret's line: it moves down
  EXPECT_EQ((TextPos{5, 4}), FollowChange(text, {3, 4}, change));
  EXPECT_EQ((TextPos{2, 2}), FollowChange(text, {2, 2}, change));

  text.ReplaceLine(5, L"x\r\ny");  // the caret's own line: line kept, column clamped
  EXPECT_EQ((TextPos{5, 2}), FollowChange(text, {5, 4}, change));
  EXPECT_EQ((TextPos{7, 1}), FollowChange(text, {6, 1}, change));

  text.DeleteLines(2, 3);  // the caret's line deleted: it goes to the line that took its place
  EXPECT_EQ((TextPos{2, 1}), FollowChange(text, {3, 1}, change));
  EXPECT_EQ((TextPos{1, 1}), FollowChange(text, {1, 1}, change));
  EXPECT_EQ((TextPos{3, 2}), FollowChange(text, {6, 2}, change));

  EXPECT_EQ(std::nullopt, FollowLine(3, {2, 3, 1}));
  EXPECT_EQ(2, FollowLine(2, {2, 3, 1}));
}

}  // namespace
}  // namespace sbx
