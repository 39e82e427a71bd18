// LikePatterns and FindBlock against a plain reading of their definition: the
// list split at commas, both sides lower-cased, the text blank-trimmed, each
// piece matched in turn by a table over (text position, pattern position).
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "codetools/block_table.h"
#include "kit/case_fold.h"
#include "kit/vb_error.h"
#include "tests/codetools/format_properties.h"

namespace {

enum class Outcome { kNo, kYes, kMalformed };

// Where the pattern element at p ends, or npos when it is malformed.
std::size_t ElementEnd(std::wstring_view pattern, std::size_t p) {
  if (pattern[p] != L'[') return p + 1;
  const std::size_t close = pattern.find(L']', p + 1);
  if (close == std::wstring_view::npos) return close;
  std::wstring_view list = pattern.substr(p + 1, close - p - 1);
  if (!list.empty() && list[0] == L'!') list.remove_prefix(1);
  for (std::size_t i = 0; i + 2 < list.size(); ++i) {
    if (list[i + 1] == L'-') {
      if (list[i] > list[i + 2]) return std::wstring_view::npos;
      i += 2;
    }
  }
  return close + 1;
}

// Whether the element pattern[p, end) takes the character c; "[]" takes none.
bool Takes(std::wstring_view element, wchar_t c) {
  if (element == L"?") return true;
  if (element == L"#") return c >= L'0' && c <= L'9';
  if (element.size() == 1) return element[0] == c;
  std::wstring_view list = element.substr(1, element.size() - 2);
  const bool negated = !list.empty() && list[0] == L'!';
  if (negated) list.remove_prefix(1);
  bool in = false;
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (i + 2 < list.size() && list[i + 1] == L'-') {
      in = in || (list[i] <= c && c <= list[i + 2]);
      i += 2;
    } else {
      in = in || list[i] == c;
    }
  }
  return in != negated;
}

Outcome Match(std::wstring_view text, std::wstring_view pattern) {
  std::vector<std::size_t> ends(pattern.size() + 1, 0);
  for (std::size_t p = 0; p < pattern.size(); p = ends[p]) {
    ends[p] = ElementEnd(pattern, p);
    if (ends[p] == std::wstring_view::npos) return Outcome::kMalformed;
  }
  // rest[p][t]: pattern from p matches text from t; p runs over element starts, last first.
  const std::size_t width = text.size() + 1;
  std::vector<char> rest((pattern.size() + 1) * width, 0);
  rest[pattern.size() * width + text.size()] = 1;
  std::vector<std::size_t> starts;
  for (std::size_t p = 0; p < pattern.size(); p = ends[p]) starts.push_back(p);
  for (auto it = starts.rbegin(); it != starts.rend(); ++it) {
    const std::size_t p = *it;
    const std::wstring_view element = pattern.substr(p, ends[p] - p);
    for (std::size_t t = width; t-- > 0;) {
      char& cell = rest[p * width + t];
      const char* next = &rest[ends[p] * width];
      if (element == L"*") {
        cell = next[t] || (t < text.size() && rest[p * width + t + 1]);
      } else if (element == L"[]") {
        cell = next[t];
      } else {
        cell = t < text.size() && Takes(element, text[t]) && next[t + 1];
      }
    }
  }
  return rest[0] ? Outcome::kYes : Outcome::kNo;
}

Outcome Reference(std::wstring_view text, std::wstring_view patterns) {
  if (patterns.empty()) return Outcome::kNo;
  const std::size_t first = text.find_first_not_of(L' ');
  text = first == std::wstring_view::npos ? std::wstring_view()
                                          : text.substr(first, text.find_last_not_of(L' ') + 1 - first);
  const std::wstring folded = qv::FoldCase(text);
  for (std::size_t start = 0;;) {
    const std::size_t comma = std::min(patterns.find(L',', start), patterns.size());
    const Outcome outcome = Match(folded, qv::FoldCase(patterns.substr(start, comma - start)));
    if (outcome != Outcome::kNo || comma == patterns.size()) return outcome;
    start = comma + 1;
  }
}

[[noreturn]] void Disagree(const char* what) {
  std::fprintf(stderr, "LikePatterns disagrees with the reference: %s\n", what);
  std::abort();
}

}  // namespace

// Input: patterns, a 0x00 byte, text.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::wstring input = qv::test::DecodeAnsi(std::string_view(reinterpret_cast<const char*>(data), size));
  const std::size_t split = input.find(L'\0');
  const std::wstring_view patterns = std::wstring_view(input).substr(0, split);
  const std::wstring_view text =
      split == std::wstring::npos ? std::wstring_view() : std::wstring_view(input).substr(split + 1);

  Outcome actual;
  try {
    actual = qv::LikePatterns(text, patterns) ? Outcome::kYes : Outcome::kNo;
  } catch (const qv::VbError& error) {
    if (error.number != 93) Disagree("error number");
    actual = Outcome::kMalformed;
  }
  if (actual != Reference(text, patterns)) Disagree("match");

  // FindBlock's dispatch on the first character against every cell in turn.
  const qv::BlockTable& table = qv::GetBlockTable();
  bool matches[qv::BlockTable::kRows][3];
  for (int row = 0; row < qv::BlockTable::kRows; ++row) {
    for (int column = 0; column < 3; ++column)
      matches[row][column] = Reference(text, table.Cell(row, column)) == Outcome::kYes;
  }
  for (int mode = -1; mode <= 2; ++mode) {
    const bool admitted[] = {mode >= 0, mode <= 0, mode <= 1};
    int expected_row = -1;
    int expected_kind = 0;
    for (int row = 0; row < qv::BlockTable::kRows && expected_row < 0; ++row) {
      for (int column = 0; column < 3 && expected_row < 0; ++column) {
        if (admitted[column] && matches[row][column]) {
          expected_row = row;
          expected_kind = column + 1;
        }
      }
    }
    int kind = 0;
    const int row = qv::FindBlock(text, mode, kind);
    if (row != expected_row || (row >= 0 && kind != expected_kind)) Disagree("FindBlock");
  }
  return 0;
}
