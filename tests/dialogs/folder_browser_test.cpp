#include "dialogs/folder_browser.h"

#include <shlobj.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "tests/dialogs/scripted_prompts.h"
#include "tests/dialogs/temp_folder.h"

namespace qv::test {
namespace {

TEST(FolderBrowserTest, TrimNullKeepsTheTextBeforeTheFirstNul) {
  using namespace std::string_literals;
  const struct {
    std::wstring text;
    std::wstring trimmed;
  } cases[] = {{L"C:\\Work", L"C:\\Work"}, {L"", L""}, {L"\0C:\\Work"s, L""}, {L"C:\\a\0b\0"s, L"C:\\a"},
               {L"C:\\Work    "s, L"C:\\Work    "}};
  for (const auto& c : cases) EXPECT_EQ(c.trimmed, tsTrimNull(c.text)) << c.text;
}

TEST(FolderBrowserTest, GetDirGivesTheDefaultOnCancelAndOneTrailingBackslash) {
  const struct {
    const wchar_t* chosen;
    const wchar_t* result;
  } cases[] = {{L"", L"D:\\Проекты\\"}, {L"C:\\", L"C:\\"}, {L"C:\\Work", L"C:\\Work\\"}, {L"E:\\a\\b", L"E:\\a\\b\\"}};
  const HWND owner = GetDesktopWindow();
  for (const auto& c : cases) {
    ScriptedPrompts prompts;
    prompts.folders = {c.chosen};
    EXPECT_EQ(c.result, GetDir(owner, L"Каталог проектов", L"D:\\Проекты\\")) << c.chosen;
    ASSERT_EQ(1u, prompts.folder_requests.size());
    EXPECT_EQ(owner, prompts.folder_requests[0].owner);
    EXPECT_EQ(static_cast<UINT>(BIF_RETURNONLYFSDIRS), prompts.folder_requests[0].flags);
    EXPECT_EQ(L"Каталог проектов", prompts.folder_requests[0].title);
    EXPECT_EQ(L"D:\\Проекты\\", prompts.folder_requests[0].start_folder);
  }
}

BOOL CALLBACK FindShownDialog(HWND window, LPARAM out) {
  wchar_t name[16];
  GetClassNameW(window, name, 16);
  if (std::wstring(name) != L"#32770" || !IsWindowVisible(window)) return TRUE;
  *reinterpret_cast<HWND*>(out) = window;
  return FALSE;
}

// The shell's dialog of that thread once the user can see it; null when `done` comes first.
HWND WaitForBrowseDialog(DWORD thread, const std::atomic<bool>& done) {
  while (!done) {
    HWND found = nullptr;
    EnumThreadWindows(thread, FindShownDialog, reinterpret_cast<LPARAM>(&found));
    if (found) return found;
    Sleep(20);
  }
  return nullptr;
}

class RealFolderDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    OleInitialize(nullptr);
    CreateDirectoryW(folder_.File(L"Подпапка").c_str(), nullptr);
  }
  void TearDown() override { OleUninitialize(); }

  // Runs the dialog here while another thread selects `select` (when given) and presses `button`.
  std::wstring Drive(const std::wstring& start, const std::wstring& select, int button) {
    const DWORD self = GetCurrentThreadId();
    std::atomic<bool> done = false;
    bool seen = false;
    std::thread user([&] {
      const HWND dialog = WaitForBrowseDialog(self, done);
      seen = dialog != nullptr;
      if (!dialog) return;
      if (!select.empty()) SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(select.c_str()));
      PostMessageW(dialog, WM_COMMAND, static_cast<WPARAM>(button), 0);
    });
    std::wstring path = tsGetPathFromUser(nullptr, BIF_RETURNONLYFSDIRS, L"Выберите каталог", start);
    done = true;
    user.join();
    EXPECT_TRUE(seen);
    return path;
  }

  TempFolder folder_;
};

TEST_F(RealFolderDialogTest, CancelGivesNothingAndOkTheChosenFolder) {
#ifndef _WIN64
  GTEST_SKIP() << "the emulated x86 Wine takes minutes to fill the shell's folder tree";
#endif
  const std::wstring sub = folder_.File(L"Подпапка");
  const std::wstring missing = folder_.File(L"Нет такой");
  const struct {
    std::wstring start;
    std::wstring select;
    int button;
    std::wstring path;
  } cases[] = {
      {folder_.path(), sub, IDCANCEL, L""},
      {L"", sub, IDOK, sub},
      {missing, sub, IDOK, sub},      // the desktop as the root
      {L"", L"C:\\", IDOK, L"C:\\"},  // a drive's root keeps its backslash
  };
  // Wine answers OK in a tree rooted at a folder with its desktop, so a rooted confirmation is not
  // driven here.
  for (const auto& c : cases) {
    EXPECT_EQ(c.path, Drive(c.start, c.select, c.button)) << c.start << " " << c.select << " " << c.button;
  }
}

}  // namespace
}  // namespace qv::test
