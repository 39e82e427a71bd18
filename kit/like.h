#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace qv {

// A pattern of the edited language's Like operator (Option Compare Binary),
// parsed once so that it can be matched against many texts.
// Throws VbError 93 when the pattern is malformed.
class LikePattern {
 public:
  explicit LikePattern(std::wstring_view pattern);
  bool Matches(std::wstring_view text) const;

 private:
  struct Range {
    wchar_t first;
    wchar_t last;
  };
  // Either a run of any length, or exactly one character in (or, when
  // negated, not in) the ranges.
  struct Token {
    bool anyRun = false;
    bool negated = false;
    std::vector<Range> ranges;
    bool Accepts(wchar_t c) const;
  };

  std::size_t ParseList(std::wstring_view pattern, std::size_t start);

  std::vector<Token> tokens_;
};

bool Like(std::wstring_view text, std::wstring_view pattern);

}  // namespace qv
