// Writing lines of the active code pane: one line through the module, several through one paste.
#include <windows.h>

#include <string>

#include "win/clipboard_text.h"
#include "addin/code_pane.h"
#include "tests/addin/code_pane_fixture.h"

namespace sbx::test {
namespace {

constexpr wchar_t kUserText[] = L"скопировано пользователем";
constexpr wchar_t kBlock[] = L"Sub A()\r\nx = 1\r\ny = 2\r\nz = 3\r\nEnd Sub";
constexpr wchar_t kIndented[] = L"    x = 1\r\n    y = 2\r\n    z = 3";

// What the host's code window pastes: CF_TEXT, in the ANSI code page.
std::wstring AnsiClipboardText() {
  std::wstring text;
  if (!OpenClipboard(nullptr)) return text;
  if (const HANDLE data = GetClipboardData(CF_TEXT)) {
    const char* bytes = static_cast<const char*>(GlobalLock(data));
    text.resize(static_cast<size_t>(MultiByteToWideChar(CP_ACP, 0, bytes, -1, nullptr, 0)));
    MultiByteToWideChar(CP_ACP, 0, bytes, -1, text.data(), static_cast<int>(text.size()));
    text.pop_back();
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

void CtrlKey(bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = VK_CONTROL;
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  SendInput(1, &input, sizeof input);
}

class PasteCodeTest : public CodePaneTest {
 protected:
  void SetUp() override {
    CodePaneTest::SetUp();
    ASSERT_TRUE(qv::SetClipboardText(std::wstring(kUserText)));
  }

  // kBlock in the code window, the caret at line 3, column 5, calls counted from here.
  CodeWindow& StartBlock() {
    CodeWindow& window = StartAddin(kBlock);
    Select(3, 5);
    host_->ResetCalls();
    return window;
  }
  long Calls(const wchar_t* member) const { return host_->Calls(L"CodeModule", member); }
  void ExpectBlockReplacedThroughTheModule(const CodeWindow& window) const {
    EXPECT_EQ(L"Sub A()\r\n" + std::wstring(kIndented) + L"\r\nEnd Sub", ModuleText());
    EXPECT_EQ(1, Calls(L"InsertLines"));
    EXPECT_EQ(1, Calls(L"DeleteLines"));
    EXPECT_EQ(0u, window.text().UndoDepth());
    EXPECT_EQ(9, Selection().start_column);
  }
};

TEST_F(PasteCodeTest, OneLineIsReplacedThroughTheModuleWithoutTheClipboard) {
  StartBlock();
  const DWORD clipboard = GetClipboardSequenceNumber();
  qv::PasteCode(3, 3, L"    y = 2", 4, false);
  EXPECT_EQ(L"Sub A()\r\nx = 1\r\n    y = 2\r\nz = 3\r\nEnd Sub", ModuleText());
  EXPECT_EQ(1, Calls(L"ReplaceLine"));
  EXPECT_EQ(9, Selection().start_column);
  // A shift past column 1 stops there.
  qv::PasteCode(3, 3, L"y = 2", -8, false);
  EXPECT_EQ(1, Selection().start_column);
  EXPECT_EQ(clipboard, GetClipboardSequenceNumber());
}

TEST_F(PasteCodeTest, SeveralLinesArePastedAsOneUndoStepAndTheRestComesBack) {
  std::wstring filler;
  for (int i = 0; i < 80; ++i) filler += L"\r\n' filler";
  const std::wstring text = kBlock + filler;
  CodeWindow& window = StartAddin(text);
  Select(3, 5);
  Put(Pane().Object(), L"TopLine", 40L);
  host_->ResetCalls();

  qv::PasteCode(2, 4, kIndented, 4, false);
  EXPECT_EQ(L"Sub A()\r\n" + std::wstring(kIndented) + L"\r\nEnd Sub" + filler, ModuleText());
  EXPECT_EQ(1u, window.text().UndoDepth());
  EXPECT_EQ(0, Calls(L"ReplaceLine") + Calls(L"InsertLines") + Calls(L"DeleteLines"));
  const qv::Selection caret = Selection();
  EXPECT_EQ(3, caret.start_line);
  EXPECT_EQ(9, caret.start_column);
  EXPECT_EQ(9, caret.end_column);
  EXPECT_EQ(40, Get(Pane().Object(), L"TopLine").Long());
  EXPECT_EQ(kUserText, AnsiClipboardText());
  EXPECT_EQ(kUserText, qv::ClipboardText());

  window.Undo();
  EXPECT_EQ(text, ModuleText());
}

TEST_F(PasteCodeTest, ALongerOldLastLineIsReplacedToItsEnd) {
  StartAddin(L"If a Then\r\nx = 1\r\n                                        End If");
  qv::PasteCode(1, 3, L"If a Then\r\n    x = 1\r\nEnd If", 0, false);
  EXPECT_EQ(L"If a Then\r\n    x = 1\r\nEnd If", ModuleText());
}

TEST_F(PasteCodeTest, CtrlHeldReplacesThroughTheModule) {
  CodeWindow& window = StartBlock();
  const DWORD clipboard = GetClipboardSequenceNumber();
  // Wine takes the key state from the X server again when it handles the focus events still queued.
  host_->Pump(100);
  CtrlKey(false);
  qv::PasteCode(2, 4, kIndented, 4, false);
  CtrlKey(true);
  host_->Pump(20);
  ExpectBlockReplacedThroughTheModule(window);
  EXPECT_EQ(clipboard, GetClipboardSequenceNumber());
}

TEST_F(PasteCodeTest, TheFocusInAnotherWindowGetsNoStrayPaste) {
  CodeWindow& window = StartBlock();
  const FocusThief thief;
  qv::PasteCode(2, 4, kIndented, 4, false);
  host_->Pump(20);
  EXPECT_EQ(L"", thief.Text());
  ExpectBlockReplacedThroughTheModule(window);
}

LRESULT CALLBACK DesignerProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_KEYDOWN && wparam == VK_INSERT) SetPropW(window, L"Pasted", reinterpret_cast<HANDLE>(1));
  return DefMDIChildProcW(window, message, wparam, lparam);
}

TEST_F(PasteCodeTest, AnotherDocumentWindowInFrontGetsNoStrayPaste) {
  CodeWindow& window = StartBlock();
  WNDCLASSW designer_class{};
  designer_class.lpfnWndProc = DesignerProc;
  designer_class.lpszClassName = L"QvTestDesigner";
  RegisterClassW(&designer_class);
  const HWND designer = CreateMDIWindowW(L"QvTestDesigner", L"VBAProject - UserForm1 (UserForm)", WS_VISIBLE, 0, 0, 200,
                                         200, host_->workspace().MdiClient(), nullptr, 0);
  ASSERT_NE(nullptr, designer);
  SetFocus(designer);
  qv::PasteCode(2, 4, kIndented, 4, false);
  host_->Pump(20);
  EXPECT_EQ(nullptr, GetPropW(designer, L"Pasted"));
  ExpectBlockReplacedThroughTheModule(window);
  RemovePropW(designer, L"Pasted");
}

LRESULT CALLBACK RecordBusy(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_APP) SetPropW(window, L"Busy", reinterpret_cast<HANDLE>(qv::CurrentSession().loop.Busy ? 2 : 1));
  return DefWindowProcW(window, message, wparam, lparam);
}

TEST_F(PasteCodeTest, TicksDuringThePasteFindBusySetAndBusyComesBackAsItWas) {
  StartBlock();
  const HWND probe = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  SetWindowLongPtrW(probe, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordBusy));
  PostMessageW(probe, WM_APP, 0, 0);
  qv::PasteCode(2, 4, kIndented, 4, false);
  EXPECT_EQ(reinterpret_cast<HANDLE>(2), GetPropW(probe, L"Busy"));
  EXPECT_FALSE(qv::CurrentSession().loop.Busy);
  qv::CurrentSession().loop.Busy = true;
  qv::PasteCode(2, 4, L"x = 1\r\ny = 2\r\nz = 3", 0, false);
  EXPECT_TRUE(qv::CurrentSession().loop.Busy);
  RemovePropW(probe, L"Busy");
  DestroyWindow(probe);
}

