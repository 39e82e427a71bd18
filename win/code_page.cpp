#include "win/code_page.h"

namespace qv {
namespace {

std::string Convert(UINT code_page, DWORD flags, std::wstring_view text, BOOL* replaced) {
  const int size = static_cast<int>(text.size());
  const int length = WideCharToMultiByte(code_page, flags, text.data(), size, nullptr, 0, nullptr, replaced);
  std::string bytes(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
  WideCharToMultiByte(code_page, flags, text.data(), size, bytes.data(), length, nullptr, replaced);
  return bytes;
}

}  // namespace

std::string NarrowText(UINT code_page, std::wstring_view text) { return Convert(code_page, 0, text, nullptr); }

std::optional<std::string> ExactNarrowText(UINT code_page, std::wstring_view text) {
  BOOL replaced = FALSE;
  std::string bytes = Convert(code_page, WC_NO_BEST_FIT_CHARS, text, &replaced);
  if (replaced || (bytes.empty() && !text.empty())) return std::nullopt;
  return bytes;
}

}  // namespace qv
