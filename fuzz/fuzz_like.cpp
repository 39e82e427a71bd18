// Checks Like against a plain table-driven matcher that reads the pattern on
// its own; the two must agree on every match and on every malformed pattern.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "kit/like.h"
#include "kit/vb_error.h"

namespace {

// One code unit per byte; the upper half lands on the Cyrillic block so that
// non-ASCII characters and ranges get exercised too.
std::wstring Widen(const std::uint8_t* data, std::size_t size) {
  std::wstring text;
  for (std::size_t i = 0; i < size; ++i) {
    const unsigned byte = data[i];
    text.push_back(static_cast<wchar_t>(byte < 0x80 ? byte : byte - 0x80 + 0x400));
  }
  return text;
}

// A run of any length, or one character that is (or, negated, is not) in
// list, which keeps the bracket text as written.
struct Element {
  bool star;
  bool negated;
  std::wstring list;
};

bool InList(std::wstring_view list, wchar_t c) {
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (i + 2 < list.size() && list[i + 1] == L'-') {
      if (list[i] <= c && c <= list[i + 2]) return true;
      i += 2;
    } else if (list[i] == c) {
      return true;
    }
  }
  return false;
}

// nullopt for a malformed pattern.
std::optional<std::vector<Element>> Parse(std::wstring_view pattern) {
  std::vector<Element> elements;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const wchar_t c = pattern[i];
    if (c == L'*') {
      elements.push_back({true, false, L""});
    } else if (c == L'?') {
      elements.push_back({false, true, L""});
    } else if (c == L'#') {
      elements.push_back({false, false, L"0-9"});
    } else if (c != L'[') {
      elements.push_back({false, false, std::wstring(1, c)});
    } else {
      const std::size_t close = pattern.find(L']', i);
      if (close == std::wstring_view::npos) return std::nullopt;
      std::wstring list(pattern.substr(i + 1, close - i - 1));
      i = close;
      if (list.empty()) continue;
      const bool negated = list.front() == L'!';
      if (negated) list.erase(0, 1);
      for (std::size_t k = 0; k + 2 < list.size(); ++k) {
        if (list[k + 1] != L'-') continue;
        if (list[k] > list[k + 2]) return std::nullopt;
        k += 2;
      }
      elements.push_back({false, negated, list});
    }
  }
  return elements;
}

// matches[t]: elements e.. match text t..; filled from the last element back.
bool ReferenceMatch(const std::vector<Element>& elements, std::wstring_view text) {
  const std::size_t n = text.size();
  std::vector<char> next(n + 1, 0);
  next[n] = 1;
  for (std::size_t e = elements.size(); e-- > 0;) {
    const Element& element = elements[e];
    std::vector<char> current(n + 1, 0);
    for (std::size_t t = n + 1; t-- > 0;) {
      if (element.star) {
        current[t] = next[t] || (t < n && current[t + 1]);
      } else {
        current[t] = t < n && InList(element.list, text[t]) != element.negated && next[t + 1];
      }
    }
    next.swap(current);
  }
  return next[0] != 0;
}

[[noreturn]] void Disagree(const char* what) {
  std::fprintf(stderr, "Like disagrees with the reference: %s\n", what);
  std::abort();
}

}  // namespace

// Input: pattern bytes, a 0x00 byte, text bytes.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::wstring input = Widen(data, size);
  const std::size_t split = input.find(L'\0');
  const std::wstring_view pattern = std::wstring_view(input).substr(0, split);
  const std::wstring_view text =
      split == std::wstring::npos ? std::wstring_view() : std::wstring_view(input).substr(split + 1);

  std::optional<bool> actual;
  try {
    actual = qv::Like(text, pattern);
  } catch (const qv::VbError& error) {
    if (error.number != 93) Disagree("unexpected error number");
  }
  const auto elements = Parse(pattern);
  if (actual.has_value() != elements.has_value()) Disagree("malformed pattern");
  if (actual && *actual != ReferenceMatch(*elements, text)) Disagree("match result");
  return 0;
}
