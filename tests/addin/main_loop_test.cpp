// The main loop in the sandbox host: the add-in connected, the timer ticking, the user moving the
// caret and switching windows.
#include <windows.h>

#include <algorithm>
#include <filesystem>

#include "sandbox/host/ansi_file.h"
#include "sandbox/ui/input.h"
#include "tests/editor/code_pixels.h"
#include "tests/addin/addin_fixture.h"
#include "tests/addin/focus_thief.h"
#include "win/clipboard_text.h"

namespace sbx::test {
namespace {

class MainLoopTest : public AddinTest {
 protected:
  void SetUp() override {
    AddinTest::SetUp();
    SetSetting(L"StyleIDE", L"True");
    SetSetting(L"MDITabs", L"False");
    SetSetting(L"CustomIndentWidth", L"True");
    SetSetting(L"TabWidth", L"4");
  }
  void TearDown() override {
    AddinTest::TearDown();
    project_ = nullptr;
  }

  CodeWindow& Open(const wchar_t* name, std::wstring_view text) {
    if (!host_) StartHost();
    if (!project_) project_ = &host_->AddProject(L"VBAProject");
    return host_->Open(host_->AddComponent(*project_, kStdModule, name, text));
  }
  void ConnectAndSettle() {
    ASSERT_TRUE(Connect());
    host_->Pump(100);
  }
  // The caret to a line, as the user moves it, and a few ticks to see it.
  void Caret(long line, long column = 1) {
    Invoke(Pane().Object(), L"SetSelection", DISPATCH_METHOD, {line, column, line, column});
    host_->Pump(60);
  }
  std::wstring Line(long line) const { return Get(CodeModule().Object(), L"Lines", {line, 1L}).Text(); }
  // Keys pressed or released as the user does; the key state follows once the input is handled.
  void Keys(std::initializer_list<WORD> keys, bool down) {
    for (const WORD key : keys) {
      INPUT input{};
      input.type = INPUT_KEYBOARD;
      input.ki.wVk = key;
      input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
      input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
      SendInput(1, &input, sizeof input);
    }
    host_->Pump(100);
  }
  void Ctrl(bool down) { Keys({VK_CONTROL}, down); }
  std::wstring ModuleText() const {
    return Get(CodeModule().Object(), L"Lines", {1L, Get(CodeModule().Object(), L"CountOfLines").Long()}).Text();
  }
  // The focus back in the code window, which the main window took at connection.
  void Focus(CodeWindow& window) {
    SetForegroundWindow(MainWindow());
    SetFocus(window.hwnd());
    host_->Pump(60);
  }
  Variant Control(std::initializer_list<std::wstring_view> path) const {
    ControlObject* control = host_->FindControl(path);
    return control ? Variant(control->AsDispatch()) : Variant();
  }

