#include "kit/line_breaks.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qv {
namespace {

TEST(SplitLines, BreaksAtCrLfLoneCrAndLoneLf) {
  const struct {
    std::wstring text;
    std::vector<std::wstring_view> lines;
  } cases[] = {
      {L"", {L""}},
      {L"a", {L"a"}},
      {L"a\r\nb", {L"a", L"b"}},
      {L"a\rb\nc", {L"a", L"b", L"c"}},
      {L"a\r\n", {L"a", L""}},
      {L"\r\n", {L"", L""}},
      {L"\n\r", {L"", L"", L""}},  // LF CR is two breaks
      {L"a\r\r\nb", {L"a", L"", L"b"}},
      {L"a\n\nb", {L"a", L"", L"b"}},
      {std::wstring(L"a\0b\r\n\0", 6), {std::wstring_view(L"a\0b", 3), std::wstring_view(L"\0", 1)}},
      {L" x \t", {L" x \t"}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SplitLines(c.text), c.lines) << testing::PrintToString(c.text);
  }
}

}  // namespace
}  // namespace qv
