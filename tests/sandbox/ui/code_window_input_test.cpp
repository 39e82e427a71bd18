// Keys reaching the code window through real input: typing, Enter, Delete, Backspace, moving, pasting
// and undo, and the keyword case of the typed lines they leave.
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "sandbox/ui/input.h"
#include "tests/sandbox/ui/ui_fixture.h"

namespace sbx::test {
namespace {

using Lines = std::vector<std::wstring>;

void PutAnsiOnClipboard(HWND owner, const std::string& text) {
  ASSERT_TRUE(OpenClipboard(owner));
  EmptyClipboard();
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
  GlobalUnlock(memory);
  SetClipboardData(CF_TEXT, memory);
  CloseClipboard();
}

void PlaceCaret(CodeWindow& window, TextPos caret) { window.SetSelection(0, {caret, caret}); }

// The add-in subclasses the code window and acts on the virtual keys of WM_KEYDOWN.
std::vector<WPARAM> g_key_downs;
WNDPROC g_code_window_procedure = nullptr;
LRESULT CALLBACK RecordKeyDowns(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_KEYDOWN) g_key_downs.push_back(wparam);
  return CallWindowProcW(g_code_window_procedure, window, message, wparam, lparam);
}

TEST_F(MdiTest, TypingLatinAndCyrillicThroughRealInputChangesTheModuleWithTheKeysVirtualCodes) {
  CodeWindow& window = OpenWindow(L"Dim x");
  PlaceCaret(window, {1, 6});
  g_key_downs.clear();
  g_code_window_procedure = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(window.hwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordKeyDowns)));
  SendText(L" As String ' Привет, Ёж!");
  SendKey('9', kShift);
  SetWindowLongPtrW(window.hwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_code_window_procedure));
  EXPECT_EQ(L"Dim x As String ' Привет, Ёж!(", window.text().Line(1));
  EXPECT_EQ((Selection{{1, 31}, {1, 31}}), window.GetSelection(0));
  EXPECT_EQ(25u, window.text().UndoDepth()) << "one undo step a key";
  for (WPARAM key : {WPARAM{VK_SPACE}, WPARAM{VK_OEM_COMMA}, WPARAM{'9'}, WPARAM{'A'}, WPARAM{VK_PACKET}}) {
    EXPECT_NE(g_key_downs.end(), std::find(g_key_downs.begin(), g_key_downs.end(), key)) << "key " << key;
  }
}

TEST_F(MdiTest, EnterSplitsOnKeyDownAndItsCharacterIsIgnored) {
  CodeWindow& window = OpenWindow(L"    If a Then   b = 1");
  PlaceCaret(window, {1, 14});
  SendKey(VK_RETURN);
  EXPECT_EQ((Lines{L"    If a Then", L"    b = 1"}), window.text().AllLines());
  EXPECT_EQ((Selection{{2, 5}, {2, 5}}), window.GetSelection(0));

  // An Enter whose key-down the add-in swallowed leaves only its WM_CHAR: nothing happens.
  SendMessageW(window.hwnd(), WM_CHAR, L'\r', 0);
  EXPECT_EQ(2, window.text().CountOfLines());
}

TEST_F(MdiTest, EnterAfterANewProcedureHeaderAddsItsEndLineUnlessSwitchedOff) {
  CodeWindow& window = OpenWindow(L"Private Sub Form_Load()");
  PlaceCaret(window, {1, 24});
  SendKey(VK_RETURN);
  EXPECT_EQ((Lines{L"Private Sub Form_Load()", L"", L"End Sub"}), window.text().AllLines());
  EXPECT_EQ((Selection{{2, 1}, {2, 1}}), window.GetSelection(0));

  workspace_->complete_procedures = false;
  window.text().ReplaceLine(3, L"Function F()");
  PlaceCaret(window, {3, 13});
  SendKey(VK_RETURN);
  EXPECT_EQ((Lines{L"Private Sub Form_Load()", L"", L"Function F()", L""}), window.text().AllLines());
}

