#include "win/clipboard_text.h"

#include <windows.h>

#include <cstring>

#include "kit/vb_error.h"
#include "win/clipboard.h"
#include "win/code_page.h"

namespace qv {
namespace {

// What this thread's open clipboard holds as text.
std::optional<std::wstring> TextOnClipboard() {
  const HANDLE data = GetClipboardData(CF_UNICODETEXT);
  const auto* locked = data ? static_cast<const wchar_t*>(GlobalLock(data)) : nullptr;
  if (!locked) return std::nullopt;
  std::wstring text(locked);
  GlobalUnlock(data);
  return text;
}

bool Put(UINT format, const void* data, size_t bytes) {
  const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (!memory) return false;
  std::memcpy(GlobalLock(memory), data, bytes);
  GlobalUnlock(memory);
  if (SetClipboardData(format, memory)) return true;
  GlobalFree(memory);
  return false;
}

// This thread's open clipboard holds `text` alone, or nothing for nullopt.
bool ReplaceOnClipboard(const std::optional<std::wstring>& text) {
  if (!EmptyClipboard()) return false;
  if (!text) return true;
  const int size = static_cast<int>(text->size()) + 1;  // with the terminating NUL
  const std::string ansi = NarrowText(CP_ACP, std::wstring_view(text->c_str(), static_cast<size_t>(size)));
  return Put(CF_UNICODETEXT, text->c_str(), static_cast<size_t>(size) * sizeof(wchar_t)) &&
         Put(CF_TEXT, ansi.data(), ansi.size());
}

VbError ClipboardError() { return VbError(521, L"Не удается открыть буфер обмена"); }

}  // namespace

std::optional<std::wstring> ClipboardText() {
  const OpenedClipboard clipboard;
  return clipboard.open() ? TextOnClipboard() : std::nullopt;
}

bool SetClipboardText(const std::optional<std::wstring>& text) {
  const OpenedClipboard clipboard;
  return clipboard.open() && ReplaceOnClipboard(text);
}

ClipboardLoan::ClipboardLoan(const std::wstring& text) {
  const OpenedClipboard clipboard;
  if (!clipboard.open()) throw ClipboardError();
  users_text_ = TextOnClipboard();
  if (!ReplaceOnClipboard(text)) {
    ReplaceOnClipboard(users_text_);
    throw ClipboardError();
  }
}

}  // namespace qv
