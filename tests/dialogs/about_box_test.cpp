#include "dialogs/about_box.h"

#include <gtest/gtest.h>

#include <string>

#include "dialogs/controls.h"
#include "dialogs/dialog_ids.h"
#include "tests/dialogs/open_dialog.h"

namespace qv::test {
namespace {

constexpr wchar_t kCaption[] = L"О программе Quorvane";

struct LibraryVersion {
  const wchar_t* library;
  const wchar_t* line;
};

TEST(AboutVersionTest, TheLineComesFromTheLibrarysOwnVersionResource) {
  std::vector<LibraryVersion> cases = {{L"QuorvaneOffice.dll", L"Версия: 2.0.84"}};
#ifndef _WIN64
  cases.push_back({L"QuorvaneStudio.dll", L"Версия: 2.0.518"});
#endif
  for (const LibraryVersion& c : cases) {
    const HMODULE library = LoadLibraryExW(c.library, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(nullptr, library) << c.library;
    EXPECT_EQ(c.line, VersionLine(library)) << c.library;
    FreeLibrary(library);
  }
  EXPECT_EQ(L"", VersionLine(GetModuleHandleW(nullptr))) << "the test program has no version";
}

class AboutBoxTest : public ::testing::Test {
 protected:
  void TearDown() override {
    if (OpenDialog(kAboutCaption)) DestroyWindow(OpenDialog(kAboutCaption));
  }

  static BOOL CALLBACK CountBox(HWND window, LPARAM count) {
    if (ControlText(window) == kCaption) ++*reinterpret_cast<int*>(count);
    return TRUE;
  }

  static int OpenBoxes() {
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountBox, reinterpret_cast<LPARAM>(&count));
    return count;
  }

  ModelessDialogs dialogs_;
};

TEST_F(AboutBoxTest, ASecondCommandBringsTheSameBoxForward) {
  ShowAbout(dialogs_);
  const HWND first = OpenDialog(kAboutCaption);
  ASSERT_NE(nullptr, first);
  EXPECT_TRUE(IsWindowVisible(first));
  ShowAbout(dialogs_);
  EXPECT_EQ(first, OpenDialog(kAboutCaption));
  EXPECT_EQ(1, OpenBoxes());
}

TEST_F(AboutBoxTest, OkAndTheCloseBoxUnloadIt) {
  const struct {
    UINT message;
    WPARAM wparam;
  } closers[] = {{WM_COMMAND, IDOK}, {WM_CLOSE, 0}, {WM_COMMAND, IDCANCEL}};
  for (const auto& closer : closers) {
    ShowAbout(dialogs_);
    SendMessageW(OpenDialog(kAboutCaption), closer.message, closer.wparam, 0);
    EXPECT_EQ(nullptr, OpenDialog(kAboutCaption)) << closer.message << " " << closer.wparam;
    EXPECT_EQ(0, OpenBoxes());
  }
}

TEST_F(AboutBoxTest, TheAddinsShutdownUnloadsIt) {
  ShowAbout(dialogs_);
  ASSERT_NE(nullptr, OpenDialog(kAboutCaption));
  UnloadDialogs(dialogs_);
  EXPECT_EQ(nullptr, OpenDialog(kAboutCaption));
  UnloadDialogs(dialogs_);
}

TEST_F(AboutBoxTest, TheLetterVAndTheMinusNeverReachTheThanks) {
  const struct {
    wchar_t typed;
    bool kept;
  } cases[] = {{L'V', false}, {L'-', false}, {L'v', true}, {L'A', true}, {L'В', true}, {L'_', true}};
  ShowAbout(dialogs_);
  const HWND thanks = GetDlgItem(OpenDialog(kAboutCaption), QV_ABOUT_THANKS);
  for (const auto& c : cases) {
    SetWindowTextW(thanks, L"");
    SendMessageW(thanks, WM_CHAR, c.typed, 1);
    EXPECT_EQ(c.kept ? std::wstring(1, c.typed) : L"", ControlText(thanks)) << static_cast<int>(c.typed);
  }
}

}  // namespace
}  // namespace qv::test