TEST_F(MdiTest, DeleteBackspaceAndShiftedMovesEditAndSelect) {
  CodeWindow& window = OpenWindow(L"abcd\r\nef");
  PlaceCaret(window, {1, 2});
  SendKey(VK_DELETE);
  EXPECT_EQ(L"acd", window.text().Line(1));
  SendKey(VK_BACK);
  EXPECT_EQ(L"cd", window.text().Line(1));
  SendKey(VK_END);
  SendKey(VK_DELETE);  // joins the next line
  EXPECT_EQ((Lines{L"cdef"}), window.text().AllLines());
  SendKey(VK_HOME);
  SendKey(VK_RIGHT, kShift);
  SendKey(VK_RIGHT, kShift);
  EXPECT_EQ((Selection{{1, 1}, {1, 3}}), window.GetSelection(0));
  SendText(L"X");
  EXPECT_EQ(L"Xef", window.text().Line(1));
}

TEST_F(MdiTest, ShiftInsertPastesTheAnsiClipboardOverTheSelectionAndOneCtrlZRestoresIt) {
  CodeWindow& window = OpenWindow(L"a = 1\r\nb = 2\r\nc = 3");
  // "y = 'Привет'" in code page 1251.
  PutAnsiOnClipboard(window.hwnd(), "x = 1\r\ny = '\xCF\xF0\xE8\xE2\xE5\xF2'");
  window.SetSelection(0, {{1, 1}, {2, 6}});
  SendKey(VK_INSERT, kShift);
  EXPECT_EQ((Lines{L"x = 1", L"y = 'Привет'", L"c = 3"}), window.text().AllLines());
  EXPECT_EQ((Selection{{2, 13}, {2, 13}}), window.GetSelection(0));
  EXPECT_EQ(1u, window.text().UndoDepth());

  SendKey('Z', kCtrl);
  EXPECT_EQ(L"a = 1\r\nb = 2\r\nc = 3", window.text().Text());
  SendKey('Y', kCtrl);
  EXPECT_EQ(L"y = 'Привет'", window.text().Line(2));
  SendKey(VK_INSERT);  // Insert without Shift pastes nothing
  EXPECT_EQ(3, window.text().CountOfLines());
}

TEST_F(MdiTest, ObjectModelEditsAboveCarryTheCaretAndDropTheUndoHistory) {
  CodeWindow& window = OpenWindow(NumberedLines(5));
  window.SetSelection(0, {{3, 2}, {4, 3}});
  SendText(L"z");
  EXPECT_EQ(1u, window.text().UndoDepth());
  window.text().InsertLines(1, L"new 1\r\nnew 2");
  EXPECT_EQ((Selection{{5, 3}, {5, 3}}), window.GetSelection(0));
  EXPECT_EQ(0u, window.text().UndoDepth());
  window.text().DeleteLines(1, 1);
  EXPECT_EQ((Selection{{4, 3}, {4, 3}}), window.GetSelection(0));
  window.text().ReplaceLine(4, L"x");  // the caret's own line keeps its place, clamped
  EXPECT_EQ((Selection{{4, 2}, {4, 2}}), window.GetSelection(0));
}

TEST_F(MdiTest, PageDownMovesTheCaretAndTheTopLineByAPage) {
  CodeWindow& window = OpenWindow(NumberedLines(200));
  const int page = window.CountOfVisibleLines(0);
  ASSERT_GT(page, 5);
  SendKey(VK_NEXT);
  EXPECT_EQ(1 + page, window.TopLine(0));
  EXPECT_EQ(1 + page, window.GetSelection(0).end.line);
  SendKey(VK_DOWN);
  EXPECT_EQ(2 + page, window.GetSelection(0).end.line);
  SendKey(VK_PRIOR);
  EXPECT_EQ(1, window.TopLine(0));
}

struct CtrlMove {
  TextPos from;
  unsigned modifiers;  // with kCtrl
  WORD key;
  Selection selection;
  bool at_bottom;  // the view shows the last line at its bottom, else line 1 at its top
};

