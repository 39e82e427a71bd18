#include "kit/wheel_steps.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace qv {
namespace {

// The WPARAM's low 32 bits for a delta and the key flags of the low word.
std::uint32_t Wheel(int delta, std::uint16_t keys = 0) {
  return (static_cast<std::uint32_t>(static_cast<std::uint16_t>(static_cast<std::int16_t>(delta))) << 16) | keys;
}

TEST(WheelStepsTest, NotchesRoundHalvesToEvenWithTheKeyFlagsTakingPart) {
  const struct {
    int delta;
    std::uint16_t keys;
    long notches;
  } cases[] = {
      {120, 0, 1},    {-120, 0, -1},  {240, 0, 2},     {-240, 0, -2},  {60, 0, 0},      {-60, 0, 0},
      {180, 0, 2},    {300, 0, 2},    {420, 0, 4},     {-180, 0, -2},  {-300, 0, -2},   {61, 0, 1},
      {59, 0, 0},     {120, 0x8, 1},  {-120, 0x4, -1}, {60, 0x1, 1},   {-60, 0x1, 0},   {0, 0xFFFF, 0},
      {32767, 0, 273}, {-32768, 0, -273},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.notches, WheelNotches(Wheel(c.delta, c.keys))) << c.delta << " with keys " << c.keys;
  }
}

TEST(WheelStepsTest, TheDirectionIsTheSignOfTheLow32Bits) {
  EXPECT_TRUE(TurnedTowardsUser(Wheel(-120)));
  EXPECT_TRUE(TurnedTowardsUser(Wheel(-1)));
  EXPECT_FALSE(TurnedTowardsUser(Wheel(120)));
  EXPECT_FALSE(TurnedTowardsUser(Wheel(0, 0xFFFF)));
}

TEST(WheelStepsTest, LinesPerNotchStayInRangeAndOnePageAsksForThePage) {
  const struct {
    long scroll_height;
    long page;
    long lines;
  } cases[] = {
      {3, 40, 3}, {1, 40, 1}, {0, 40, 1}, {100, 40, 100}, {101, 40, 100}, {1000000, 40, 100},
      {-1, 40, 40}, {-1, 0, 1}, {-1, 250, 100}, {-5, 7, 7},
  };
  for (const auto& c : cases) {
    bool asked = false;
    EXPECT_EQ(c.lines, LinesPerNotch(c.scroll_height, [&] {
                asked = true;
                return c.page;
              })) << c.scroll_height << " with a page of " << c.page;
    EXPECT_EQ(c.scroll_height < 0, asked) << c.scroll_height;
  }
}

TEST(WheelStepsTest, TheTopLineMovesByTheLinesAndStopsAtLineOne) {
  const struct {
    long top;
    bool towards_user;
    long lines;
    long next;
  } cases[] = {
      {2, false, 3, 1}, {4, false, 3, 1}, {5, false, 3, 2}, {1, false, 1, 1}, {1, true, 3, 4}, {10, true, 100, 110},
  };
  for (const auto& c : cases) EXPECT_EQ(c.next, NextTopLine(c.top, c.towards_user, c.lines)) << c.top;
}

TEST(WheelStepsTest, LineScrollsPerBarAreCapped) {
  const struct {
    long notches;
    long lines;
    long posts;
  } cases[] = {
      {0, 3, 0}, {1, 3, 3}, {-2, 3, 6}, {2, 100, 200}, {273, 100, 500}, {-273, 100, 500}, {5, 100, 500},
  };
  for (const auto& c : cases) EXPECT_EQ(c.posts, LineScrolls(c.notches, c.lines)) << c.notches << " x " << c.lines;
}

}  // namespace
}  // namespace qv
