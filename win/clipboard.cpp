#include "win/clipboard.h"

namespace qv {
namespace {

constexpr int kOpenAttempts = 5;
constexpr DWORD kOpenRetryMs = 10;

}  // namespace

OpenedClipboard::OpenedClipboard(HWND owner) : open_(OpenClipboard(owner) != FALSE) {}

OpenedClipboard::OpenedClipboard()
    : own_window_(CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr)) {
  for (int attempt = 0; own_window_ && !open_ && attempt < kOpenAttempts; ++attempt) {
    open_ = OpenClipboard(own_window_) != FALSE;
    if (!open_) Sleep(kOpenRetryMs);
  }
}

OpenedClipboard::~OpenedClipboard() {
  if (open_) CloseClipboard();
  if (own_window_) DestroyWindow(own_window_);
}

}  // namespace qv
