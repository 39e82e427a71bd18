#pragma once
// The line numbers a statement jumps to, so that renumbering can follow them.
#include <cstddef>
#include <string_view>
#include <vector>

namespace qv {

struct TextSpan {
  std::size_t position = 0;
  std::size_t length = 0;
};

// The numeric targets in a logical line's code text (strings blanked, comment cut), left to right:
// after GoTo and GoSub (with the lists of On ... GoTo and On ... GoSub), Resume, and a one-line If's
// Then and Else. "On Error GoTo 0" and "Resume 0" name no line.
std::vector<TextSpan> FindJumpTargets(std::wstring_view code_text);

}  // namespace qv
