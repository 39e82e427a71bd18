#include "kit/vb_strings.h"

#include "kit/vb_error.h"

namespace qv {
namespace {

constexpr auto npos = std::wstring_view::npos;

std::wstring_view WithoutLeadingBlanks(std::wstring_view text) { return text.substr(LeadingBlanks(text)); }

std::wstring_view WithoutTrailingBlanks(std::wstring_view text) {
  return text.substr(0, text.find_last_not_of(L' ') + 1);  // npos + 1 is 0
}

}  // namespace

std::wstring TrimBlanks(std::wstring_view text) {
  return std::wstring(WithoutLeadingBlanks(WithoutTrailingBlanks(text)));
}
std::wstring LTrimBlanks(std::wstring_view text) { return std::wstring(WithoutLeadingBlanks(text)); }
std::wstring RTrimBlanks(std::wstring_view text) { return std::wstring(WithoutTrailingBlanks(text)); }

std::size_t LeadingBlanks(std::wstring_view text) noexcept {
  const std::size_t first = text.find_first_not_of(L' ');
  return first == npos ? text.size() : first;
}

bool StartsWith(std::wstring_view text, std::wstring_view prefix) noexcept { return text.starts_with(prefix); }
bool EndsWith(std::wstring_view text, std::wstring_view suffix) noexcept { return text.ends_with(suffix); }

std::wstring GetTextLine(std::wstring_view text, long n) {
  if (text.empty()) return {};
  if (n < 1) throw InvalidCallError();
  const std::wstring_view separator = text.find(L"\r\n") != npos ? L"\r\n" : L"\r ";
  std::size_t start = 0;
  for (long line = 1; line < n; ++line) {
    const std::size_t at = text.find(separator, start);
    if (at == npos) return {};
    start = at + separator.size();
  }
  const std::size_t end = text.find(separator, start);
  return std::wstring(text.substr(start, end == npos ? npos : end - start));
}

std::wstring GetDirectory(std::wstring_view path) {
  const std::size_t slash = path.rfind(L'\\');
  return slash == npos ? std::wstring() : std::wstring(path.substr(0, slash));
}

}  // namespace qv
