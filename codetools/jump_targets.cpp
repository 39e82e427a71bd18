#include "codetools/jump_targets.h"

#include <string>

#include "kit/case_fold.h"

namespace qv {
namespace {

bool IsWordChar(wchar_t c) {
  return c == L'_' || (c >= L'0' && c <= L'9') || (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z') || c >= 0x80;
}

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

class Scanner {
 public:
  explicit Scanner(std::wstring_view code) : code_(code) {}

  // Blanks, TABs and the " _" CR " " that joins a continued line.
  void SkipGaps() {
    while (at_ < code_.size()) {
      const wchar_t c = code_[at_];
      if (c == L' ' || c == L'\t' || c == L'\r' || (c == L'_' && at_ + 1 < code_.size() && code_[at_ + 1] == L'\r')) {
        ++at_;
      } else {
        return;
      }
    }
  }

  // A line number standing here as a whole word; its span, or an empty one.
  TextSpan Number() {
    TextSpan span{at_, 0};
    std::size_t end = at_;
    while (end < code_.size() && IsDigit(code_[end])) ++end;
    if (end == at_ || (end < code_.size() && (IsWordChar(code_[end]) || code_[end] == L'.'))) return span;
    span.length = end - at_;
    at_ = end;
    return span;
  }

  bool Take(wchar_t c) {
    if (at_ >= code_.size() || code_[at_] != c) return false;
    ++at_;
    return true;
  }

  // The next word, folded, with the scanner after it; "" at the end. Member names after "." are
  // passed over, as are numbers and operators.
  std::wstring NextKeyword() {
    while (at_ < code_.size()) {
      if (!IsWordChar(code_[at_])) {
        ++at_;
        continue;
      }
      const std::size_t start = at_;
      while (at_ < code_.size() && IsWordChar(code_[at_])) ++at_;
      if (start > 0 && code_[start - 1] == L'.') continue;
      return FoldCase(code_.substr(start, at_ - start));
    }
    return {};
  }

  void Restart(std::size_t at) { at_ = at; }
  std::size_t at() const { return at_; }

 private:
  std::wstring_view code_;
  std::size_t at_ = 0;
};

bool IsZero(std::wstring_view digits) { return digits.find_first_not_of(L'0') == std::wstring_view::npos; }

}  // namespace

std::vector<TextSpan> FindJumpTargets(std::wstring_view code_text) {
  std::vector<TextSpan> targets;
  Scanner scan(code_text);
  std::wstring before_last;
  std::wstring last;
  for (std::wstring word = scan.NextKeyword(); !word.empty(); word = scan.NextKeyword()) {
    const std::size_t after = scan.at();
    const bool list = word == L"goto" || word == L"gosub";
    // "On Error GoTo 0" and "Resume 0" switch handling off or resume where the error was.
    const bool zero_is_special = word == L"resume" || (word == L"goto" && before_last == L"on" && last == L"error");
    if (list || zero_is_special || word == L"then" || word == L"else") {
      do {
        scan.SkipGaps();
        const TextSpan span = scan.Number();
        if (span.length == 0) break;
        if (!zero_is_special || !IsZero(code_text.substr(span.position, span.length))) targets.push_back(span);
        scan.SkipGaps();
      } while (list && scan.Take(L','));
      scan.Restart(after);
    }
    before_last = std::move(last);
    last = std::move(word);
  }
  return targets;
}

}  // namespace qv
