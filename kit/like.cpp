#include "kit/like.h"

#include <algorithm>
#include <utility>

#include "kit/vb_error.h"

namespace qv {

LikePattern::LikePattern(std::wstring_view pattern) {
  for (std::size_t i = 0; i < pattern.size();) {
    const wchar_t c = pattern[i++];
    switch (c) {
      case L'*':
        // A run of stars is one star; keeping one keeps the matcher linear in tokens.
        if (tokens_.empty() || !tokens_.back().anyRun) tokens_.push_back({true, false, {}});
        break;
      case L'?':
        tokens_.push_back({false, true, {}});
        break;
      case L'#':
        tokens_.push_back({false, false, {{L'0', L'9'}}});
        break;
      case L'[':
        i = ParseList(pattern, i);
        break;
      default:
        tokens_.push_back({false, false, {{c, c}}});
        break;
    }
  }
}

// Parses the list after '[' at start; returns the position after its ']'.
std::size_t LikePattern::ParseList(std::wstring_view pattern, std::size_t start) {
  const std::size_t close = pattern.find(L']', start);
  if (close == std::wstring_view::npos) throw PatternError();
  std::wstring_view list = pattern.substr(start, close - start);
  if (list.empty()) return close + 1;  // "[]" stands for no character at all
  Token token;
  if (list.front() == L'!') {
    token.negated = true;
    list.remove_prefix(1);
  }
  for (std::size_t i = 0; i < list.size();) {
    // '-' makes a range only between two characters; first or last it is itself.
    if (i + 2 < list.size() && list[i + 1] == L'-') {
      if (list[i] > list[i + 2]) throw PatternError();
      token.ranges.push_back({list[i], list[i + 2]});
      i += 3;
    } else {
      token.ranges.push_back({list[i], list[i]});
      ++i;
    }
  }
  tokens_.push_back(std::move(token));
  return close + 1;
}

bool LikePattern::Token::Accepts(wchar_t c) const {
  const bool listed =
      std::any_of(ranges.begin(), ranges.end(), [c](const Range& r) { return r.first <= c && c <= r.last; });
  return listed != negated;
}

// Every token but a run takes exactly one character, so on a mismatch it is
// enough to let the latest run take one more character: O(text * tokens).
bool LikePattern::Matches(std::wstring_view text) const {
  constexpr std::size_t none = static_cast<std::size_t>(-1);
  std::size_t t = 0;
  std::size_t p = 0;
  std::size_t afterRun = none;  // token after the latest run
  std::size_t runEnd = 0;       // text the latest run has taken so far
  while (t < text.size()) {
    if (p < tokens_.size() && tokens_[p].anyRun) {
      afterRun = ++p;
      runEnd = t;
    } else if (p < tokens_.size() && tokens_[p].Accepts(text[t])) {
      ++p;
      ++t;
    } else if (afterRun != none) {
      p = afterRun;
      t = ++runEnd;
    } else {
      return false;
    }
  }
  return p == tokens_.size() || (p + 1 == tokens_.size() && tokens_[p].anyRun);
}

bool Like(std::wstring_view text, std::wstring_view pattern) { return LikePattern(pattern).Matches(text); }

}  // namespace qv
