#include "win/host_settings.h"

#include <gtest/gtest.h>

#include <optional>

#include "kit/vb_error.h"
#include "tests/win/win_test_support.h"
#include "win/registry.h"

namespace qv {
namespace {

// The main loop, the options dialog and loading all take the host's tab width from here.
TEST(HostSettingsTest, TheTabWidthIsTheNumberTheHostsValueStartsWith) {
  const struct {
    std::optional<const wchar_t*> stored;
    std::int32_t width;
  } cases[] = {{std::nullopt, 4}, {L"", 4}, {L"8", 8}, {L" 2", 2}, {L"3 spaces", 3}, {L"2.5", 2}, {L"x", 0}};
  for (const auto& c : cases) {
    test::ScratchKey key;
    if (c.stored) SetRegValue(HKEY_CURRENT_USER, key.path(), L"TabWidth", *c.stored);
    EXPECT_EQ(c.width, HostTabWidth(key.path())) << (c.stored ? *c.stored : L"(none)");
  }
  test::ScratchKey key;
  SetRegValue(HKEY_CURRENT_USER, key.path(), L"TabWidth", L"99999999999");
  EXPECT_THROW(HostTabWidth(key.path()), VbError);
}

TEST(HostSettingsTest, TheWheelLinesAreTheSystems) {
  UINT before = 0;
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &before, 0));
  for (const UINT lines : {7u, 1u}) {
    ASSERT_TRUE(SystemParametersInfoW(SPI_SETWHEELSCROLLLINES, lines, nullptr, 0));
    EXPECT_EQ(static_cast<long>(lines), WheelScrollLines());
  }
  SystemParametersInfoW(SPI_SETWHEELSCROLLLINES, before, nullptr, 0);
}

}  // namespace
}  // namespace qv
