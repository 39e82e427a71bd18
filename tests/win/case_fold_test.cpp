// Keys compare without regard to case as the system's own upper-casing has it, for every character
// of the users' code page 1251.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "kit/case_fold.h"

namespace qv {
namespace {

TEST(CaseFoldTest, EveryCharacterOfCodePage1251FoldsAsTheSystemUpperCasesIt) {
  std::vector<wchar_t> characters;
  for (int byte = 1; byte < 256; ++byte) {
    const char ansi = static_cast<char>(byte);
    wchar_t wide = 0;
    if (MultiByteToWideChar(1251, MB_ERR_INVALID_CHARS, &ansi, 1, &wide, 1) == 1) characters.push_back(wide);
  }
  ASSERT_GT(characters.size(), 250u);
  const auto upper = [](wchar_t c) {
    CharUpperBuffW(&c, 1);
    return c;
  };
  for (const wchar_t a : characters) {
    for (const wchar_t b : characters) {
      EXPECT_EQ(upper(a) == upper(b), EqualsNoCase(std::wstring(1, a), std::wstring(1, b)))
          << std::hex << static_cast<unsigned>(a) << " " << static_cast<unsigned>(b);
    }
  }
}

}  // namespace
}  // namespace qv
