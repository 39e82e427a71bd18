#include "addin/clipboard_text.h"

#include <windows.h>

#include <cstring>

#include "kit/vb_error.h"

namespace qv {
namespace {

// Another program (a clipboard viewer) may hold the clipboard for a moment.
constexpr int kOpenAttempts = 5;
constexpr DWORD kOpenRetryMs = 10;

// The clipboard opened by this thread. What it puts there is owned by a window of its own, so the
// host never takes our text for something it copied itself.
class OpenedClipboard {
 public:
  OpenedClipboard()
      : owner_(CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr)) {
    for (int attempt = 0; owner_ && !open_ && attempt < kOpenAttempts; ++attempt) {
      open_ = OpenClipboard(owner_) != FALSE;
      if (!open_) Sleep(kOpenRetryMs);
    }
  }
  OpenedClipboard(const OpenedClipboard&) = delete;
  OpenedClipboard& operator=(const OpenedClipboard&) = delete;
  ~OpenedClipboard() {
    if (open_) CloseClipboard();
    if (owner_) DestroyWindow(owner_);
  }

  bool open() const { return open_; }

  std::optional<std::wstring> Text() const {
    const HANDLE data = GetClipboardData(CF_UNICODETEXT);
    const auto* locked = data ? static_cast<const wchar_t*>(GlobalLock(data)) : nullptr;
    if (!locked) return std::nullopt;
    std::wstring text(locked);
    GlobalUnlock(data);
    return text;
  }

  bool Replace(const std::optional<std::wstring>& text) {
    if (!EmptyClipboard()) return false;
    if (!text) return true;
    const int size = static_cast<int>(text->size()) + 1;  // with the terminating NUL
    const int ansi_size = WideCharToMultiByte(CP_ACP, 0, text->c_str(), size, nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<size_t>(ansi_size), '\0');
    WideCharToMultiByte(CP_ACP, 0, text->c_str(), size, ansi.data(), ansi_size, nullptr, nullptr);
    return Put(CF_UNICODETEXT, text->c_str(), static_cast<size_t>(size) * sizeof(wchar_t)) &&
           Put(CF_TEXT, ansi.data(), ansi.size());
  }

 private:
  static bool Put(UINT format, const void* data, size_t bytes) {
    const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!memory) return false;
    std::memcpy(GlobalLock(memory), data, bytes);
    GlobalUnlock(memory);
    if (SetClipboardData(format, memory)) return true;
    GlobalFree(memory);
    return false;
  }

  HWND owner_;
  bool open_ = false;
};

VbError ClipboardError() { return VbError(521, L"Не удается открыть буфер обмена"); }

}  // namespace

std::optional<std::wstring> ClipboardText() {
  const OpenedClipboard clipboard;
  return clipboard.open() ? clipboard.Text() : std::nullopt;
}

bool SetClipboardText(const std::optional<std::wstring>& text) {
  OpenedClipboard clipboard;
  return clipboard.open() && clipboard.Replace(text);
}

ClipboardLoan::ClipboardLoan(const std::wstring& text) {
  OpenedClipboard clipboard;
  if (!clipboard.open()) throw ClipboardError();
  users_text_ = clipboard.Text();
  if (!clipboard.Replace(text)) {
    clipboard.Replace(users_text_);
    throw ClipboardError();
  }
}

}  // namespace qv
