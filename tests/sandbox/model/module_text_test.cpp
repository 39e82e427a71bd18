// The host's editing members of a code module, and the undo history of keyboard edits.
#include "sandbox/model/module_text.h"

#include <gtest/gtest.h>

#include <vector>

#include "kit/vb_error.h"

namespace sbx {
namespace {

using Lines = std::vector<std::wstring>;

long ErrorOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const qv::VbError& error) {
    return error.number;
  }
  return 0;
}

TEST(ModuleTextTest, ReplaceLineWithLineBreaksReplacesOneLineBySeveral) {
  ModuleText text(L"one\r\ntwo\nthree");
  EXPECT_EQ(0, ModuleText().CountOfLines());
  text.ReplaceLine(2, L"2a\r\n2b\n2c\r2d");
  EXPECT_EQ((Lines{L"one", L"2a", L"2b", L"2c", L"2d", L"three"}), text.AllLines());
  EXPECT_EQ(L"one\r\n2a\r\n2b\r\n2c\r\n2d\r\nthree", text.Text());
  text.ReplaceLine(1, L"");
  EXPECT_EQ(L"", text.Line(1));
  EXPECT_EQ(6, text.CountOfLines());
  EXPECT_EQ(9, ErrorOf([&] { text.ReplaceLine(0, L"x"); }));
  EXPECT_EQ(9, ErrorOf([&] { text.ReplaceLine(7, L"x"); }));
}

TEST(ModuleTextTest, InsertLinesGoesBeforeTheLineAndAppendsAtCountPlusOne) {
  ModuleText text(L"a\r\nb");
  text.InsertLines(2, L"x\r\ny");
  text.InsertLines(5, L"end");
  EXPECT_EQ((Lines{L"a", L"x", L"y", L"b", L"end"}), text.AllLines());
  EXPECT_EQ(9, ErrorOf([&] { text.InsertLines(7, L"z"); }));
  ModuleText empty;
  empty.InsertLines(1, L"first");
  EXPECT_EQ((Lines{L"first"}), empty.AllLines());
}

TEST(ModuleTextTest, DeleteLinesNeedsTheWholeRange) {
  ModuleText text(L"1\r\n2\r\n3\r\n4");
  EXPECT_EQ(9, ErrorOf([&] { text.DeleteLines(3, 3); }));
  EXPECT_EQ(5, ErrorOf([&] { text.DeleteLines(1, 0); }));
  EXPECT_EQ(4, text.CountOfLines());
  text.DeleteLines(2, 2);
  EXPECT_EQ((Lines{L"1", L"4"}), text.AllLines());
}

TEST(ModuleTextTest, LinesJoinsByCrLfAndRaisesPastTheEndUnlessSwitched) {
  ModuleText text(L"a\r\nb\r\nc");
  EXPECT_EQ(L"b\r\nc", text.Lines(2, 2));
  EXPECT_EQ(L"", text.Lines(2, 0));
  EXPECT_EQ(9, ErrorOf([&] { text.Lines(3, 2); }));
  EXPECT_EQ(9, ErrorOf([&] { text.Lines(0, 1); }));
  EXPECT_EQ(5, ErrorOf([&] { text.Lines(1, -1); }));
  text.SetMissingLinesReadEmpty(true);
  EXPECT_EQ(L"c\r\n", text.Lines(3, 2));
  EXPECT_EQ(L"\r\n", text.Lines(9, 2));
}

TEST(ModuleTextTest, AddFromStringAppendsWithoutProceduresElseGoesAfterTheDeclarations) {
  ModuleText declarations(L"Option Explicit\r\n' notes");
  declarations.AddFromString(L"Dim a\r\nDim b");
  EXPECT_EQ((Lines{L"Option Explicit", L"' notes", L"Dim a", L"Dim b"}), declarations.AllLines());

  ModuleText procedures(L"Option Explicit\r\n\r\nSub A()\r\nEnd Sub");
  procedures.AddFromString(L"Dim x");
  EXPECT_EQ((Lines{L"Option Explicit", L"Dim x", L"", L"Sub A()", L"End Sub"}), procedures.AllLines());
}

TEST(ModuleTextTest, GeometryFollowsEveryEdit) {
  ModuleText text(L"Sub A()\r\nEnd Sub");
  EXPECT_EQ(1, text.Geometry().procedures.at(0).body_line);
  text.InsertLines(1, L"Dim x");
  EXPECT_EQ(2, text.Geometry().procedures.at(0).body_line);
  text.ReplaceRange({1, 1}, {1, 1}, L"\r\n");
  EXPECT_EQ(3, text.Geometry().procedures.at(0).body_line);
  text.SetTrailingLinesInLast(false);
  text.InsertLines(5, L"");
  EXPECT_EQ(2, text.Geometry().procedures.at(0).count_lines);
}

