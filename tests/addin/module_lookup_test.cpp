// Components of the active project found or added, and the names templates take from the host.
#include <windows.h>

#include "codetools/templates.h"
#include "addin/code_pane.h"
#include "sandbox/testing/message_box_watcher.h"
#include "tests/addin/code_pane_fixture.h"

namespace sbx::test {
namespace {

constexpr wchar_t kProcedures[] =
    L"Option Explicit\r\n"
    L"Private x As Long\r\n"
    L"\r\n"
    L"Private Sub Form_Load()\r\n"
    L"    x = 1\r\n"
    L"End Sub\r\n"
    L"Function Twice(ByVal n As Long) As Long\r\n"
    L"End Function\r\n"
    L"Property Get Value() As Long\r\n"
    L"End Property";

class ModuleLookupTest : public CodePaneTest {
 protected:
  MessageBoxWatcher boxes_;
};

TEST_F(ModuleLookupTest, GetProcNameNamesTheProcedureAndItsKind) {
  StartAddin(kProcedures);
  long kind = -1;
  std::wstring member_type = L"unchanged";
  EXPECT_EQ(L"", qv::GetProcName(2, kind, member_type));
  EXPECT_EQ(L"unchanged", member_type);
  EXPECT_EQ(L"Form_Load", qv::GetProcName(5, kind, member_type));
  EXPECT_EQ(0, kind);
  EXPECT_EQ(L"Sub", member_type);
  EXPECT_EQ(L"Twice", qv::GetProcName(8, kind, member_type));
  EXPECT_EQ(L"Function", member_type);
  EXPECT_EQ(L"Value", qv::GetProcName(10, kind, member_type));
  EXPECT_EQ(3, kind);
  EXPECT_EQ(L"Property", member_type);
}

TEST_F(ModuleLookupTest, TemplatesTakeTheirNamesFromTheActivePane) {
  CodeWindow& window = StartAddin(kProcedures);
  const wchar_t kTemplate[] = L"(MemberType) (MemberName) in (ProjectName).(ComponentName)";
  qv::ActivePaneTemplateHost host;
  EXPECT_EQ(L"Sub Form_Load in VBAProject.Module1", qv::ExpandTemplate(kTemplate, 5, 0, 4, host));
  // Without a code pane the member's names stay as written.
  SendMessageW(window.hwnd(), WM_CLOSE, 0, 0);
  qv::ActivePaneTemplateHost no_pane;
  EXPECT_EQ(L"(MemberName)", qv::ExpandTemplate(L"(MemberName)", 5, 0, 4, no_pane));
}

TEST_F(ModuleLookupTest, AnExistingModuleIsFoundAndKeepsItsCode) {
  StartAddin(kProcedures);
  host_->ResetCalls();
  const qv::CodeModule module = qv::GetOrAddModule(L"module1", L"' not added");
  EXPECT_TRUE(SameObject(module.get(), CodeModule().Object()));
  EXPECT_EQ(kProcedures, ModuleText());
  EXPECT_EQ(0, host_->Calls(L"VBComponents", L"Add"));
  EXPECT_EQ(nullptr, qv::GetComponent(L"Missing").get());
}

TEST_F(ModuleLookupTest, ANewModuleGetsItsCodeAndOnlyItsOwnWindowIsClosed) {
  CodeWindow& users = StartAddin(L"x = 1");
  const qv::CodeModule module = qv::GetOrAddModule(L"Declarations", L"Public y As Long");
  ASSERT_NE(nullptr, module.get());
  EXPECT_EQ(L"Public y As Long", module.Lines(1, 1));
  const HWND added = host_->workspace().CodeWindows().back()->hwnd();
  host_->Pump(50);
  EXPECT_EQ(L"Declarations", qv::GetComponent(L"Declarations").Name());
  EXPECT_EQ(1, host_->workspace().CloseMessagesReceived(added));
  EXPECT_EQ(0, host_->workspace().CloseMessagesReceived(users.hwnd()));
}

// A host that gives the user's window the focus back when it opens another.
HWND g_users_window = nullptr;
LRESULT CALLBACK KeepUsersWindowInFront(int code, WPARAM wparam, LPARAM lparam) {
  const auto* message = reinterpret_cast<const CWPRETSTRUCT*>(lparam);
  if (code == HC_ACTION && message->message == WM_SETFOCUS && message->hwnd != g_users_window &&
      GetParent(message->hwnd) == GetParent(g_users_window)) {
    SendMessageW(GetParent(g_users_window), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(g_users_window), 0);
    SetFocus(g_users_window);
  }
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

TEST_F(ModuleLookupTest, TheUsersWindowInFrontIsNotClosed) {
  g_users_window = StartAddin(L"x = 1").hwnd();
  const HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROCRET, KeepUsersWindowInFront, nullptr, GetCurrentThreadId());
  const qv::CodeModule module = qv::GetOrAddModule(L"Declarations", L"Public y As Long");
  UnhookWindowsHookEx(hook);
  host_->Pump(50);
  ASSERT_EQ(g_users_window, qv::GetCodeWindow());
  EXPECT_NE(nullptr, module.get());
  EXPECT_EQ(0, host_->workspace().CloseMessagesReceived(g_users_window));
}

TEST_F(ModuleLookupTest, AFailureIsShownAndGivesNothing) {
  StartAddin(L"x = 1");
  const qv::CodeModule module = qv::GetOrAddModule(L"not a name", L"");
  EXPECT_EQ(nullptr, module.get());
  EXPECT_EQ(2L, Get(Path(vbe(), {L"ActiveVBProject", L"VBComponents"}).Object(), L"Count").Long())
      << "the module the host would not rename is gone again";
  ASSERT_EQ(1u, boxes_.boxes().size());
  EXPECT_EQ(L"QuorvaneOffice", boxes_.boxes()[0].caption);
  EXPECT_EQ(static_cast<UINT>(MB_OK), boxes_.boxes()[0].style);
  EXPECT_FALSE(boxes_.boxes()[0].text.empty());
}

}  // namespace
}  // namespace sbx::test
