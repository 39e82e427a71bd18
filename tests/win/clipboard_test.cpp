#include "win/clipboard.h"

#include <gtest/gtest.h>

#include <optional>
#include <thread>

#include "tests/win/win_test_support.h"

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
      // Open for a window, nobody else can have it now (Wine lets another thread take one opened for none).
      if (held) std::thread([] { EXPECT_FALSE(OpenClipboard(nullptr)); }).join();
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

// Held by another thread, the clipboard cannot be opened, and what is not opened is not closed.
TEST(OpenedClipboardTest, ClipboardHeldElsewhereIsNotOpened) {
  HANDLE taken = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  std::thread holder([&] {
    const HWND window = MessageWindow();
    const BOOL opened = OpenClipboard(window);
    SetEvent(taken);
    WaitForSingleObject(done, INFINITE);
    if (opened) CloseClipboard();
    DestroyWindow(window);
  });
  WaitForSingleObject(taken, INFINITE);
  {
    const OpenedClipboard own;
    EXPECT_FALSE(own.open());
    const OpenedClipboard other(nullptr);
    EXPECT_FALSE(other.open());
  }
  // Still the other thread's.
  std::thread([] { EXPECT_FALSE(OpenClipboard(nullptr)); }).join();
  SetEvent(done);
  holder.join();
  CloseHandle(taken);
  CloseHandle(done);
}

}  // namespace
}  // namespace qv