TEST_F(MdiTest, CtrlHomeAndCtrlEndGoToTheModulesEndsShiftExtendsAndTheViewFollows) {
  CodeWindow& window = OpenWindow(NumberedLines(200));
  const int page = window.CountOfVisibleLines(0);
  ASSERT_GT(page, 5);
  const CtrlMove moves[] = {
      {{100, 3}, kCtrl, VK_END, {{200, 9}, {200, 9}}, true},
      {{100, 3}, kCtrl, VK_HOME, {{1, 1}, {1, 1}}, false},
      {{100, 3}, kCtrl | kShift, VK_END, {{100, 3}, {200, 9}}, true},
      {{100, 3}, kCtrl | kShift, VK_HOME, {{1, 1}, {100, 3}}, false},
      {{1, 1}, kCtrl, VK_END, {{200, 9}, {200, 9}}, true},
      {{200, 9}, kCtrl, VK_HOME, {{1, 1}, {1, 1}}, false},
      {{200, 1}, kCtrl | kShift, VK_HOME, {{1, 1}, {200, 1}}, false},
      {{1, 4}, kCtrl | kShift, VK_END, {{1, 4}, {200, 9}}, true},
  };
  for (const CtrlMove& move : moves) {
    PlaceCaret(window, move.from);
    SendKey(move.key, move.modifiers);
    const Selection& expected = move.selection;
    EXPECT_EQ(expected, window.GetSelection(0)) << "from line " << move.from.line << ", key " << move.key;
    EXPECT_EQ(move.at_bottom ? 200 - page + 1 : 1, window.TopLine(0)) << "from line " << move.from.line;
  }
  // Shift extends from the anchor the last move left.
  SendKey(VK_END, kCtrl | kShift);
  EXPECT_EQ((Selection{{1, 4}, {200, 9}}), window.GetSelection(0));
  SendKey(VK_HOME, kCtrl | kShift);
  EXPECT_EQ((Selection{{1, 1}, {1, 4}}), window.GetSelection(0));
}

TEST_F(MdiTest, CtrlEndAndCtrlHomeScrollSidewaysToTheCaret) {
  CodeWindow& window = OpenWindow(L"short\r\n" + std::wstring(400, L'x'));
  const HWND horizontal = Bar(window.hwnd(), false);
  ASSERT_NE(nullptr, horizontal);
  RECT client{};
  GetClientRect(window.hwnd(), &client);
  for (int round = 0; round < 2; ++round) {
    SendKey(VK_END, kCtrl);
    EXPECT_EQ((Selection{{2, 401}, {2, 401}}), window.GetSelection(0));
    EXPECT_GT(GetScrollPos(horizontal, SB_CTL), 300);
    POINT caret{};
    GetCaretPos(&caret);
    EXPECT_GT(caret.x, client.right / 2) << "the caret is drawn near the right edge";
    EXPECT_LT(caret.x, client.right);

    SendKey(VK_HOME, kCtrl);
    EXPECT_EQ(0, GetScrollPos(horizontal, SB_CTL));
    GetCaretPos(&caret);
    EXPECT_GT(caret.x, 0);
    EXPECT_LT(caret.x, client.right / 2);
  }
}

// How the caret leaves the line typed into, or stays on it.
struct Leaving {
  const char* what;
  WORD key;  // VK_LBUTTON: a click on line 5, column 3
  unsigned modifiers;
  bool listed;
  Selection selection;
};

