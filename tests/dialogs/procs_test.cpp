// The procedure list in the sandbox host, in this process.
#include "dialogs/procs_dialog.h"

#include <string>
#include <vector>

#include "addin/build_info.h"
#include "dialogs/about_box.h"
#include "dialogs/controls.h"
#include "dialogs/dialog_ids.h"
#include "tests/addin/code_pane_fixture.h"
#include "tests/dialogs/open_dialog.h"
#include "tests/dialogs/scripted_prompts.h"
#include "win/registry.h"

namespace sbx::test {
namespace {

HWND ProcsWindow() { return qv::test::OpenDialog(qv::test::kProcsCaption); }

constexpr wchar_t kModule[] =
    L"Option Explicit\r\nPrivate v As Long\r\n"                       // 1-2
    L"Sub Zulu()\r\nEnd Sub\r\n"                                      // 3-4
    L"Function Alpha() As Long\r\nAlpha = 1\r\nEnd Function\r\n"      // 5-7
    L"Property Get Value() As Long\r\nValue = v\r\nEnd Property\r\n"  // 8-10
    L"Property Let Value(x As Long)\r\nv = x\r\nEnd Property\r\n"     // 11-13
    L"Property Set Value(x As Object)\r\nEnd Property";               // 14-15
constexpr wchar_t kSettingsKey[] = L"Software\\Velmora\\Quorvane\\VB";
constexpr wchar_t kNotFound[] = L"Функция или процедура не была обнаружена.";

class ProcsTest : public CodePaneTest {
 protected:
  void TearDown() override {
    Finish();
    CodePaneTest::TearDown();
  }
  // The end of one case of a table: the next starts a host of its own.
  void Finish() {
    if (ProcsWindow()) DestroyWindow(ProcsWindow());
    qv::CloseConnection();
    qv::State() = qv::AddinState{};
    if (host_) host_->ShutDown(0);
    host_.reset();
    registry_.Restore();
  }
  CodeWindow& StartIn(Personality personality, std::wstring_view text = kModule) {
    CodeWindow& window = StartAddin(text, {.personality = personality});
    qv::State().IsVBA = personality == Personality::kVba;
    qv::State().SettingsKey = kSettingsKey;
    return window;
  }
  void SetStored(const wchar_t* name, const wchar_t* text) const {
    if (text) qv::SetRegValue(HKEY_CURRENT_USER, kSettingsKey, name, text);
  }
  std::wstring Stored(const wchar_t* name) const {
    return qv::GetRegValue(HKEY_CURRENT_USER, kSettingsKey, name).value_or(L"");
  }
  qv::ModelessDialogs dialogs_;
  static HWND Item(int id) { return GetDlgItem(ProcsWindow(), id); }
  static std::wstring Row(int id, LRESULT row) {
    const auto at = static_cast<WPARAM>(row);
    std::wstring text(static_cast<size_t>(SendMessageW(Item(id), LB_GETTEXTLEN, at, 0)), L'\0');
    SendMessageW(Item(id), LB_GETTEXT, at, reinterpret_cast<LPARAM>(text.data()));
    return text;
  }
  static std::vector<std::wstring> Rows(int id) {
    std::vector<std::wstring> rows;
    for (LRESULT row = 0; row < SendMessageW(Item(id), LB_GETCOUNT, 0, 0); ++row) rows.push_back(Row(id, row));
    return rows;
  }
  static std::wstring Selected(int id) {
    const LRESULT row = SendMessageW(Item(id), LB_GETCURSEL, 0, 0);
    return row < 0 ? L"(none)" : Row(id, row);
  }
  // The user picks an entry of a list.
  static void Pick(int id, const std::wstring& text) {
    const LRESULT row =
        SendMessageW(Item(id), LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageW(Item(id), LB_SETCURSEL, static_cast<WPARAM>(row), 0);
    SendMessageW(ProcsWindow(), WM_COMMAND, MAKEWPARAM(id, LBN_SELCHANGE), reinterpret_cast<LPARAM>(Item(id)));
  }
  static std::wstring Text(int id) { return qv::ControlText(Item(id)); }
  static void Click(int id) { SendMessageW(Item(id), BM_CLICK, 0, 0); }
  // The window's size in twips at the test display's 96 dots per inch.
  static SIZE TwipsSize() {
    RECT rect;
    GetWindowRect(ProcsWindow(), &rect);
    return {(rect.right - rect.left) * 15, (rect.bottom - rect.top) * 15};
  }
  long Shows() const { return host_->Calls(L"CodePane", L"Show"); }

  qv::test::ScriptedPrompts prompts_;
};

TEST_F(ProcsTest, OneModuleListsEveryProcedureAndSelectsTheCaretsEntry) {
  const std::vector<std::wstring> in_module = {L"Zulu", L"Alpha", L"Value [PropertyGet]", L"Value [PropertyLet]",
                                               L"Value [PropertySet]"};
  const struct {
    const wchar_t* sort;
    long caret_line;
    const wchar_t* selected;
  } cases[] = {{L"True", 2, L"Alpha"},
               {L"False", 1, L"Zulu"},
               {L"True", 12, L"Value [PropertyLet]"},
               {L"False", 15, L"Value [PropertySet]"},
               {L"True", 6, L"Alpha"},
               {L"False", 9, L"Value [PropertyGet]"}};
  for (const auto& c : cases) {
    StartIn(Personality::kVba);
    SetStored(L"Procs.Sort", c.sort);
    Select(c.caret_line, 1);
    qv::ShowProcs(dialogs_);
    ASSERT_NE(nullptr, ProcsWindow());
    EXPECT_EQ(in_module, Rows(QV_PROCS_LIST));
    EXPECT_EQ(L"Alpha", Row(QV_PROCS_LIST_SORTED, 0));
    EXPECT_EQ(c.selected, Selected(QV_PROCS_LIST)) << c.caret_line;
    EXPECT_EQ(c.selected, Selected(QV_PROCS_LIST_SORTED)) << c.caret_line;
    EXPECT_EQ(std::wstring(c.sort) == L"True", IsWindowVisible(Item(QV_PROCS_LIST_SORTED)) != FALSE);
    EXPECT_TRUE(IsWindowEnabled(Item(IDOK)));
    EXPECT_EQ(host_->workspace().MainWindow(), GetWindow(ProcsWindow(), GW_OWNER));
    EXPECT_TRUE(IsWindowEnabled(host_->workspace().MainWindow())) << "modeless";
    Finish();
  }
}

TEST_F(ProcsTest, TheWholeProjectSkipsCodelessComponentsAndTheCaretFollowsItsOwnPane) {
  CodeWindow& window = StartIn(Personality::kVb6, L"Sub A()\r\nEnd Sub\r\nSub InModule()\r\nEnd Sub");
  ProjectObject& project = host_->state().ComponentOf(window.text())->project();
  for (const long type : {kClassModule, kResFile, kVbForm, kPropertyPage, kRelatedDocument}) {
    host_->AddComponent(project, type, L"", L"Sub Of" + std::to_wstring(type) + L"()\r\nEnd Sub");
  }
  host_->SelectComponent(*project.components().Find(L"Class1"));
  SetStored(L"Procs.DisplayAll", L"True");
  Select(4, 1);
  qv::ShowProcs(dialogs_);
  EXPECT_EQ((std::vector<std::wstring>{L"A (Module1)", L"InModule (Module1)", L"Of2 (Class1)", L"Of5 (Form1)"}),
            Rows(QV_PROCS_LIST));
  EXPECT_EQ(L"InModule (Module1)", Selected(QV_PROCS_LIST_SORTED));
  Click(QV_PROCS_DISPLAY_ALL);
  EXPECT_EQ((std::vector<std::wstring>{L"A", L"InModule"}), Rows(QV_PROCS_LIST));
  // A module that cannot be read shows its error, and the fill goes on with the next.
  host_->InjectFault(L"CodeModule", L"CountOfDeclarationLines");
  Click(QV_PROCS_DISPLAY_ALL);
  EXPECT_EQ(3u, prompts_.shown.size());
  EXPECT_FALSE(IsWindowEnabled(Item(IDOK)));
  Click(QV_PROCS_DISPLAY_ALL);
  DestroyWindow(ProcsWindow());
  EXPECT_EQ(L"False", Stored(L"Procs.DisplayAll"));
  EXPECT_EQ(L"True", Stored(L"Procs.Sort"));
}

TEST_F(ProcsTest, GoingToTheLetEntryMovesItsOwnPaneAndShowsItOnlyWhenNotActive) {
  enum class Active { kSame, kOther, kNone };
  for (const Active active : {Active::kSame, Active::kOther, Active::kNone}) {
    CodeWindow& window = StartIn(Personality::kVba);
    ProjectObject& project = host_->state().ComponentOf(window.text())->project();
    CodeWindow& other = host_->Open(host_->AddComponent(project, kStdModule, L"Module2", L"Sub B()\r\nEnd Sub"),
                                    active == Active::kOther);
    SetStored(L"Procs.DisplayAll", active == Active::kSame ? L"False" : L"True");
    qv::ShowProcs(dialogs_);
    if (active == Active::kNone) {
      SendMessageW(other.hwnd(), WM_CLOSE, 0, 0);
      SendMessageW(window.hwnd(), WM_CLOSE, 0, 0);
    }
    const std::wstring suffix = active == Active::kSame ? L"" : L" (Module1)";
    Pick(QV_PROCS_LIST_SORTED, L"Value [PropertyLet]" + suffix);
    host_->ResetCalls();
    Click(IDOK);
    EXPECT_EQ(nullptr, ProcsWindow());
    EXPECT_EQ(active == Active::kSame ? 0 : 1, Shows()) << static_cast<int>(active);
    EXPECT_EQ(11, Get(Pane().Object(), L"TopLine").Long());
    EXPECT_EQ(12, Selection().start_line);
    EXPECT_EQ(1, Selection().start_column);
    EXPECT_EQ(L"Module1", Path(vbe(), {L"ActiveCodePane", L"CodeModule", L"Parent", L"Name"}).Text());
    Finish();
  }
}

TEST_F(ProcsTest, ARenamedOrRemovedModuleOrProcedureGivesTheMessageAndTheWindowStays) {
  for (int change = 0; change < 3; ++change) {
    CodeWindow& window = StartIn(Personality::kVba);
    ComponentObject& module = *host_->state().ComponentOf(window.text());
    SetStored(L"Procs.DisplayAll", change < 2 ? L"True" : L"False");
    qv::ShowProcs(dialogs_);
    Pick(QV_PROCS_LIST_SORTED, change < 2 ? L"Zulu (Module1)" : L"Zulu");
    if (change == 0) module.Rename(L"Renamed");
    if (change == 1) module.project().components().Remove(module.AsDispatch());
    if (change == 2) Invoke(CodeModule().Object(), L"DeleteLines", DISPATCH_METHOD, {3L, 2L});
    Click(IDOK);
    ASSERT_EQ(1u, prompts_.shown.size()) << change;
    EXPECT_EQ(kNotFound, prompts_.shown[0].text);
    EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION | MB_TASKMODAL), prompts_.shown[0].style);
    EXPECT_EQ(qv::Build().AppTitle, prompts_.shown[0].caption);
    EXPECT_TRUE(IsWindowVisible(ProcsWindow()));
    prompts_.shown.clear();
    Finish();
  }
}

TEST_F(ProcsTest, TogglingTheSortKeepsTheSelectionAndASecondCommandRefillsInPlace) {
  StartIn(Personality::kVba);
  qv::ShowProcs(dialogs_);
  const HWND window = ProcsWindow();
  for (const wchar_t* pick : {L"Value [PropertySet]", L"Zulu", L"Alpha"}) {
    const int visible = IsWindowVisible(Item(QV_PROCS_LIST)) ? QV_PROCS_LIST : QV_PROCS_LIST_SORTED;
    Pick(visible, pick);
    Click(QV_PROCS_SORT);
    const int now = visible == QV_PROCS_LIST ? QV_PROCS_LIST_SORTED : QV_PROCS_LIST;
    EXPECT_TRUE(IsWindowVisible(Item(now)) && !IsWindowVisible(Item(visible)));
    EXPECT_EQ(pick, Selected(now));
  }
  SetWindowPos(window, nullptr, 10, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  Invoke(CodeModule().Object(), L"InsertLines", DISPATCH_METHOD, {3L, std::wstring(L"Sub Added()\r\nEnd Sub")});
  Select(11, 1);
  qv::ShowProcs(dialogs_);
  EXPECT_EQ(window, ProcsWindow());
  RECT rect;
  GetWindowRect(window, &rect);
  EXPECT_EQ(10, rect.left);
  EXPECT_EQ(20, rect.top);
  EXPECT_EQ(6u, Rows(QV_PROCS_LIST).size());
  EXPECT_EQ(L"Value [PropertyGet]", Selected(QV_PROCS_LIST));
}

TEST_F(ProcsTest, SizesAreStoredInTwipsRestoredAndCentred) {
  const struct {
    const wchar_t* width;
    const wchar_t* height;
    SIZE expected;
  } cases[] = {{nullptr, nullptr, {6000, 5700}},
               {L"7200", L"4500", {7200, 4500}},
               {L"0", L"-300", {6000, 5700}},
               {L"30", L"15", {6000, 5700}},
               {L"abc", L"4800.5", {6000, 4800}}};
  for (const auto& c : cases) {
    StartIn(Personality::kVb6);
    SetStored(L"Procs.Width", c.width);
    SetStored(L"Procs.Height", c.height);
    qv::ShowProcs(dialogs_);
    const SIZE size = TwipsSize();
    EXPECT_EQ(c.expected.cx, size.cx) << c.width;
    EXPECT_EQ(c.expected.cy, size.cy) << c.height;
    RECT rect;
    GetWindowRect(ProcsWindow(), &rect);
    EXPECT_NEAR(GetSystemMetrics(SM_CXSCREEN) / 2, (rect.left + rect.right) / 2, 1);
    EXPECT_NEAR(GetSystemMetrics(SM_CYSCREEN) / 2, (rect.top + rect.bottom) / 2, 1);
    SetWindowPos(ProcsWindow(), nullptr, 0, 0, 500, 400, SWP_NOMOVE | SWP_NOZORDER);
    // The close box, or the add-in's unload.
    if (c.width) {
      SendMessageW(ProcsWindow(), WM_CLOSE, 0, 0);
    } else {
      qv::UnloadDialogs(dialogs_);
    }
    EXPECT_EQ(nullptr, ProcsWindow());
    EXPECT_EQ(L"7500", Stored(L"Procs.Width"));
    EXPECT_EQ(L"6000", Stored(L"Procs.Height"));
    Finish();
  }
}

TEST_F(ProcsTest, TheFrameShowsTheDescriptionOnlyInVisualBasicAndAboveTheThreshold) {
  const struct {
    Personality personality;
    const wchar_t* height;
    bool frame;
  } cases[] = {
      {Personality::kVb6, L"5700", true}, {Personality::kVb6, L"4000", false}, {Personality::kVba, L"5700", false}};
  for (const auto& c : cases) {
    CodeWindow& window = StartIn(c.personality);
    if (c.personality == Personality::kVb6)
      host_->state().ComponentOf(window.text())->SetMemberDescription(L"Alpha", L"Первая");
    SetStored(L"Procs.Height", c.height);
    Select(6, 1);
    qv::ShowProcs(dialogs_);
    EXPECT_EQ(c.frame, IsWindowVisible(Item(QV_PROCS_FRAME)) != FALSE) << c.height;
    RECT list, client;
    GetWindowRect(Item(QV_PROCS_LIST_SORTED), &list);
    MapWindowPoints(nullptr, ProcsWindow(), reinterpret_cast<POINT*>(&list), 2);
    GetClientRect(ProcsWindow(), &client);
    EXPECT_NEAR(client.bottom - 8 - (c.frame ? 129 : 0), list.bottom, 2) << c.height;
    if (c.frame) {
      EXPECT_EQ(L"Первая", Text(QV_PROCS_DESCRIPTION));
      // Without its module another entry has no description; the last one does not stay.
      SendMessageW(window.hwnd(), WM_CLOSE, 0, 0);
      Pick(QV_PROCS_LIST_SORTED, L"Zulu");
      EXPECT_EQ(L"", Text(QV_PROCS_DESCRIPTION));
    }
    Finish();
  }
}

TEST_F(ProcsTest, EnterAndEscapeWorkThroughTheHostsPlainLoopAndAnEmptyFillIsNotFinal) {
  for (const int key : {VK_RETURN, VK_ESCAPE}) {
    CodeWindow& window = StartIn(Personality::kVba, L"Option Explicit");
    ProjectObject& project = host_->state().ComponentOf(window.text())->project();
    host_->AddComponent(project, kStdModule, L"Module2", L"Sub B()\r\nEnd Sub");
    SetStored(L"Procs.DisplayAll", L"False");
    qv::ShowProcs(dialogs_);
    EXPECT_FALSE(IsWindowEnabled(Item(IDOK)));
    Click(QV_PROCS_DISPLAY_ALL);
    EXPECT_TRUE(IsWindowEnabled(Item(IDOK)));
    PostMessageW(GetFocus(), WM_KEYDOWN, static_cast<WPARAM>(key), 1);
    host_->Pump(100);
    EXPECT_EQ(nullptr, ProcsWindow());
    EXPECT_EQ(key == VK_RETURN ? L"Module2" : L"Module1",
              Path(vbe(), {L"ActiveCodePane", L"CodeModule", L"Parent", L"Name"}).Text());
    Finish();
  }
}

}  // namespace
}  // namespace sbx::test
