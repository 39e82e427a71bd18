// The registry fixture and the message-box watcher that every later test relies on.
#include <windows.h>

#include <gtest/gtest.h>

#include "sandbox/testing/message_box_watcher.h"
#include "sandbox/testing/registry_fixture.h"

namespace sbx::test {
namespace {

constexpr wchar_t kVelmora[] = L"Software\\Velmora";
constexpr wchar_t kVb6[] = L"Software\\Microsoft\\Visual Basic\\6.0";

TEST(RegistryFixtureTest, LeavesTheKeysAsItFoundThem) {
  // A value that was there before, in a key that stays.
  const DWORD one = 1;
  RegSetKeyValueW(HKEY_CURRENT_USER, kVb6, L"SandboxKept", REG_DWORD, &one, sizeof one);
  const RegistryFixture::Key vb6_before = RegistryFixture::Read(kVb6);
  const RegistryFixture::Key velmora_before = RegistryFixture::Read(kVelmora);
  {
    RegistryFixture fixture;
    const wchar_t text[] = L"x";
    RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\Velmora\\Quorvane\\VBA", L"TabWidth", REG_SZ, text, sizeof text);
    const DWORD two = 2;
    RegSetKeyValueW(HKEY_CURRENT_USER, kVb6, L"SandboxKept", REG_DWORD, &two, sizeof two);
    RegSetKeyValueW(HKEY_CURRENT_USER, kVb6, L"SDI", REG_SZ, L"1", 2 * sizeof(wchar_t));
    RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Visual Basic\\6.0\\Addins\\Fresh.Connect",
                    L"LoadBehavior", REG_DWORD, &two, sizeof two);
    EXPECT_FALSE(RegistryFixture::Read(kVb6) == vb6_before);
  }
  EXPECT_TRUE(RegistryFixture::Read(kVb6) == vb6_before);
  EXPECT_TRUE(RegistryFixture::Read(kVelmora) == velmora_before);
  RegDeleteKeyValueW(HKEY_CURRENT_USER, kVb6, L"SandboxKept");
}

// Shows a box on this thread; the watcher answers it before MessageBoxW returns.
int Show(const wchar_t* text, UINT style) { return MessageBoxW(nullptr, text, L"Quorvane", style); }

TEST(MessageBoxWatcherTest, AnswersFromTheScriptThenWithTheDefaultButton) {
  MessageBoxWatcher watcher;
  watcher.Answer(IDRETRY);
  watcher.Answer(IDYES);  // not on the next box: it gets its default button
  EXPECT_EQ(IDRETRY, Show(L"first", MB_ABORTRETRYIGNORE | MB_ICONHAND));
  EXPECT_EQ(IDCANCEL, Show(L"second", MB_OKCANCEL | MB_ICONEXCLAMATION | MB_DEFBUTTON2));
  EXPECT_EQ(IDOK, Show(L"third", MB_OK));
  ASSERT_EQ(3u, watcher.boxes().size());
  EXPECT_EQ(L"Quorvane", watcher.boxes()[0].caption);
  EXPECT_EQ(L"first", watcher.boxes()[0].text);
  EXPECT_EQ(static_cast<UINT>(MB_ABORTRETRYIGNORE | MB_ICONHAND), watcher.boxes()[0].style);
  EXPECT_EQ(static_cast<UINT>(MB_OKCANCEL | MB_ICONEXCLAMATION | MB_DEFBUTTON2), watcher.boxes()[1].style);
  EXPECT_EQ(IDCANCEL, watcher.boxes()[1].answer);
  EXPECT_EQ(static_cast<UINT>(MB_OK), watcher.boxes()[2].style);
}

}  // namespace
}  // namespace sbx::test
