// The code window's subclass over the sandbox host: keys typed into the real window reach the
// typing tools and hot keys in their order, Enter's plan is written in place of the editor's line
// break, and the hook comes off cleanly whatever else subclasses the window.
#include <windows.h>

#include <array>
#include <optional>
#include <string>

#include "addin/addin_state.h"
#include "addin/session.h"
#include "addin/command_bar_refs.h"
#include "addin/connection.h"
#include "library/connection_parts.h"
#include "library/parts.h"
#include "sandbox/ui/input.h"
#include "tests/addin/code_pane_fixture.h"
#include "tests/addin/focus_thief.h"
#include "win/failure_log.h"
#include "win/subclass.h"

namespace sbx::test {
namespace {

std::wstring& FailureText() {
  static std::wstring text;
  return text;
}

// The thread's key state as the message being handled sees it.
class HeldKeys {
 public:
  explicit HeldKeys(std::initializer_list<int> keys) {
    GetKeyboardState(saved_.data());
    std::array<BYTE, 256> state = saved_;
    for (const int key : {VK_SHIFT, VK_CONTROL, VK_MENU}) state[static_cast<std::size_t>(key)] = 0;
    for (const int key : keys) state[static_cast<std::size_t>(key)] = 0x80;
    SetKeyboardState(state.data());
  }
  HeldKeys(const HeldKeys&) = delete;
  HeldKeys& operator=(const HeldKeys&) = delete;
  ~HeldKeys() { SetKeyboardState(saved_.data()); }

 private:
  std::array<BYTE, 256> saved_{};
};

// Another module's subclass over ours: what it sees tells whether the chain below it is whole.
class CountingHook : public qv::Subclass {
 public:
  int messages = 0;
  int closes = 0;
  HWND hooked_at_close = nullptr;  // the add-in's hooked window as the close reached this hook

 protected:
  std::optional<LRESULT> OnMessage(HWND, UINT& message, WPARAM&, LPARAM&) override {
    ++messages;
    if (message == WM_CLOSE) {
      ++closes;
      hooked_at_close = qv::CurrentSession().loop.hWndHooked;
    }
    return std::nullopt;
  }
};

class CodePaneHookTest : public CodePaneTest {
 protected:
  // The code window is hooked as a connection hooks it.
  void SetUp() override {
    CodePaneTest::SetUp();
    qv::OpenConnectionParts();
  }
  void TearDown() override {
    qv::CloseConnectionParts();
    qv::SetFailureSink(nullptr);
    CodePaneTest::TearDown();
  }

  // Module1 holding `text`, the caret at (line, column), the code window hooked and focused.
  CodeWindow& Start(std::wstring_view text, long line, long column, HostOptions options = {}) {
    CodeWindow& window = StartAddin(text, std::move(options));
    qv::Settings& s = qv::State().settings;
    s.AutoInsert = s.AutoInsert_Then = s.AutoInsert_EndConstructions = s.AutoInsert_Comment = true;
    s.AutoIndent = s.AutoReplace = s.IncrementAndDecrement = s.AutoText = s.HotKeys = true;
    s.NumerationStep = 10;
    FailureText().clear();
    qv::SetFailureSink([](std::wstring_view failure) noexcept { FailureText() += std::wstring(failure) + L"\n"; });
    window_ = window.hwnd();
    qv::LibraryParts().HookCodePane(window_);
    qv::CurrentSession().loop.hWndHooked = window_;
    Select(line, column);
    return window;
  }

  // The module replaced through the object model, the caret at (line, column).
  void Reset(std::wstring_view text, long line, long column) const {
    const Variant module = CodeModule();
    const long count = Get(module.Object(), L"CountOfLines").Long();
    if (count) Invoke(module.Object(), L"DeleteLines", DISPATCH_METHOD, {1L, count});
    Invoke(module.Object(), L"InsertLines", DISPATCH_METHOD, {1L, std::wstring(text)});
    Select(line, column);
  }

