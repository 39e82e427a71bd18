#pragma once
// A dialog of this process as the user sees it: found by its caption among the top-level windows.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qv::test {

inline constexpr wchar_t kAboutCaption[] = L"О программе Quorvane";
inline constexpr wchar_t kProcsCaption[] = L"Функции и процедуры";
inline constexpr wchar_t kOptionsCaption[] = L"Настройки Quorvane";

struct DialogSearch {
  const wchar_t* caption;
  std::vector<HWND> found;
};

inline BOOL CALLBACK TakeDialog(HWND window, LPARAM param) {
  auto& search = *reinterpret_cast<DialogSearch*>(param);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  wchar_t text[64] = {};
  wchar_t kind[16] = {};
  GetWindowTextW(window, text, 64);
  GetClassNameW(window, kind, 16);
  if (process == GetCurrentProcessId() && std::wstring(kind) == L"#32770" && std::wstring(text) == search.caption) {
    search.found.push_back(window);
  }
  return TRUE;
}

// The open dialog of that caption; null when there is none, and a failure when there are two.
inline HWND OpenDialog(const wchar_t* caption) {
  DialogSearch search{caption, {}};
  EnumWindows(TakeDialog, reinterpret_cast<LPARAM>(&search));
  EXPECT_LE(search.found.size(), 1u) << "one at a time";
  return search.found.empty() ? nullptr : search.found.front();
}

}  // namespace qv::test
