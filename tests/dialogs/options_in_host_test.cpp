// The options dialog of the built libraries in the sandbox host: modal from the menu, modeless at an
// external start; what its OK and Apply store is what the add-in then works with.
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "dialogs/options_ids.h"
#include "tests/addin/command_bar_fixture.h"

namespace sbx::test {
namespace {

// The list files beside the library, given back as they were.
class SavedListFiles {
 public:
  SavedListFiles() {
    for (const wchar_t* name : kNames) {
      std::ifstream in{Path(name), std::ios::binary};
      saved_.push_back(in ? std::optional<std::string>(std::string(std::istreambuf_iterator<char>(in), {})) : std::nullopt);
    }
  }
  SavedListFiles(const SavedListFiles&) = delete;
  SavedListFiles& operator=(const SavedListFiles&) = delete;
  ~SavedListFiles() {
    for (size_t index = 0; index < std::size(kNames); ++index) {
      std::filesystem::remove(Path(kNames[index]));
      if (saved_[index]) std::ofstream(Path(kNames[index]), std::ios::binary) << *saved_[index];
    }
  }
  static std::filesystem::path Path(const wchar_t* name) { return qv::AppPath() + name; }

 private:
  static constexpr const wchar_t* kNames[] = {L"AutoInserts.ini", L"SyntaxColors.ini", L"IncludingPaths.ini"};
  std::vector<std::optional<std::string>> saved_;
};

HWND OptionsWindow() { return FindWindowW(nullptr, L"Настройки Quorvane"); }

struct ControlSearch {
  int id;
  HWND found;
};

BOOL CALLBACK TakeControl(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<ControlSearch*>(data);
  if (GetDlgCtrlID(window) != search->id) return TRUE;
  search->found = window;
  return FALSE;
}

HWND DialogControl(HWND dialog, int id) {
  ControlSearch search{id, nullptr};
  EnumChildWindows(dialog, TakeControl, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// What the modal dialog looked like while it ran, and the changes made in it before OK.
struct ModalVisit {
  HWND owner = nullptr;
  bool main_enabled = true;
  bool visible = false;
};
ModalVisit visit;

void CALLBACK EditAndPressOk(HWND, UINT, UINT_PTR timer, DWORD) {
  const HWND dialog = OptionsWindow();
  if (!dialog) return;
  KillTimer(nullptr, timer);
  visit.owner = GetWindow(dialog, GW_OWNER);
  visit.visible = IsWindowVisible(dialog) != FALSE;
  visit.main_enabled = IsWindowEnabled(visit.owner) != FALSE;
  if (SendMessageW(DialogControl(dialog, chkШиринаОтступа), BM_GETCHECK, 0, 0) != BST_CHECKED) {
    SendMessageW(DialogControl(dialog, chkШиринаОтступа), BM_CLICK, 0, 0);
  }
  SetWindowTextW(DialogControl(dialog, txtШиринаОтступа), L"2");
  SendMessageW(DialogControl(dialog, cmdOK), BM_CLICK, 0, 0);
}

class OptionsInHostTest : public CommandBarTest {
 protected:
  std::wstring file() const override { return library().file + std::wstring(L".dll"); }
  std::wstring Stored(const wchar_t* name) const {
    return qv::GetRegValue(HKEY_CURRENT_USER, library().settings_key, name).value_or(L"(none)");
  }

  SavedListFiles lists_;
  RegistryFixture settings_{{GetParam().settings_key}};
};

TEST_P(OptionsInHostTest, TheMenuShowsItModalOverTheMainWindowAndTheAddinFollowsItsOk) {
  ComponentObject& module = StartWithModule(L"Sub A()\r\nx = 1\r\nEnd Sub", {.personality = library().personality});
  SetSetting(L"StyleIDE", L"False");
  SetSetting(L"CustomIndentWidth", L"False");
  ASSERT_TRUE(Connect());
  visit = {};
  SetTimer(nullptr, 0, 50, EditAndPressOk);
  EXPECT_TRUE(host_->Click(Control({L"Add-Ins", L"Quorvane", L"Настройки..."})));
  EXPECT_EQ(MainWindow(), visit.owner);
  EXPECT_TRUE(visit.visible);
  EXPECT_FALSE(visit.main_enabled) << "modal: the main window waits";
  EXPECT_EQ(nullptr, OptionsWindow()) << "OK unloads it";
  EXPECT_TRUE(IsWindowEnabled(MainWindow()));
  EXPECT_EQ(L"True", Stored(L"CustomIndentWidth"));
  EXPECT_EQ(L"2", Stored(L"TabWidth"));
  EXPECT_TRUE(std::filesystem::exists(SavedListFiles::Path(L"AutoInserts.ini")));
  // The next ticks keep the custom width, and formatting uses it.
  EXPECT_GE(PumpTicks(2), 2);
  host_->Open(module);
  Invoke(Pane().Object(), L"SetSelection", DISPATCH_METHOD, {1L, 1L, 3L, 1L});
  EXPECT_TRUE(host_->Click(Control({L"Quorvane", L"Форматировать блок"})));
  EXPECT_EQ(L"Sub A()\r\n  x = 1\r\nEnd Sub", Get(CodeModule().Object(), L"Lines", {1L, 3L}).Text());
  EXPECT_TRUE(boxes_.boxes().empty());
}

TEST_P(OptionsInHostTest, AnExternalStartShowsItModelessAndItsApplyWorksWithoutTheToolbar) {
  StartHost();
  SetSetting(L"StyleIDE", L"False");
  ASSERT_TRUE(Connect(ext_cm_External));
  Pin();
  const HWND dialog = OptionsWindow();
ASSERT_NE(nullptr, dialog);
  EXPECT_TRUE(IsWindowVisible(dialog));
  EXPECT_EQ(nullptr, GetWindow(dialog, GW_OWNER));
SendMessageW(DialogControl(dialog, chkАвтоОтступ), BM_CLICK, 0, 0);
SendMessageW(DialogControl(dialog, cmdApply), BM_CLICK, 0, 0);
  EXPECT_EQ(L"False", Stored(L"AutoIndent"));
  EXPECT_EQ(dialog, OptionsWindow()) << "Apply keeps it open";
  // The window goes with the connection, so that the library can be freed.
  ASSERT_TRUE(host_->add_ins().DisconnectFromManager(library().prog_id));
  EXPECT_FALSE(IsWindow(dialog));
  Unpin();
  host_->add_ins().FreeUnusedLibraries();
  EXPECT_EQ(nullptr, Loaded());
  EXPECT_TRUE(boxes_.boxes().empty());
}

INSTANTIATE_TEST_SUITE_P(Libraries, OptionsInHostTest, ::testing::ValuesIn(BuiltLibraries()), LibraryName);

}  // namespace
}  // namespace sbx::test