TEST(ModuleTextTest, ReplaceRangeIsOneUndoStepThatRedoRepeats) {
  ModuleText text(L"first line\r\nsecond line\r\nthird");
  const TextPos end = text.ReplaceRange({1, 7}, {2, 7}, L"x\r\ny");
  EXPECT_EQ((TextPos{2, 2}), end);
  EXPECT_EQ((Lines{L"first x", L"y line", L"third"}), text.AllLines());
  EXPECT_EQ(1u, text.UndoDepth());

  EXPECT_EQ((TextPos{2, 7}), text.Undo());
  EXPECT_EQ(L"first line\r\nsecond line\r\nthird", text.Text());
  EXPECT_EQ(0u, text.UndoDepth());
  EXPECT_EQ(std::nullopt, text.Undo());

  EXPECT_EQ((TextPos{2, 2}), text.Redo());
  EXPECT_EQ((Lines{L"first x", L"y line", L"third"}), text.AllLines());
  EXPECT_EQ(std::nullopt, text.Redo());
}

TEST(ModuleTextTest, ANewKeyboardEditDropsRedoAndObjectModelEditsDropBoth) {
  ModuleText text(L"abc");
  text.ReplaceRange({1, 4}, {1, 4}, L"d");
  text.ReplaceRange({1, 5}, {1, 5}, L"e");
  text.Undo();
  EXPECT_EQ(1u, text.RedoDepth());
  text.ReplaceRange({1, 1}, {1, 1}, L"z");
  EXPECT_EQ(0u, text.RedoDepth());
  EXPECT_EQ(2u, text.UndoDepth());
  text.Undo();
  EXPECT_EQ(1u, text.RedoDepth());
  text.ReplaceLine(1, L"new");
  EXPECT_EQ(0u, text.UndoDepth());
  EXPECT_EQ(0u, text.RedoDepth());
}

TEST(ModuleTextTest, TheEditorsOwnRewriteIsNoUndoStepAndKeepsBothStacks) {
  ModuleText text(L"end if\r\nx");
  text.ReplaceRange({2, 2}, {2, 2}, L"y");
  text.ReplaceRange({2, 3}, {2, 3}, L"z");
  text.Undo();
  text.RewriteLine(1, L"End If");
  EXPECT_EQ((Lines{L"End If", L"xy"}), text.AllLines());
  EXPECT_EQ(1u, text.UndoDepth());
  EXPECT_EQ(1u, text.RedoDepth());
  EXPECT_EQ((TextPos{2, 4}), text.Redo());
  EXPECT_EQ((Lines{L"End If", L"xyz"}), text.AllLines());
}

TEST(ModuleTextTest, TypingIntoAnEmptyModuleMakesItsFirstLineAndUndoEmptiesItAgain) {
  ModuleText text;
  EXPECT_EQ((TextPos{1, 2}), text.ReplaceRange({1, 1}, {1, 1}, L"x"));
  EXPECT_EQ((Lines{L"x"}), text.AllLines());
  text.Undo();
  EXPECT_EQ(0, text.CountOfLines());
}

TEST(ModuleTextTest, ReplaceRangeRejectsPositionsOutsideTheText) {
  ModuleText text(L"ab");
  EXPECT_EQ(5, ErrorOf([&] { text.ReplaceRange({1, 4}, {1, 4}, L"x"); }));
  EXPECT_EQ(5, ErrorOf([&] { text.ReplaceRange({2, 1}, {2, 1}, L"x"); }));
  EXPECT_EQ(5, ErrorOf([&] { text.ReplaceRange({1, 2}, {1, 1}, L"x"); }));
  EXPECT_EQ(L"ab", text.Text());
}

TEST(ModuleTextTest, ListenersHearEveryChangeWithItsOriginAndRevisionCounts) {
  ModuleText text(L"a\r\nb");
  std::vector<std::tuple<int, int, int, EditOrigin>> heard;
  const int id = text.Subscribe(
      [&](const LineChange& c, EditOrigin origin) { heard.emplace_back(c.first, c.removed, c.inserted, origin); });
  const auto revision = text.Revision();
  text.ReplaceLine(2, L"x\r\ny");
  text.ReplaceRange({1, 2}, {2, 1}, L"");
  text.Undo();
  text.Redo();
  text.RewriteLine(1, L"A");
  text.DeleteLines(1, 2);
  EXPECT_EQ(revision + 6, text.Revision());
  text.Unsubscribe(id);
  text.InsertLines(1, L"unheard");
  using E = EditOrigin;
  EXPECT_EQ((std::vector<std::tuple<int, int, int, EditOrigin>>{{2, 1, 2, E::kObjectModel},
                                                                {1, 2, 1, E::kKeyboard},
                                                                {1, 1, 2, E::kUndo},
                                                                {1, 2, 1, E::kRedo},
                                                                {1, 1, 1, E::kRewrite},
                                                                {1, 2, 0, E::kObjectModel}}),
            heard);
}

TEST(ModuleTextTest, AListenerMayUnsubscribeAnotherWhileBeingNotified) {
  ModuleText text(L"a");
  int second = 0;
  int second_calls = 0;
  text.Subscribe([&](const LineChange&, EditOrigin) { text.Unsubscribe(second); });
  second = text.Subscribe([&](const LineChange&, EditOrigin) { ++second_calls; });
  text.ReplaceLine(1, L"b");
  EXPECT_EQ(0, second_calls);
}

}  // namespace
}  // namespace sbx