TEST_F(PasteCodeTest, AFailureMidwayEndsQuietlyWithTheUsersTextBack) {
  CodeWindow& window = StartBlock();
  host_->InjectFault(L"CodePane", L"SetSelection");
  qv::PasteCode(2, 4, kIndented, 4, false);
  EXPECT_EQ(kBlock, ModuleText());
  EXPECT_EQ(kUserText, AnsiClipboardText());
  EXPECT_FALSE(qv::CurrentSession().loop.Busy);
  // Drawing is unlocked: another lock can be taken.
  EXPECT_TRUE(LockWindowUpdate(host_->workspace().MainWindow()));
  LockWindowUpdate(nullptr);

  // After the paste: the caret's line 5 has gone, so putting the caret back fails.
  host_->ClearFaults();
  Select(5, 1);
  qv::PasteCode(2, 5, L"End Sub", 0, false);
  EXPECT_EQ(L"Sub A()\r\nEnd Sub", ModuleText());
  EXPECT_EQ(1u, window.text().UndoDepth());
  EXPECT_EQ(kUserText, AnsiClipboardText());
}

TEST_F(PasteCodeTest, FormatAfterReindentsThePastedLines) {
  StartAddin(L"Sub A()\r\nx = 1\r\nIf a Then\r\ny = 2\r\nEnd If\r\nEnd Sub");
  qv::PasteCode(2, 5, L"x = 1\r\nIf a Then\r\ny = 2\r\nEnd If", 0, true);
  EXPECT_EQ(L"Sub A()\r\n    x = 1\r\n    If a Then\r\n        y = 2\r\n    End If\r\nEnd Sub", ModuleText());
  EXPECT_EQ(kUserText, AnsiClipboardText());
}

}  // namespace
}  // namespace sbx::test
