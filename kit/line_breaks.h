#pragma once
// Text broken into lines as the hosts break it: at CR LF, a lone CR and a lone LF.
#include <string_view>
#include <vector>

namespace qv {

// The lines of `text` without their breaks. A break at the end opens one last, empty line, and ""
// is one empty line.
std::vector<std::wstring_view> SplitLines(std::wstring_view text);

}  // namespace qv
