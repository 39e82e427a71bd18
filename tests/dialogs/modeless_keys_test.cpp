#include "dialogs/modeless_keys.h"

#include <gtest/gtest.h>

#include "tests/dialogs/kit_dialog.h"

namespace qv::test {
namespace {

// A loop as the host runs it: no IsDialogMessage.
void PlainMessageLoop() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

void PostEscape(HWND window) {
  PostMessageW(window, WM_KEYDOWN, VK_ESCAPE, 1);
  PostMessageW(window, WM_KEYUP, VK_ESCAPE, static_cast<LPARAM>(0xC0000001u));
}

TEST(ModelessKeysTest, EscapeThroughAPlainLoopClosesAnAddedDialog) {
  KitDialog dialog;
  ASSERT_TRUE(dialog.Create(QV_TEST_KIT_DIALOG, nullptr));
  ModelessKeys keys;
  keys.Add(dialog.hwnd());
  PostEscape(dialog.Item(QV_TEST_EDIT));
  PlainMessageLoop();
  EXPECT_EQ(nullptr, dialog.hwnd());
}

TEST(ModelessKeysTest, WithoutTheHookEscapeReachesOnlyTheControl) {
  KitDialog dialog;
  ASSERT_TRUE(dialog.Create(QV_TEST_KIT_DIALOG, nullptr));
  ModelessKeys keys;
  keys.Add(dialog.hwnd());
  keys.Remove(dialog.hwnd());
  PostEscape(dialog.Item(QV_TEST_EDIT));
  PlainMessageLoop();
  EXPECT_NE(nullptr, dialog.hwnd());
  EXPECT_TRUE(dialog.commands.empty());
}

}  // namespace
}  // namespace qv::test
