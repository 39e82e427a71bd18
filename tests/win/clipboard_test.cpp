#include "win/clipboard.h"

#include <gtest/gtest.h>

#include <optional>

namespace qv {
namespace {

HWND MessageWindow() {
  return CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
}

// Whichever way it is opened, the clipboard is this thread's while the object lives and free after.
TEST(OpenedClipboardTest, HoldsTheClipboardWhileItLives) {
  const HWND window = MessageWindow();
  ASSERT_NE(nullptr, window);
  const struct {
    HWND owner;
    bool own_window;
  } cases[] = {{window, false}, {nullptr, false}, {nullptr, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.own_window ? "its own window" : c.owner ? "a window" : "no window");
    HWND held = nullptr;
    {
      std::optional<OpenedClipboard> clipboard;
      if (c.own_window) {
        clipboard.emplace();
      } else {
        clipboard.emplace(c.owner);
      }
      EXPECT_TRUE(clipboard->open());
      held = GetOpenClipboardWindow();
    }
    if (c.own_window) {
      EXPECT_NE(nullptr, held);
      EXPECT_NE(window, held);
      EXPECT_FALSE(IsWindow(held));  // gone with the object
    } else {
      EXPECT_EQ(c.owner, held);
    }
    EXPECT_TRUE(OpenClipboard(nullptr)) << "left open";
    CloseClipboard();
  }
  DestroyWindow(window);
}

// What cannot be opened is not open, and whoever has the clipboard keeps it.
TEST(OpenedClipboardTest, AClipboardNotOpenedIsLeftAsItWas) {
  const HWND window = MessageWindow();
  const HWND gone = MessageWindow();
  DestroyWindow(gone);
  ASSERT_TRUE(OpenClipboard(window));
  {
    const OpenedClipboard clipboard(gone);
    EXPECT_FALSE(clipboard.open());
  }
  EXPECT_EQ(window, GetOpenClipboardWindow());
  CloseClipboard();
  DestroyWindow(window);
}

}  // namespace
}  // namespace qv
