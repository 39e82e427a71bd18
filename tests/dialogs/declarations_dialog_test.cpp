// The declarations dialog over a module of the sandbox host, driven by a timer inside its modal loop:
// what it lists, what its buttons and keys insert, and what stays declared-as-seen.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "addin/addin_state.h"
#include "dialogs/declarations_dialog.h"
#include "dialogs/dialog_ids.h"
#include "sandbox/host/ansi_file.h"
#include "tests/addin/code_pane_fixture.h"
#include "tests/dialogs/scripted_prompts.h"
#include "tests/dialogs/temp_folder.h"

namespace sbx::test {
namespace {

using Names = std::vector<std::wstring>;

constexpr wchar_t kWin32[] =
    L"Attribute VB_Name = \"Win32\"\r\n"
    L"' Window tools\r\n"
    L"Public Type RECT\r\n"
    L"    Left As Long\r\n"
    L"End Type\r\n"
    L"Public Declare Function GetWindowRect Lib \"user32\" (ByVal hWnd As Long, lpRect As RECT) As Long\r\n"
    L"Public Declare Function GetTickCount Lib \"kernel32\" () As Long\r\n"
    L"Public Declare Sub Sleep Lib \"kernel32\" (ByVal ms As Long)\r\n"
    L"Public Const SW_HIDE = 0\r\n";

// A name and the text its declaration puts into the module Win32.
constexpr std::pair<const wchar_t*, const wchar_t*> kMembers[] = {
    {L"RECT", L"Type RECT"},
    {L"GetWindowRect", L"Function GetWindowRect"},
    {L"GetTickCount", L"Function GetTickCount"},
    {L"Sleep", L"Sub Sleep"},
    {L"SW_HIDE", L"Const SW_HIDE"},
};

constexpr wchar_t kDirective[] = L"'#Include <Win32.bas>\r\n";
constexpr wchar_t kUses[] =
    L"Option Explicit\r\n\r\nSub A()\r\n    t = GetTickCount: Sleep SW_HIDE\r\n    x = GetWindowRect(h, r)\r\n"
    L"End Sub\r\n\r\nSub B()\r\n    Sleep GetTickCount\r\nEnd Sub";
const Names kUsed = {L"GetTickCount", L"Sleep", L"SW_HIDE", L"GetWindowRect"};
const Names kUsedAndNeeded = {L"RECT", L"GetWindowRect", L"GetTickCount", L"Sleep", L"SW_HIDE"};

// What the user does to close the dialog, through its modal loop: a button's click, a key in the list
// or the close box (control 0: the dialog itself).
struct Press {
  int control;
  UINT message;
  WPARAM wparam;
  bool adds;
};
constexpr Press kAdd{IDOK, BM_CLICK, 0, true};
constexpr Press kEnter{QV_DECLARATIONS_LIST, WM_KEYDOWN, VK_RETURN, true};
constexpr Press kCancel{IDCANCEL, BM_CLICK, 0, false};
constexpr Press kEscape{QV_DECLARATIONS_LIST, WM_KEYDOWN, VK_ESCAPE, false};
constexpr Press kCloseBox{0, WM_SYSCOMMAND, SC_CLOSE, false};

// What the timer does in the dialog and what it saw there.
struct Visit {
  Names uncheck{};
  Press press = kAdd;
  Host* fail_insert = nullptr;  // InsertLines fails in this host once the dialog is open
  bool acted = false;
  HWND owner = nullptr;
  bool owner_enabled = true;
  Names entries{};  // "-" in front of an unchecked one
  bool add_enabled = false;
  int column_width = 0;
  int list_width = 0;        // inside its border
  bool stayed_open = false;  // the press left the dialog open, and Cancel closed it
};
Visit* visit = nullptr;

void CALLBACK Drive(HWND, UINT, UINT_PTR, DWORD) {
  const HWND dialog = FindWindowW(nullptr, L"Объявления");
  if (!dialog || !IsWindowVisible(dialog)) return;
  if (visit->acted) {
    visit->stayed_open = true;
    SendMessageW(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
    return;
  }
  visit->acted = true;
  visit->owner = GetWindow(dialog, GW_OWNER);
  visit->owner_enabled = IsWindowEnabled(visit->owner) != FALSE;
  visit->add_enabled = IsWindowEnabled(GetDlgItem(dialog, IDOK)) != FALSE;
  const HWND list = GetDlgItem(dialog, QV_DECLARATIONS_LIST);
  RECT client{};
  GetClientRect(list, &client);
  visit->list_width = client.right;
  visit->column_width = ListView_GetColumnWidth(list, 0);
  for (int index = 0; index < ListView_GetItemCount(list); ++index) {
    wchar_t text[100] = {};
    ListView_GetItemText(list, index, 0, text, 100);
    visit->entries.push_back(ListView_GetCheckState(list, index) ? text : L"-" + std::wstring(text));
    if (std::ranges::count(visit->uncheck, text)) ListView_SetCheckState(list, index, FALSE);
  }
  if (Host* host = visit->fail_insert) {
    host->InjectFault(L"CodeModule", L"InsertLines", qv::VbError(7, L"Out of memory"));
  }
  const Press& press = visit->press;
  PostMessageW(press.control ? GetDlgItem(dialog, press.control) : dialog, press.message, press.wparam, 0);
}

class DeclarationsDialogTest : public CodePaneTest {
 protected:
  void SetUp() override {
    CodePaneTest::SetUp();
    WriteAnsiFile(folder_.File(L"Win32.bas"), kWin32);
    qv::Tables().IncludingPaths.Add(folder_.path());
  }
  void TearDown() override {
    qv::Tables().IncludingPaths.Clear();
    CodePaneTest::TearDown();
  }

  // Module1 holding the directive and `code`; in the active code window when `open`.
  void Start(std::wstring_view code, bool open = true) {
    Host& host = HostTest::Start();
    project_ = &host.AddProject(L"VBAProject");
    ComponentObject& module = host.AddComponent(*project_, kStdModule, L"Module1", kDirective + std::wstring(code));
    Connect();
    if (open) host.Open(module);
  }

  // Opens the dialog as the toolbar command does and lets the timer work in it.
  void Show(Visit& script) {
    visit = &script;
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, Drive);
    qv::ShowDeclarations(includes_);
    KillTimer(nullptr, timer);
    visit = nullptr;
    EXPECT_TRUE(script.acted) << "the dialog was shown";
    EXPECT_EQ(host_->workspace().MainWindow(), script.owner);
    EXPECT_FALSE(script.owner_enabled) << "modal";
    EXPECT_EQ(script.list_width, script.column_width) << "the names' column fills the list";
    EXPECT_TRUE(IsWindowEnabled(host_->workspace().MainWindow()));
    EXPECT_EQ(nullptr, FindWindowW(nullptr, L"Объявления"));
  }

  std::wstring TextOf(const wchar_t* component) const {
    const ComponentObject* found = project_->components().Find(component);
    return found ? found->text().Text() : L"(none)";
  }
  // The members whose declarations the module Win32 holds.
  Names Inserted() const {
    Names names;
    for (const auto& [name, text] : kMembers) {
      if (TextOf(L"Win32").find(text) != std::wstring::npos) names.push_back(name);
    }
    return names;
  }
  Names Declared() const {
    const auto& declared = includes_.DeclaredNames;
    return Names(declared.begin(), declared.end());
  }

  qv::test::TempFolder folder_;
  ProjectObject* project_ = nullptr;
  qv::IncludeState includes_;
};

struct Case {
  const char* name;
  const wchar_t* code;
  Names listed;  // all checked
  Names uncheck;
  Press press;
  Names inserted;
};

const Case kCases[] = {
    {"AllCheckedAdd", kUses, kUsed, {}, kAdd, kUsedAndNeeded},
    {"SomeUncheckedEnter", kUses, kUsed, {L"Sleep", L"GetWindowRect"}, kEnter, {L"GetTickCount", L"SW_HIDE"}},
    {"AllUnchecked", kUses, kUsed, kUsed, kAdd, {}},
    {"Cancel", kUses, kUsed, {}, kCancel, {}},
    {"Escape", kUses, kUsed, {}, kEscape, {}},
    {"CloseBox", kUses, kUsed, {}, kCloseBox, {}},
    {"TheLastLineIsScanned", L"Option Explicit\r\nSub B(): Sleep 1: End Sub", {L"Sleep"}, {}, kAdd, {L"Sleep"}},
    {"NothingToDeclare", L"Sub A()\r\n    x = 1\r\nEnd Sub", {}, {}, kEnter, {}},
    {"DeclarationsOnly", L"Option Explicit\r\nPrivate Const N = SW_HIDE", {}, {}, kAdd, {}},
};

void PrintTo(const Case& c, std::ostream* out) { *out << c.name; }

class DeclarationsCaseTest : public DeclarationsDialogTest, public testing::WithParamInterface<Case> {};

TEST_P(DeclarationsCaseTest, ListsInFirstUseOrderAndDeclaresTheCheckedOnly) {
  const Case& c = GetParam();
  Start(c.code);
  Visit script{.uncheck = c.uncheck, .press = c.press};
  Show(script);
  EXPECT_EQ(c.listed, script.entries);
  EXPECT_EQ(!c.listed.empty(), script.add_enabled);
  EXPECT_EQ(c.press.adds && c.listed.empty(), script.stayed_open) << "only Cancel closes an empty list";
  EXPECT_EQ(c.inserted, Inserted()) << TextOf(L"Win32");
  if (!c.press.adds) {
    EXPECT_EQ(c.listed, Declared()) << "the listing stays";
  }
  for (const std::wstring& name : c.uncheck) EXPECT_EQ(1, std::ranges::count(Declared(), name)) << name;
  EXPECT_EQ(kDirective + std::wstring(c.code), ModuleText());
}

INSTANTIATE_TEST_SUITE_P(Cases, DeclarationsCaseTest, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<Case>& param) { return param.param.name; });

// The dialog brings the include tables up to date unless the main loop keeps them so.
TEST_F(DeclarationsDialogTest, RunsTheIncludePassUnlessTheMainLoopDoes) {
  const struct {
    bool include, auto_include, listed;
  } cases[] = {{false, false, true}, {true, false, true}, {false, true, true}, {true, true, false}};
  Start(kUses);
  for (const auto& c : cases) {
    includes_.Includes.Clear();
    qv::State().settings.Include = c.include;
    qv::State().settings.AutoInclude = c.auto_include;
    Visit script{.press = kCancel};
    Show(script);
    EXPECT_EQ(c.listed ? kUsed : Names{}, script.entries) << c.include << c.auto_include;
  }
}

TEST_F(DeclarationsDialogTest, WithoutAnActivePaneAddChangesNothing) {
  Start(kUses, false);
  includes_.DeclaredNames.Add(L"Sleep", L"Sleep");
  Visit script{.press = kEnter};
  Show(script);
  EXPECT_EQ(Names{}, script.entries);
  EXPECT_FALSE(script.add_enabled);
  EXPECT_TRUE(script.stayed_open);
  EXPECT_EQ(L"(none)", TextOf(L"Win32"));
  EXPECT_EQ(Names{L"Sleep"}, Declared());
}

TEST_F(DeclarationsDialogTest, AFailingInsertionIsShownAndClosesTheDialog) {
  Start(kUses);
  qv::test::ScriptedPrompts prompts;
  Visit script{.fail_insert = host_.get()};
  Show(script);
  EXPECT_FALSE(script.stayed_open);
  ASSERT_EQ(1u, prompts.shown.size());
  EXPECT_NE(std::wstring::npos, prompts.shown[0].text.find(L"Out of memory")) << prompts.shown[0].text;
  EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION), prompts.shown[0].style);
  EXPECT_EQ(Names{}, Inserted());
}

}  // namespace
}  // namespace sbx::test
