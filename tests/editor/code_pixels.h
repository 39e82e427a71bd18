#pragma once
// The code window's client area read back in one copy, and the character cells of the host's
// drawing contract in it: the editor's font is monospace, so column c of a row is one cell.
#include <windows.h>

#include <set>
#include <vector>

#include "win/gdi_owners.h"

namespace sbx::test {

class CodePixels {
 public:
  explicit CodePixels(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    width_ = client.right;
    height_ = client.bottom;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = -height_;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    const qv::WindowDc screen = qv::ClientDc(window);
    const qv::MemoryDc memory(CreateCompatibleDC(screen.get()));
    const qv::Selected<HBITMAP> bitmap(memory.get(),
                                       qv::Bitmap(CreateDIBSection(memory.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0)));
    BitBlt(memory.get(), 0, 0, width_, height_, screen.get(), 0, 0, SRCCOPY);
    GdiFlush();
    const auto* pixels = static_cast<const DWORD*>(bits);
    pixels_.assign(pixels, pixels + static_cast<size_t>(width_) * static_cast<size_t>(height_));
  }

  COLORREF At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
    const DWORD bgr = pixels_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)];
    return RGB((bgr >> 16) & 0xFF, (bgr >> 8) & 0xFF, bgr & 0xFF);  // a DIB keeps blue in the low byte
  }
  std::set<COLORREF> Colours(const RECT& area) const {
    std::set<COLORREF> found;
    for (int y = area.top; y < area.bottom; ++y) {
      for (int x = area.left; x < area.right; ++x) found.insert(At(x, y));
    }
    return found;
  }

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<DWORD> pixels_;
};

// Where the editor draws its cells: x of column 1 (scrolled), the first row's top, the line height
// and the width of one character, measured with the editor's font as the contract makes it.
struct CodeCells {
  int x0 = 0;
  int rows_top = 0;
  int line_height = 0;
  int char_width = 0;

  RECT Cells(int row, int first_column, int last_column) const {
    return {x0 + (first_column - 1) * char_width, rows_top + row * line_height, x0 + last_column * char_width,
            rows_top + (row + 1) * line_height};
  }
};

inline CodeCells MeasureCells(HWND window, bool indicator_bar = true, int scrolled_columns = 0) {
  WINDOWINFO info{};
  info.cbSize = sizeof info;
  GetWindowInfo(window, &info);
  const qv::WindowDc dc = qv::ClientDc(window);
  const qv::Selected<HFONT> font(
      dc.get(), qv::Font(CreateFontW(-MulDiv(10, GetDeviceCaps(dc.get(), LOGPIXELSY), 72), 0, 0, 0, 400, 0, 0, 0, 204,
                                     OUT_DEFAULT_PRECIS, CLIP_CHARACTER_PRECIS, PROOF_QUALITY, 0, L"Courier New CYR")));
  SIZE cell{};
  GetTextExtentPoint32W(dc.get(), L"d", 1, &cell);
  const int border = info.rcClient.left - info.rcWindow.left;
  return {border + (indicator_bar ? 21 : 0) + 9 - scrolled_columns * cell.cx,
          static_cast<int>(info.rcClient.top - info.rcWindow.top), static_cast<int>(cell.cy), static_cast<int>(cell.cx)};
}

}  // namespace sbx::test