  // The sandbox's own bars as the connection holds the host's controls.
  void TakeHostControls() {
    qv::CommandBarRefs& bars = qv::Bars();
    const auto control = [&](const wchar_t* bar, long index) {
      return qv::CommandBarControl(ControlOf(bar, index));
    };
    bars.RedoControl = qv::CommandBarControl(Get(Get(ControlOf(L"Menu Bar", 2).Object(), L"Controls").Object(), L"Item", {2L}));
    bars.CommentControl = control(L"Edit", 9);
    bars.UncommentControl = control(L"Edit", 10);
    bars.BookmarkControl = control(L"Edit", 11);
    bars.NextBookmarkControl = control(L"Edit", 12);
    bars.PrevBookmarkControl = control(L"Edit", 13);
    bars.OptionsButton = control(L"Edit", 1);
  }
  long Executes(const wchar_t* bar, long index) const {
    return host_->FindControl({bar, ControlCaption(bar, index)})->executes();
  }
  std::wstring ControlCaption(const wchar_t* bar, long index) const {
    return Get(ControlOf(bar, index).Object(), L"Caption").Text();
  }

  HWND window_ = nullptr;
};

struct EnterCase {
  const wchar_t* before;
  int line, column;
  const wchar_t* after;
  int caret_line, caret_column;
};

TEST_F(CodePaneHookTest, EnterWritesThePlanOrLeavesTheLineBreakToTheEditor) {
  const EnterCase cases[] = {
      // Completed: the closer below the new, indented line; the caret on it.
      {L"Sub Foo()", 1, 10, L"Sub Foo()\r\n    \r\nEnd Sub", 2, 5},
      {L"  Function Foo()", 1, 17, L"  Function Foo()\r\n      \r\n  End Function", 2, 7},
      // A rewrite runs first: " Then" goes in before the block is completed.
      {L"Sub A()\r\n    If x\r\nEnd Sub", 2, 9, L"Sub A()\r\n    If x Then\r\n        \r\n    End If\r\nEnd Sub", 3, 9},
      // What stood right of the caret follows the new line's indentation.
      {L"Sub A()\r\n    If x Then y = 1\r\nEnd Sub", 2, 14,
       L"Sub A()\r\n    If x Then\r\n        y = 1\r\n    End If\r\nEnd Sub", 3, 9},
      // Closed already: only the split, at the block's indentation.
      {L"Sub A()\r\n    If x Then\r\n    End If\r\nEnd Sub", 2, 14,
       L"Sub A()\r\n    If x Then\r\n        \r\n    End If\r\nEnd Sub", 3, 9},
      // A comment goes on, its final "." travelling down.
      {L"' one two", 1, 6, L"' one\r\n' two", 2, 3},
      // A continued line and a plain statement: the editor's own split.
      {L"x = 1 + _", 1, 10, L"x = 1 + _\r\n", 2, 1},
      {L"    x = 1", 1, 10, L"    x = 1\r\n    ", 2, 5},
  };
  CodeWindow& window = Start(L"", 1, 1);
  for (const EnterCase& c : cases) {
    Reset(c.before, c.line, c.column);
    SendKey(VK_RETURN);
    EXPECT_EQ(c.after, window.text().Text()) << c.before;
    EXPECT_EQ((TextPos{c.caret_line, c.caret_column}), window.GetSelection(0).start) << c.before;
  }
  // A new procedure's custom code stands at the body's indentation, the caret before it, or on its
  // first empty line (the body's) at that indentation.
  qv::State().settings.AutoInsert_CustomCode = true;
  const struct {
    const wchar_t* custom_code;
    bool indent;
    const wchar_t* after;
    TextPos caret;
  } custom[] = {
      {L"' (MemberName)(CrLf)Exit (MemberType)", true,
       L"  Function Foo()\r\n      ' Foo\r\n      Exit Function\r\n  End Function", {2, 7}},
      {L"' (MemberName)(CrLf)Exit (MemberType)", false, L"  Function Foo()\r\n  ' Foo\r\n  Exit Function\r\n  End Function",
       {2, 3}},
      {L"On Error Goto ErrorHandler\r\n\r\nExit (MemberType)", true,
       L"  Function Foo()\r\n      On Error Goto ErrorHandler\r\n      \r\nExit Function\r\n  End Function", {3, 7}},
      {L"On Error Goto E(CrLf)(CrLf)Exit (MemberType)", false,
       L"  Function Foo()\r\n  On Error Goto E\r\n  \r\n  Exit Function\r\n  End Function", {3, 3}},
  };
  for (const auto& c : custom) {
    qv::State().settings.CustomCode = c.custom_code;
    qv::State().settings.AutoIndent = c.indent;
    Reset(L"  Function Foo()", 1, 17);
    SendKey(VK_RETURN);
    EXPECT_EQ(c.after, window.text().Text()) << c.custom_code;
    EXPECT_EQ(c.caret, window.GetSelection(0).start) << c.custom_code;
  }
  EXPECT_EQ(L"", FailureText());
}

// The automatic declarations run as the keys that end a word go down: Space, comma and the opening
// parenthesis (Shift+9); 9 alone is a digit of the word.
TEST_F(CodePaneHookTest, TheKeysThatEndAWordRunTheAutomaticDeclarations) {
  Start(L"", 1, 1);
  qv::State().settings.Include = qv::State().settings.AutoInclude = true;
  const struct {
    WORD key;
    unsigned modifiers;
    bool declared;
  } cases[] = {{VK_SPACE, kNoModifiers, true},
               {VK_OEM_COMMA, kNoModifiers, true},
               {'9', kShift, true},
               {'9', kNoModifiers, false},
               {'A', kNoModifiers, false}};
  for (const auto& c : cases) {
    Reset(L"x = GetTickCount", 1, 17);
    // A run starts by forgetting what the run before it declared.
    qv::CurrentParts().includes.DeclaredNames.Clear();
    qv::CurrentParts().includes.DeclaredNames.Add(L"earlier run", L"Earlier");
    SendKey(c.key, c.modifiers);
    EXPECT_EQ(c.declared, qv::CurrentParts().includes.DeclaredNames.Count() == 0) << c.key << " " << c.modifiers;
  }
  EXPECT_EQ(L"", FailureText());
}

// The movement keys rewrite the line they leave, unless the IntelliSense list has them or a paste
// is waiting for its keys; Space expands an abbreviation on its release, hot keys or not.
TEST_F(CodePaneHookTest, TheTypingToolsRunPerKeyAndSettings) {
  struct Case {
    WORD key;
    bool name_list;
    bool busy;
    const wchar_t* after;
  };
  const Case cases[] = {
      {VK_DOWN, false, false, L"x = x + 1"},
      {VK_UP, false, false, L"x = x + 1"},
      {VK_NEXT, false, false, L"x = x + 1"},
      {VK_PRIOR, false, false, L"x = x + 1"},
      {VK_DOWN, true, false, L"x++"},
      {VK_UP, true, false, L"x++"},
      {VK_NEXT, true, false, L"x++"},
      {VK_PRIOR, true, false, L"x++"},
      {VK_DOWN, false, true, L"x++"},
      {VK_LEFT, false, false, L"x++"},
  };
  CodeWindow& window = Start(L"", 1, 1);
  for (const Case& c : cases) {
    Reset(L"x++", 1, 4);
    host_->workspace().Popups().ShowNameList(c.name_list);
    qv::CurrentSession().loop.Busy = c.busy;
    SendKey(c.key);
    qv::CurrentSession().loop.Busy = false;
    EXPECT_EQ(c.after, window.text().Text()) << c.key << " " << c.name_list << " " << c.busy;
  }
  host_->workspace().Popups().ShowNameList(false);
  qv::Tables().AutoInserts.Add(L"MsgBox ", L"mb");
  for (const bool hot_keys : {true, false}) {
    qv::State().settings.HotKeys = hot_keys;
    Reset(L"", 1, 1);
    SendText(L"mb ");
    EXPECT_EQ(L"MsgBox ", window.text().Text());
  }
  qv::Tables().AutoInserts.Clear();
  EXPECT_EQ(L"", FailureText());
}

TEST_F(CodePaneHookTest, EveryMatchingHotKeyFiresAndOnlyEnabledHostCommandsRun) {
  CodeWindow& window = Start(L"Sub A()\r\nx = 1\r\nEnd Sub", 2, 1);
  TakeHostControls();
  qv::Settings& s = qv::State().settings;
  for (std::wstring* text : {&s.HotKeys_Format, &s.HotKeys_Save, &s.HotKeys_Redo, &s.HotKeys_Comment,
                             &s.HotKeys_Uncomment, &s.HotKeys_Bookmark, &s.HotKeys_NextBookmark,
                             &s.HotKeys_PrevBookmark, &s.HotKeys_ProcAndFunc}) {
    *text = L"Ctrl + Q";
  }
  window.ToggleBookmark(1);
  host_->FindControl({L"Edit", ControlCaption(L"Edit", 10)})->ForceEnabled(false);
  const auto release = [&](WPARAM key, std::initializer_list<int> held) {
    const HeldKeys keys(held);
    SendMessageW(window.hwnd(), WM_KEYUP, key, 0);
  };
  release('Q', {});             // Ctrl released first: the bare Q matches nothing
  release('Q', {VK_SHIFT});     // nor does another modifier
  EXPECT_FALSE(qv::CurrentSession().loop.FormatKeysAt);
  release('Q', {VK_CONTROL});
  for (const long index : {9L, 11L, 12L, 13L}) EXPECT_EQ(1, Executes(L"Edit", index)) << index;
  EXPECT_EQ(0, Executes(L"Edit", 10));  // disabled
  // Commented; the formatting waits for a tick that sees Ctrl released.
  EXPECT_EQ(L"Sub A()\r\n'x = 1\r\nEnd Sub", window.text().Text());
  EXPECT_TRUE(qv::CurrentSession().loop.FormatKeysAt);
  EXPECT_EQ(0, host_->Calls(L"VBComponent", L"SaveAs"));  // the Options button is enabled
  // With Alt held and no Ctrl the release comes as a system key.
  s.HotKeys_Bookmark = L"Alt + Q";
  {
    const HeldKeys keys({VK_MENU});
    SendMessageW(window.hwnd(), WM_SYSKEYUP, 'Q', 0);
  }
  EXPECT_EQ(2, Executes(L"Edit", 11));
  s.HotKeys = false;
  release('Q', {VK_CONTROL});
  EXPECT_EQ(1, Executes(L"Edit", 9));
  EXPECT_EQ(L"", FailureText());
}

// A multi-line selection goes first, by a Delete key that only the focused code window gets and no
// held modifier can turn into a cut; otherwise Enter is the editor's alone.
TEST_F(CodePaneHookTest, ASelectionIsDeletedOnlyWhereTheDeleteKeyCannotGoAstray) {
  CodeWindow& window = Start(L"", 1, 1);
  const auto enter_over_selection = [&](bool focused, std::initializer_list<int> held) {
    Reset(L"Sub A()\r\n    If x Then\r\n    y = 1\r\n    z = 2\r\nEnd Sub", 2, 14);
    window.SetSelection(0, {{2, 14}, {3, 5}});
    std::optional<FocusThief> thief;
    if (!focused) thief.emplace();
    const HeldKeys keys(held);
    SendMessageW(window.hwnd(), WM_KEYDOWN, VK_RETURN, 0);
    thief.reset();
    SetFocus(window.hwnd());
    return window.text().Text();
  };
  EXPECT_EQ(L"Sub A()\r\n    If x Then\r\n        y = 1\r\n    End If\r\n    z = 2\r\nEnd Sub",
            enter_over_selection(true, {}));
  const std::wstring split = L"Sub A()\r\n    If x Then\r\n    y = 1\r\n    z = 2\r\nEnd Sub";
  EXPECT_EQ(split, enter_over_selection(false, {}));
  EXPECT_EQ(split, enter_over_selection(true, {VK_SHIFT}));
  EXPECT_EQ(split, enter_over_selection(true, {VK_CONTROL}));
  EXPECT_EQ(L"", FailureText());
}

// The Save binding waits for the Options button to be disabled, then saves the selected component
// under its own file.
TEST_F(CodePaneHookTest, TheSaveBindingStaysDormantWhileTheOptionsButtonIsEnabled) {
  CodeWindow& window = Start(L"x = 1", 1, 1, {.personality = Personality::kVb6});
  TakeHostControls();
  wchar_t folder[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  const std::wstring file = std::wstring(folder) + L"qv_hot_key_save.bas";
  qv::State().settings.HotKeys_Save = L"Ctrl + S";
  const Variant component = Get(vbe(), L"SelectedVBComponent");
  Invoke(component.Object(), L"SaveAs", DISPATCH_METHOD, {file});
  host_->ResetCalls();
  for (const bool enabled : {true, false}) {
    host_->FindControl({L"Edit", ControlCaption(L"Edit", 1)})->ForceEnabled(enabled);
    const HeldKeys keys({VK_CONTROL});
    SendMessageW(window.hwnd(), WM_KEYUP, 'S', 0);
  }
  EXPECT_EQ(1, host_->Calls(L"VBComponent", L"SaveAs"));
  DeleteFileW(file.c_str());
  EXPECT_EQ(L"", FailureText());
}

// Closing the window, its destruction and the add-in's stop each take the hook off and leave the
// rest of the chain working; a second hook is refused.
TEST_F(CodePaneHookTest, TheHookComesOffWithTheChainIntact) {
  for (const UINT ending : {UINT{WM_CLOSE}, UINT{WM_NCDESTROY}, UINT{0}}) {
    CodeWindow& window = Start(L"x = 1", 1, 6);
    const HWND hwnd = window.hwnd();
    EXPECT_FALSE(qv::LibraryParts().HookCodePane(hwnd));
    CountingHook above, below;
    qv::LibraryParts().UnhookCodePane(hwnd);
    ASSERT_TRUE(below.Hook(hwnd));
    qv::LibraryParts().HookCodePane(hwnd);
    ASSERT_TRUE(above.Hook(hwnd));
    if (ending == WM_CLOSE) {
      SendMessageW(hwnd, WM_CLOSE, 0, 0);
      EXPECT_FALSE(IsWindow(hwnd));
      EXPECT_EQ(1, above.closes);
      EXPECT_EQ(1, below.closes);
      EXPECT_EQ(nullptr, below.hooked_at_close);  // off before the editor closes the window
    } else if (ending == WM_NCDESTROY) {
      DestroyWindow(hwnd);
    } else {
      qv::LibraryParts().UnhookCodePane(hwnd);
      SendKey(VK_RETURN);  // the editor's own Enter, with nothing of ours
      EXPECT_EQ(L"x = 1\r\n", window.text().Text());
      EXPECT_GT(above.messages, 0);
      EXPECT_TRUE(qv::LibraryParts().HookCodePane(hwnd));  // free for the next window
      qv::LibraryParts().UnhookCodePane(hwnd);
    }
    EXPECT_FALSE(above.Hooked() && !IsWindow(hwnd));
    EXPECT_EQ(ending == 0 ? hwnd : nullptr, qv::CurrentSession().loop.hWndHooked) << ending;
    above.Unhook();
    below.Unhook();
    TearDown();
    SetUp();
  }
}

// Enter under a line numbered in column 1 numbers the new line and renumbers the lines below.
TEST_F(CodePaneHookTest, EnterUnderANumberedLineNumbersTheNewLine) {
  CodeWindow& window = Start(L"Sub A()\r\n10 x = 1\r\n20 y = 2\r\nEnd Sub", 2, 9);
  qv::State().settings.AutoNumeration = true;
  SendKey(VK_RETURN);
  EXPECT_EQ(L"Sub A()\r\n10 x = 1\r\n20 \r\n30 y = 2\r\nEnd Sub", window.text().Text());
  Reset(L"Sub A()\r\n    10 x = 1\r\nEnd Sub", 2, 13);  // not in column 1: no number
  SendKey(VK_RETURN);
  EXPECT_EQ(L"Sub A()\r\n    10 x = 1\r\n    \r\nEnd Sub", window.text().Text());
  EXPECT_EQ(L"", FailureText());
}

}  // namespace
}  // namespace sbx::test