TEST_F(MdiTest, ATypedLineTakesItsKeywordsCaseWhenTheCaretLeavesIt) {
  workspace_->case_keywords = true;
  const std::wstring module = L"line 1\r\n\r\n" + NumberedLines(100).substr(NumberedLines(2).size() + 2);
  CodeWindow& window = OpenWindow(module);
  const int page = window.CountOfVisibleLines(0);
  ASSERT_GT(page, 5);
  PlaceCaret(window, {5, 3});
  POINT click{};
  GetCaretPos(&click);

  const Leaving leavings[] = {
      {"Down", VK_DOWN, kNoModifiers, true, {{3, 7}, {3, 7}}},
      {"Up", VK_UP, kNoModifiers, true, {{1, 7}, {1, 7}}},
      {"Right at the end", VK_RIGHT, kNoModifiers, true, {{3, 1}, {3, 1}}},
      {"Shift+Down", VK_DOWN, kShift, true, {{2, 7}, {3, 7}}},
      {"Enter", VK_RETURN, kNoModifiers, true, {{3, 1}, {3, 1}}},
      {"Page Down", VK_NEXT, kNoModifiers, true, {{2 + page, 7}, {2 + page, 7}}},
      {"Page Up", VK_PRIOR, kNoModifiers, true, {{1, 7}, {1, 7}}},
      {"Ctrl+Home", VK_HOME, kCtrl, true, {{1, 1}, {1, 1}}},
      {"Ctrl+End", VK_END, kCtrl, true, {{100, 9}, {100, 9}}},
      {"Ctrl+Shift+End", VK_END, kCtrl | kShift, true, {{2, 7}, {100, 9}}},
      {"a click", VK_LBUTTON, kNoModifiers, true, {{5, 3}, {5, 3}}},
      {"Left", VK_LEFT, kNoModifiers, false, {{2, 6}, {2, 6}}},
      {"Home", VK_HOME, kNoModifiers, false, {{2, 1}, {2, 1}}},
      {"End", VK_END, kNoModifiers, false, {{2, 7}, {2, 7}}},
      {"Shift+Home", VK_HOME, kShift, false, {{2, 1}, {2, 7}}},
  };
  for (const Leaving& leaving : leavings) {
    window.text().DeleteLines(1, window.text().CountOfLines());
    window.text().InsertLines(1, module);
    window.SetTopLine(0, 1);
    PlaceCaret(window, {2, 1});
    SendText(L"end if");
    const size_t undo_steps = window.text().UndoDepth();
    if (leaving.key == VK_LBUTTON) {
      SendMessageW(window.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(click.x + 1, click.y + 1));
      SendMessageW(window.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(click.x + 1, click.y + 1));
    } else {
      SendKey(leaving.key, leaving.modifiers);
    }
    EXPECT_EQ(leaving.listed ? L"End If" : L"end if", window.text().Line(2)) << leaving.what;
    EXPECT_EQ(leaving.selection, window.GetSelection(0)) << leaving.what;
    EXPECT_EQ(undo_steps + (leaving.key == VK_RETURN ? 1 : 0), window.text().UndoDepth()) << leaving.what;
  }
}

TEST_F(MdiTest, ObjectModelWritesAndMovesListNothingAndSwitchedOffTheHostListsNothing) {
  workspace_->case_keywords = true;
  CodeWindow& window = OpenWindow(L"x\r\n\r\nend if\r\ny");
  PlaceCaret(window, {2, 1});
  SendText(L"if a then");
  window.text().ReplaceLine(2, L"if b then");
  SendKey(VK_DOWN);
  SendKey(VK_DOWN);
  EXPECT_EQ(L"if b then", window.text().Line(2)) << "written through the object model";
  EXPECT_EQ(L"end if", window.text().Line(3)) << "never typed into";

  PlaceCaret(window, {3, 7});
  SendText(L" ");
  PlaceCaret(window, {4, 1});
  EXPECT_EQ(L"end if ", window.text().Line(3)) << "SetSelection is no leaving by the user";
  SendKey(VK_RIGHT);
  EXPECT_EQ(L"End If ", window.text().Line(3)) << "the next move by the user is";

  workspace_->case_keywords = false;
  PlaceCaret(window, {1, 2});
  SendText(L" = not true");
  SendKey(VK_DOWN);
  EXPECT_EQ(L"x = not true", window.text().Line(1));
}

}  // namespace
}  // namespace sbx::test
