#include "sandbox/ui/screenshot.h"

#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

#include "sandbox/model/png_encoder.h"
#include "win/ansi_file.h"
#include "win/gdi_owners.h"

namespace sbx {
namespace {

// 24-bit RGB rows, top to bottom, of the whole window; empty on failure.
std::vector<std::uint8_t> CaptureWindow(HWND window, int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  const qv::WindowDc source = qv::WholeWindowDc(window);
  const qv::MemoryDc memory(CreateCompatibleDC(source.get()));
  qv::Bitmap bitmap(CreateDIBSection(source.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  std::vector<std::uint8_t> rgb;
  if (!bitmap) return rgb;
  const qv::Selected<HBITMAP> picture(memory.get(), std::move(bitmap));
  // The window's own DC reads what was drawn, children included; the screen DC reads the X server,
  // which Wine updates a little later, and PrintWindow would have the window draw itself again.
  if (BitBlt(memory.get(), 0, 0, width, height, source.get(), 0, 0, SRCCOPY)) {
    GdiFlush();
    const auto* bgrx = static_cast<const std::uint8_t*>(bits);
    const size_t pixels = static_cast<size_t>(width) * static_cast<size_t>(height);
    rgb.reserve(pixels * 3);
    for (size_t i = 0; i < pixels; ++i) rgb.insert(rgb.end(), {bgrx[i * 4 + 2], bgrx[i * 4 + 1], bgrx[i * 4]});
  }
  return rgb;
}

bool WriteBytes(const std::wstring& path, const std::vector<std::uint8_t>& bytes) {
  return qv::WriteFileBytes(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

}  // namespace

bool SaveWindowPng(HWND window, const std::wstring& path) {
  RECT rect{};
  if (!GetWindowRect(window, &rect) || rect.right <= rect.left || rect.bottom <= rect.top) return false;
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  const std::vector<std::uint8_t> rgb = CaptureWindow(window, width, height);
  if (rgb.empty()) return false;
  return WriteBytes(path, EncodePng(width, height, rgb));
}

}  // namespace sbx
