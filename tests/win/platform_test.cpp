// What the add-in relies on from the platform: the users' code page, a fast timer,
// the clipboard in both text forms, and synthesised keys reaching a focused edit control.
#include "tests/win/win_test_support.h"

#include <gtest/gtest.h>

#include <string>

namespace qv {
namespace {

TEST(PlatformTest, CodePagesAreTheUsers) {
  EXPECT_EQ(1251u, GetACP());
  EXPECT_EQ(866u, GetOEMCP());
}

int g_ticks = 0;
void CALLBACK CountTick(HWND, UINT, UINT_PTR, DWORD) { ++g_ticks; }

// The system raises any period below USER_TIMER_MINIMUM (10 ms) to it, so a 1 ms timer can tick
// 100 times a second at the very most; the main loop may count on nearly that, never on more.
TEST(PlatformTest, OneMillisecondTimerTicksAtTheSystemsShortestPeriod) {
  g_ticks = 0;
  const UINT_PTR timer = SetTimer(nullptr, 0, 1, CountTick);
  ASSERT_NE(0u, timer);
  test::PumpFor(1000);
  KillTimer(nullptr, timer);
  EXPECT_GE(g_ticks, 90);
  EXPECT_LE(g_ticks, 101);
}

class ClipboardTest : public ::testing::Test {
 protected:
  void SetUp() override {
    owner_ = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, owner_);
  }
  void TearDown() override { DestroyWindow(owner_); }

  void Put(UINT format, const void* data, size_t bytes) {
    ASSERT_TRUE(OpenClipboard(owner_));
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    memcpy(GlobalLock(memory), data, bytes);
    GlobalUnlock(memory);
    EXPECT_NE(nullptr, SetClipboardData(format, memory));
    CloseClipboard();
  }
  std::string GetBytes(UINT format) {
    if (!OpenClipboard(owner_)) return "<not opened>";
    std::string bytes;
    if (HANDLE data = GetClipboardData(format)) {
      bytes.assign(static_cast<const char*>(GlobalLock(data)), GlobalSize(data));
      GlobalUnlock(data);
    }
    CloseClipboard();
    return bytes.substr(0, format == CF_UNICODETEXT ? bytes.size() : bytes.find('\0'));
  }
  std::wstring GetWide() {
    const std::string bytes = GetBytes(CF_UNICODETEXT);
    std::wstring text(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
    return text.substr(0, text.find(L'\0'));
  }

  HWND owner_ = nullptr;
};

// "Код: Привет" in code page 1251.
const char kAnsi[] = "\xCA\xEE\xE4: \xCF\xF0\xE8\xE2\xE5\xF2";
const wchar_t kWide[] = L"Код: Привет";

TEST_F(ClipboardTest, UnicodeTextIsReadBackAsAnsiText) {
  Put(CF_UNICODETEXT, kWide, sizeof kWide);
  EXPECT_EQ(kWide, GetWide());
  EXPECT_EQ(kAnsi, GetBytes(CF_TEXT));
}

TEST_F(ClipboardTest, AnsiTextIsReadBackAsUnicodeText) {
  Put(CF_TEXT, kAnsi, sizeof kAnsi);
  EXPECT_EQ(kAnsi, GetBytes(CF_TEXT));
  EXPECT_EQ(kWide, GetWide());
}

TEST_F(ClipboardTest, ShiftInsertPastesIntoTheFocusedEditControl) {
  Put(CF_UNICODETEXT, kWide, sizeof kWide);
  HWND frame = CreateWindowExW(0, L"STATIC", L"Paste", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300, 100, nullptr,
                               nullptr, nullptr, nullptr);
  HWND edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 0, 0, 280, 30, frame, nullptr, nullptr, nullptr);
  ASSERT_NE(nullptr, edit);
  SetForegroundWindow(frame);
  SetFocus(edit);
  test::PumpFor(100);
  ASSERT_EQ(edit, GetFocus());

  INPUT keys[4] = {};
  const WORD order[4][2] = {{VK_SHIFT, 0}, {VK_INSERT, 0}, {VK_INSERT, KEYEVENTF_KEYUP}, {VK_SHIFT, KEYEVENTF_KEYUP}};
  for (int i = 0; i < 4; ++i) {
    keys[i].type = INPUT_KEYBOARD;
    keys[i].ki.wVk = order[i][0];
    keys[i].ki.dwFlags = order[i][1] | (order[i][0] == VK_INSERT ? KEYEVENTF_EXTENDEDKEY : 0u);
  }
  ASSERT_EQ(4u, SendInput(4, keys, sizeof(INPUT)));
  const bool pasted = test::PumpUntil(5000, [&] {
    wchar_t text[64] = {};
    GetWindowTextW(edit, text, 64);
    return std::wstring(text) == kWide;
  });
  DestroyWindow(frame);
  EXPECT_TRUE(pasted);
}

}  // namespace
}  // namespace qv