  ProjectObject* project_ = nullptr;
};

constexpr wchar_t kCode[] =
    L"Sub Main()\r\n"
    L"    w = 0\r\n"
    L"If x Then\r\n"
    L"y = 1\r\n"
    L"End If\r\n"
    L"10 z = 2\r\n"
    L"End Sub";

// Leaving a line re-indents from it down to the first line that is already right.
TEST_P(MainLoopTest, TheLineTheCaretLeavesIsReindented) {
  Open(L"Module1", kCode);
  ConnectAndSettle();
  Caret(3);
  EXPECT_EQ(L"If x Then", Line(3)) << "line 2 was right: nothing below it is touched";
  Caret(4);
  EXPECT_EQ(L"    If x Then", Line(3));
  EXPECT_EQ(L"        y = 1", Line(4));
  EXPECT_EQ(L"    End If", Line(5));
  EXPECT_EQ(L"", Failures());
}

TEST_P(MainLoopTest, MovingUpReindentsFromTheLeftLineAndFromTheNewOne) {
  Open(L"Module1", L"Sub A()\r\nx = 1\r\nEnd Sub\r\nSub B()\r\ny = 1\r\nz = 1\r\nEnd Sub");
  ConnectAndSettle();
  Caret(5);
  Caret(2);
  EXPECT_EQ(L"    y = 1", Line(5));
  EXPECT_EQ(L"    x = 1", Line(2));
}

TEST_P(MainLoopTest, WithCtrlHeldTheMoveIsNotReindentedNorSeenLater) {
  Open(L"Module1", kCode);
  ConnectAndSettle();
  Caret(3);
  Ctrl(true);
  Caret(4);
  Ctrl(false);
  EXPECT_EQ(L"If x Then", Line(3));
  // Released, the next move re-indents as usual.
  Caret(5);
  EXPECT_EQ(L"    y = 1", Line(4)) << "one level below the If, which the held Ctrl left alone";
}

// Leaving a declarations line reloads the included code; a move within a procedure does not.
TEST_P(MainLoopTest, TheIncludesAreReloadedWhenTheCaretLeavesADeclarationsLine) {
  Open(L"Module1", L"Option Explicit\r\nDim a As Long\r\n\r\nSub A()\r\nx = 1\r\ny = 2\r\nEnd Sub");
  ConnectAndSettle();
  Caret(5);
  Caret(6);
  // A reload that finds nothing new changes nothing the user can see: the calls tell.
  const auto reloads = [&] { return std::ranges::count(Log(L"ProcessIncludes"), L'\n'); };
  const auto before = reloads();
  Caret(2);
  EXPECT_EQ(before, reloads()) << "reaching a declarations line reloads nothing";
  Caret(5);
  EXPECT_EQ(before + 1, reloads()) << Log();
}

// A directive typed into the declarations brings its module in once the caret has left its line.
TEST_P(MainLoopTest, ATypedDirectiveAddsItsModuleWhenTheCaretLeavesIt) {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / (L"qv_loop_includes_" + std::to_wstring(GetCurrentProcessId()));
  std::filesystem::create_directories(folder);
  WriteAnsiFile((folder / L"Extra.bas").wstring(), L"' Extra tools\r\nPublic Const E = 1\r\n");
  SetSetting(L"ProjectsPath", folder.c_str());
  Open(L"Module1", L"Option Explicit\r\n\r\nDim a As Long\r\n\r\nSub A()\r\nEnd Sub");
  ConnectAndSettle();
  Caret(2);
  Invoke(CodeModule().Object(), L"ReplaceLine", DISPATCH_METHOD, {2L, L"'#Include \"Extra.bas\""});
  host_->Pump(100);
  EXPECT_EQ(nullptr, project_->components().Find(L"Extra")) << "the caret is still on the directive";
  Caret(4);
  ComponentObject* extra = project_->components().Find(L"Extra");
  ASSERT_NE(nullptr, extra);
  EXPECT_TRUE(extra->text().Text().starts_with(L"' Extra tools\r\n")) << "the file's leading comments";
  EXPECT_EQ(L"", Failures());
  std::filesystem::remove_all(folder);
}

TEST_P(MainLoopTest, ANewEmptyProcedureReceivesTheCustomCode) {
  CodeWindow& window = Open(L"Module1", L"Sub Test()\r\n\r\nEnd Sub\r\nSub Other()\r\n\r\nEnd Function");
  ConnectAndSettle();
  Caret(1);
  Caret(2);
  // The custom code's own lines are indented when the caret leaves them; the caret waits on its
  // empty body line, at the body's indentation.
  EXPECT_EQ(L"    On Error Goto ErrorHandler", Line(2));
  EXPECT_EQ(L"    ", Line(3));
  EXPECT_EQ(L"MsgBox Error, vbExclamation + vbOkOnly", Line(6));
  EXPECT_EQ(L"End Sub", Line(7));
  EXPECT_EQ((TextPos{3, 5}), window.GetSelection(0).start);
  EXPECT_EQ((TextPos{3, 5}), window.GetSelection(0).end);
  // Between a Sub and an End Function: no procedure of one kind, no code.
  const long other = 4 + Get(CodeModule().Object(), L"CountOfLines").Long() - 6;
  ASSERT_EQ(L"Sub Other()", Line(other));
  Caret(other);
  Caret(other + 1);
  EXPECT_EQ(std::wstring::npos, Line(other + 1).find(L"On Error"));
}

// Not only a caret arriving on the empty line: Ctrl released there, or the body emptied around it.
TEST_P(MainLoopTest, TheCustomCodeComesWhenCtrlIsReleasedOrTheBodyIsEmptiedInPlace) {
  Open(L"Module1", L"Sub Test()\r\n\r\nEnd Sub");
  ConnectAndSettle();
  Ctrl(true);
  Caret(2);
  EXPECT_EQ(L"", Line(2)) << "nothing while Ctrl is held";
  Ctrl(false);
  EXPECT_EQ(L"    On Error Goto ErrorHandler", Line(2));

  const Variant module = CodeModule();
  const long count = Get(module.Object(), L"CountOfLines").Long();
  Invoke(module.Object(), L"DeleteLines", DISPATCH_METHOD, {1L, count});
  Invoke(module.Object(), L"AddFromString", DISPATCH_METHOD, {std::wstring(L"Sub Two()\r\nx = 1\r\ny = 2\r\nEnd Sub")});
  Caret(2);
  Invoke(module.Object(), L"DeleteLines", DISPATCH_METHOD, {3L, 1L});
  Invoke(module.Object(), L"ReplaceLine", DISPATCH_METHOD, {2L, std::wstring()});
  host_->Pump(60);
  EXPECT_EQ(L"    On Error Goto ErrorHandler", Line(2)) << "the line count changed under the caret's line";
}

// A hot key fires while its modifiers are held (an Alt binding as a system key); the formatting
// waits for their release and is then the toolbar's: one undo step, which Ctrl+Z takes back. Held
// for longer than about 2 s, nothing is formatted.
TEST_P(MainLoopTest, AHotKeyFormatsOnceItsModifiersAreReleasedInOneUndoStep) {
  constexpr wchar_t kUnformatted[] = L"Sub A()\r\nx = 1\r\nIf a Then\r\ny = 2\r\nEnd If\r\nEnd Sub";
  const struct {
    const wchar_t* binding;
    std::initializer_list<WORD> modifiers;
    WORD key;
    DWORD held_ms;
    bool formatted;
  } cases[] = {
      {L"Ctrl + Alt + Tab", {VK_CONTROL, VK_MENU}, VK_TAB, 0, true},
      {L"Alt + F8", {VK_MENU}, VK_F8, 0, true},
      {L"Ctrl + Alt + Tab", {VK_CONTROL, VK_MENU}, VK_TAB, 2500, false},
  };
  for (const auto& c : cases) {
    SetSetting(L"HotKeys.Format", c.binding);
    SetSetting(L"AutoIndent.Automatic", L"False");  // no moving caret re-indents behind the hot key
    CodeWindow& window = Open(L"Module1", kUnformatted);
    ConnectAndSettle();
    Focus(window);
    window.SetSelection(0, {{2, 1}, {5, 1}});
    Keys(c.modifiers, true);
    SendKey(c.key);
    PumpTicks(5);
    EXPECT_EQ(kUnformatted, ModuleText()) << c.binding << ": formatted while the modifiers are held";
    host_->Pump(c.held_ms);
    Keys(c.modifiers, false);
    PumpTicks(5);
    if (c.formatted) {
      EXPECT_EQ(L"Sub A()\r\n    x = 1\r\n    If a Then\r\n        y = 2\r\n    End If\r\nEnd Sub", ModuleText())
          << c.binding;
      EXPECT_EQ(1u, window.text().UndoDepth()) << c.binding;
      SendKey('Z', kCtrl);
      PumpTicks(3);
    }
    EXPECT_EQ(kUnformatted, ModuleText()) << c.binding;
    EXPECT_EQ(L"", Failures()) << c.binding;
    TearDown();
    SetUp();
  }
}

// The window the tick takes is painted in its colours at once: its own paint came before the hook.
TEST_P(MainLoopTest, AWindowTheTickTakesIsPaintedInItsColours) {
  CodeWindow& first = Open(L"Module1", L"s = \"first\"");
  ConnectAndSettle();
  CodeWindow& second = Open(L"Module2", L"t = \"second\"");
  host_->Pump(100);
  const auto coloured = [](const CodeWindow& window) {
    const CodePixels pixels(window.hwnd());
    RECT client{};
    GetClientRect(window.hwnd(), &client);
    return pixels.Colours(client).contains(RGB(182, 21, 21));
  };
  EXPECT_TRUE(coloured(second));
  host_->workspace().Activate(first);
  host_->Pump(100);
  EXPECT_TRUE(coloured(first));
  EXPECT_EQ(L"", Failures());
}

// With the custom code on, an idle tick looks at the line count, not at the code.
TEST_P(MainLoopTest, AnIdleTickReadsNoCodeAndMakesAtMostSixHostCalls) {
  Open(L"Module1", kCode);
  ConnectAndSettle();
  Caret(4);
  host_->ResetCalls();
  const long ticks = PumpTicks(10);
  EXPECT_EQ(0, host_->Calls(L"CodeModule", L"Lines"));
  EXPECT_LE(host_->TotalCalls(), 6 * ticks);
}

TEST_P(MainLoopTest, TheNumberingButtonShowsWhetherTheCaretLineIsNumbered) {
  Open(L"Module1", kCode);
  ConnectAndSettle();
  const Variant button = Control({L"Quorvane", L"Нумерация строк"});
  ASSERT_TRUE(button.Object());
  Caret(6);
  EXPECT_TRUE(Get(button.Object(), L"State").Bool());
  Caret(4);
  EXPECT_FALSE(Get(button.Object(), L"State").Bool());
}

TEST_P(MainLoopTest, TheToolbarFollowsTheCodeWindow) {
  const HWND window = Open(L"Module1", kCode).hwnd();
  ConnectAndSettle();
  const Variant format = Control({L"Quorvane", L"Форматировать блок"});
  ASSERT_TRUE(format.Object());
  EXPECT_TRUE(Get(format.Object(), L"Enabled").Bool());
  SendMessageW(window, WM_CLOSE, 0, 0);
  host_->Pump(100);
  EXPECT_FALSE(Get(format.Object(), L"Enabled").Bool());
  // The subclass took itself off as the window closed: no tick unhooks a window that is gone.
  EXPECT_EQ(std::wstring::npos, Log().find(L"UnhookCodePane(" + Handle(window) + L")")) << Log();
}

// An idle tick only reads the two states; a change is written only to the controls whose settings
// are on.
TEST_P(MainLoopTest, TheToolbarIsWrittenOnlyOnAChangeAndOnlyWhereItsSettingsAllow) {
  SetSetting(L"Numeration", L"False");
  SetSetting(L"ErrorHandlers", L"False");
  const HWND window = Open(L"Module1", kCode).hwnd();
  ConnectAndSettle();
  host_->ResetCalls();
  const long ticks = PumpTicks(10);
  EXPECT_EQ(2 * ticks, host_->Calls(L"CommandBarButton", L"Enabled")) << "the comment command's and the format button's";
  SendMessageW(window, WM_CLOSE, 0, 0);
  host_->Pump(100);
  const auto enabled = [&](std::initializer_list<std::wstring_view> path) {
    return Get(Control(path).Object(), L"Enabled").Bool();
  };
  EXPECT_FALSE(enabled({L"Quorvane", L"Форматировать блок"}));
  EXPECT_FALSE(enabled({L"Quorvane", L"Объявление переменных"}));
  EXPECT_TRUE(enabled({L"Quorvane", L" "})) << "numbering is off: its popup is left alone";
  EXPECT_TRUE(enabled({L"Quorvane", L"Обработчики ошибок"})) << "error handlers are off";
}

TEST_P(MainLoopTest, TheSubclassFollowsAWindowSwitchInOneTick) {
  CodeWindow& first = Open(L"Module1", kCode);
  ConnectAndSettle();
  EXPECT_TRUE(Subclassed(first.hwnd()));
  CodeWindow& second = Open(L"Module2", kCode);
  for (int i = 0; i < 100 && !Subclassed(second.hwnd()); ++i) host_->Pump(5);
  EXPECT_TRUE(Subclassed(second.hwnd()));
  EXPECT_FALSE(Subclassed(first.hwnd())) << "let go of by the tick that took the new one";
  // The include tables start afresh for the new window: nothing the user sees unless its
  // declarations include something.
  EXPECT_EQ(L"ClearIncludes\nProcessIncludes\nClearIncludes\nProcessIncludes\n", Log(L"Includes"));
}

// The buttons' faces go through the clipboard at every connection; the user's text comes back
// after each, once the code window is hooked.
TEST_P(MainLoopTest, TheUsersClipboardTextComesBackAfterEveryConnection) {
  Open(L"Module1", kCode);
  ASSERT_TRUE(qv::SetClipboardText(std::wstring(L"скопировано")));
  ConnectAndSettle();
  Pin();
  EXPECT_EQ(L"скопировано", qv::ClipboardText());
  ASSERT_TRUE(host_->add_ins().DisconnectFromManager(library().prog_id));
  ASSERT_TRUE(host_->add_ins().ConnectFromManager(library().prog_id));
  host_->Pump(100);
  EXPECT_EQ(L"скопировано", qv::ClipboardText());
}

// Text the user copied before the first code window opened stays: the saved text goes back only
// to a clipboard without text, and only once.
TEST_P(MainLoopTest, TheSavedClipboardTextGoesBackOnlyToAClipboardWithoutText) {
  StartHost();
  ASSERT_TRUE(qv::SetClipboardText(std::wstring(L"старое")));
  ConnectAndSettle();
  ASSERT_TRUE(qv::SetClipboardText(std::wstring(L"новое")));
  Open(L"Module1", kCode);
  host_->Pump(100);
  EXPECT_EQ(L"новое", qv::ClipboardText());
  ASSERT_TRUE(qv::SetClipboardText(std::nullopt));
  Open(L"Module2", kCode);
  host_->Pump(100);
  EXPECT_EQ(std::nullopt, qv::ClipboardText()) << "given back once only";
}

// A dialog that takes the focus and gives it back leaves the code window hooked: a window of 0
// is none known, not a new one.
TEST_P(MainLoopTest, ADialogThatTakesTheFocusAndGivesItBackLeavesTheWindowHooked) {
  CodeWindow& window = Open(L"Module1", kCode);
  ConnectAndSettle();
  {
    const FocusThief dialog;
    host_->Pump(60);
    EXPECT_TRUE(Subclassed(window.hwnd()));
  }
  Focus(window);
  EXPECT_TRUE(Subclassed(window.hwnd()));
  EXPECT_EQ(L"ClearIncludes\nProcessIncludes\n", Log(L"Includes")) << "hooked once";
}

TEST_P(MainLoopTest, AHostTabWidthChangeAppliesAtTheNextTick) {
  SetSetting(L"CustomIndentWidth", L"False");
  Open(L"Module1", kCode);
  const wchar_t* const keys[] = {L"Software\\Microsoft\\VBA\\6.0\\Common",
                                 L"Software\\Microsoft\\VBA\\Microsoft Visual Basic"};
  for (const wchar_t* key : keys) qv::SetRegValue(HKEY_CURRENT_USER, key, L"TabWidth", L"4");
  ConnectAndSettle();
  // Changed while connected: only a read at each tick sees it.
  for (const wchar_t* key : keys) qv::SetRegValue(HKEY_CURRENT_USER, key, L"TabWidth", L"2");
  Caret(3);
  Caret(4);
  EXPECT_EQ(L"  If x Then", Line(3));
}

TEST_P(MainLoopTest, AFailingHostCallLeavesTheLoopRunning) {
  const CodeWindow& window = Open(L"Module1", kCode);
  ConnectAndSettle();
  const std::wstring before = Log(L"Includes");
  host_->InjectFault(L"CodePane", L"GetSelection");
  host_->Pump(100);
  EXPECT_TRUE(Subclassed(window.hwnd())) << "a failing read is no reason to let go of the code window";
  host_->ClearFaults();
  EXPECT_EQ(before, Log(L"Includes")) << "nor to take it anew";
  Caret(3);
  Caret(4);
  EXPECT_EQ(L"    If x Then", Line(3));
}

INSTANTIATE_TEST_SUITE_P(Libraries, MainLoopTest, ::testing::ValuesIn(OneLibrary()), LibraryName);

}  // namespace
}  // namespace sbx::test
