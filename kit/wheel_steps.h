#pragma once
// The arithmetic of one mouse-wheel message: how far it turns the wheel, how many lines a notch
// moves, where a code pane's first visible line goes and how many line messages a scroll bar gets.
#include <cstdint>
#include <functional>

namespace qv {

// More lines per notch, or line messages per bar and wheel message, would flood the message queue.
constexpr long kMaxLinesPerNotch = 100;
constexpr long kMaxPostsPerBar = 500;

// Notches of the message whose WPARAM has these low 32 bits: the signed value / 65536 / 120, to the
// nearest whole number, halves to even (the key flags of the low word take part). Positive: the
// wheel was turned away from the user.
long WheelNotches(std::uint32_t wparam);
// The wheel was turned towards the user: the content moves up, the first visible line down.
bool TurnedTowardsUser(std::uint32_t wparam);

// Lines per notch from the ScrollHeight setting: 1 to kMaxLinesPerNotch; a negative value is the
// system's "one page", which moves the lines `page_lines` gives (asked only then).
long LinesPerNotch(long scroll_height, const std::function<long()>& page_lines);

// The first visible line after one wheel message: `lines` further, never above line 1.
long NextTopLine(long top_line, bool towards_user, long lines);

// Line messages for one scroll bar: |notches| x lines, at most kMaxPostsPerBar.
long LineScrolls(long notches, long lines);

}  // namespace qv
