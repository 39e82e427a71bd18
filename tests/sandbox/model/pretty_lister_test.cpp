// Which lines the host lists when the caret leaves them, and what listing leaves alone.
#include "sandbox/model/pretty_lister.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "sandbox/model/keyboard_edit.h"

namespace sbx {
namespace {

using Lines = std::vector<std::wstring>;
using Edit = std::function<void(ModuleText&)>;

// Keyboard edits at a caret, and the object model's edits.
Edit Type(int line, int column, const wchar_t* typed) {
  return [=](ModuleText& text) { TypeText(text, {line, column}, {line, column}, typed); };
}
Edit Enter(int line, int column) {
  return [=](ModuleText& text) { SplitLine(text, {line, column}, {line, column}, false); };
}
Edit Backspace(int line, int column) {
  return [=](ModuleText& text) { DeleteLeft(text, {line, column}, {line, column}); };
}
Edit Delete(int line, int column) {
  return [=](ModuleText& text) { DeleteRight(text, {line, column}, {line, column}); };
}
const Edit kUndo = [](ModuleText& text) { text.Undo(); };
const Edit kRedo = [](ModuleText& text) { text.Redo(); };
Edit Replace(int line, const wchar_t* code) {
  return [=](ModuleText& text) { text.ReplaceLine(line, code); };
}
Edit Insert(int line, const wchar_t* code) {
  return [=](ModuleText& text) { text.InsertLines(line, code); };
}
Edit Remove(int start, int count) {
  return [=](ModuleText& text) { text.DeleteLines(start, count); };
}

struct ListingRow {
  const char* what;
  const wchar_t* module;
  std::vector<Edit> edits;
  int caret_line;  // where the caret goes after the edits
  Lines listed;
};

TEST(PrettyListerTest, ChangedLinesTheCaretHasLeftAreListedAndNoOthers) {
  const ListingRow rows[] = {
      {"the caret stays on the typed line", L"if x then", {Type(1, 10, L" ")}, 1, {L"if x then "}},
      {"the caret leaves the typed line", L"if x then\r\ny", {Type(1, 10, L" ")}, 2, {L"If x Then ", L"y"}},
      {"lines nobody typed into", L"end if\r\nif x\r\nz", {Type(2, 5, L" then")}, 3, {L"end if", L"If x Then", L"z"}},
      {"Enter: the half the caret left", L"if x then y", {Enter(1, 10)}, 2, {L"If x Then", L"y"}},
      {"Enter: the new line once left", L"if x then", {Enter(1, 10), Type(2, 1, L"else")}, 1, {L"if x then", L"Else"}},
      {"a pasted block but the caret's line",
       L"",
       {Type(1, 1, L"dim a\r\nend if\r\nexit sub")},
       3,
       {L"Dim a", L"End If", L"exit sub"}},
      {"Backspace joining two lines", L"end\r\n if\r\nx", {Backspace(2, 1)}, 2, {L"End If", L"x"}},
      {"Delete of a line break", L"end\r\n if\r\nx", {Delete(1, 4)}, 2, {L"End If", L"x"}},
      {"an undone edit", L"end if\r\ny", {Type(1, 7, L"x"), kUndo}, 2, {L"End If", L"y"}},
      {"a redone edit", L"y\r\nend", {Type(2, 4, L" if"), kUndo, kRedo}, 1, {L"y", L"End If"}},
      {"the object model wrote over the typed line",
       L"if x then\r\ny",
       {Type(1, 10, L" "), Replace(1, L"end if")},
       2,
       {L"end if", L"y"}},
      {"lines the object model inserted", L"y", {Type(1, 2, L" "), Insert(1, L"end if")}, 1, {L"end if", L"y "}},
      {"a typed line the object model moved down",
       L"y\r\nend if",
       {Type(2, 7, L" "), Insert(1, L"a\r\nb")},
       1,
       {L"a", L"b", L"y", L"End If "}},
      {"a typed line the object model moved up",
       L"a\r\nb\r\nend if",
       {Type(3, 7, L" "), Remove(1, 2), Insert(2, L"z")},
       2,
       {L"End If ", L"z"}},
      {"a typed line the object model deleted",
       L"end if\r\ny",
       {Type(1, 7, L" "), Remove(1, 1), Insert(2, L"end if")},
       1,
       {L"y", L"end if"}},
      {"a line that goes on with a comment",
       L"' a _\r\nend if\r\nz",
       {Type(2, 7, L" ")},
       3,
       {L"' a _", L"end if ", L"z"}},
  };
  for (const ListingRow& row : rows) {
    ModuleText text(row.module);
    PrettyLister lister(text);
    for (const Edit& edit : row.edits) edit(text);
    lister.CaretOn(row.caret_line, true);
    EXPECT_EQ(row.listed, text.AllLines()) << row.what;
  }
}

TEST(PrettyListerTest, ListingKeepsTheUndoHistoryAndWritesOnlyWhatItChanges) {
  ModuleText text(L"\r\nx");
  PrettyLister lister(text);
  TextPos caret{1, 1};
  for (const wchar_t* key : {L"e", L"n", L"d", L" ", L"i", L"f"}) caret = TypeText(text, caret, caret, key);
  text.Undo();
  lister.CaretOn(2, true);
  EXPECT_EQ(L"End i", text.Line(1));
  EXPECT_EQ(5u, text.UndoDepth());
  EXPECT_EQ(1u, text.RedoDepth());

  EXPECT_EQ((TextPos{1, 7}), text.Redo());
  EXPECT_EQ(L"end if", text.Line(1)) << "redo gives back the typed text";
  lister.CaretOn(2, true);
  EXPECT_EQ(L"End If", text.Line(1));
  EXPECT_EQ(6u, text.UndoDepth());
  EXPECT_EQ(0u, text.RedoDepth());

  TypeText(text, {2, 2}, {2, 2}, L" = 1");
  const auto revision = text.Revision();
  lister.CaretOn(1, true);
  EXPECT_EQ(revision, text.Revision()) << "a line listed as typed is not written";
}

TEST(PrettyListerTest, SwitchedOffLeavingForgetsTheLineUnlisted) {
  ModuleText text(L"end if\r\nx");
  PrettyLister lister(text);
  TypeText(text, {1, 7}, {1, 7}, L" ");
  const auto revision = text.Revision();
  lister.CaretOn(2, false);
  lister.CaretOn(1, true);
  lister.CaretOn(2, true);
  EXPECT_EQ(revision, text.Revision());
  EXPECT_EQ(L"end if ", text.Line(1));
}

}  // namespace
}  // namespace sbx
