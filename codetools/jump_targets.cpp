#include "codetools/jump_targets.h"

#include "kit/case_fold.h"

namespace qv {
namespace {

using namespace std::literals;

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

  // The next word, with the scanner after it; empty at the end. Member names after "." are passed
  // over, as are numbers and operators.
  std::wstring_view NextWord() {
    while (at_ < code_.size()) {
      if (!IsWordChar(code_[at_])) {
        ++at_;
        continue;
      }
      const std::size_t start = at_;
      while (at_ < code_.size() && IsWordChar(code_[at_])) ++at_;
      if (start > 0 && code_[start - 1] == L'.') continue;
      return code_.substr(start, at_ - start);
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
  std::wstring_view before_last;
  std::wstring_view last;
  for (std::wstring_view word = scan.NextWord(); !word.empty(); word = scan.NextWord()) {
    const std::size_t after = scan.at();
    const bool go_to = EqualsNoCase(word, L"GoTo"sv);
    const bool list = go_to || EqualsNoCase(word, L"GoSub"sv);
    // "On Error GoTo 0" and "Resume 0" switch handling off or resume where the error was.
    const bool zero_is_special = EqualsNoCase(word, L"Resume"sv) ||
                                 (go_to && EqualsNoCase(before_last, L"On"sv) && EqualsNoCase(last, L"Error"sv));
    if (list || zero_is_special || EqualsNoCase(word, L"Then"sv) || EqualsNoCase(word, L"Else"sv)) {
      do {
        scan.SkipGaps();
        const TextSpan span = scan.Number();
        if (span.length == 0) break;
        if (!zero_is_special || !IsZero(code_text.substr(span.position, span.length))) targets.push_back(span);
        scan.SkipGaps();
      } while (list && scan.Take(L','));
      scan.Restart(after);
    }
    before_last = last;
    last = word;
  }
  return targets;
}

}  // namespace qv
