#include "kit/wheel_steps.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace qv {

long WheelNotches(std::uint32_t wparam) {
  const double turn = static_cast<double>(static_cast<std::int32_t>(wparam)) / 65536.0 / 120.0;
  // The default rounding mode takes halves to the even neighbour.
  return std::lrint(turn);
}

bool TurnedTowardsUser(std::uint32_t wparam) { return static_cast<std::int32_t>(wparam) < 0; }

long LinesPerNotch(long scroll_height, const std::function<long()>& page_lines) {
  const long lines = scroll_height < 0 ? page_lines() : scroll_height;
  return std::clamp(lines, 1L, kMaxLinesPerNotch);
}

long NextTopLine(long top_line, bool towards_user, long lines) {
  return std::max(1L, top_line + (towards_user ? lines : -lines));
}

long LineScrolls(long notches, long lines) {
  return static_cast<long>(
      std::min(static_cast<long long>(std::labs(notches)) * lines, static_cast<long long>(kMaxPostsPerBar)));
}

}  // namespace qv
