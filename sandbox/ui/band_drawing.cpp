#include "sandbox/ui/band_drawing.h"

#include <cstdint>
#include <utility>
#include <vector>

#include "win/gdi_owners.h"

namespace sbx {
namespace {

// A disabled button's face: light grey shades of its pixels.
std::vector<std::uint32_t> Greyed(const std::vector<std::uint32_t>& face) {
  std::vector<std::uint32_t> grey;
  grey.reserve(face.size());
  for (const std::uint32_t pixel : face) {
    const std::uint32_t luma = ((pixel >> 16 & 0xFFu) * 30 + (pixel >> 8 & 0xFFu) * 59 + (pixel & 0xFFu) * 11) / 100;
    const std::uint32_t light = 128 + luma / 2;
    grey.push_back(light << 16 | light << 8 | light);
  }
  return grey;
}

}  // namespace

BITMAPINFO FaceFormat(long width, long height) {
  BITMAPINFO format{};
  format.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  format.bmiHeader.biWidth = width;
  format.bmiHeader.biHeight = -height;  // top-down
  format.bmiHeader.biPlanes = 1;
  format.bmiHeader.biBitCount = 32;
  format.bmiHeader.biCompression = BI_RGB;
  return format;
}

void PaintBuffered(HWND window, int background, const std::function<void(HDC)>& draw) {
  const qv::PaintDc target(window);
  RECT area{};
  GetClientRect(window, &area);
  const qv::MemoryDc dc(CreateCompatibleDC(target.get()));
  qv::Bitmap bitmap(CreateCompatibleBitmap(target.get(), area.right, area.bottom));
  if (!bitmap) return;
  const qv::Selected<HBITMAP> picture(dc.get(), std::move(bitmap));
  const qv::DcSelection font(dc.get(), GetStockObject(DEFAULT_GUI_FONT));
  FillRect(dc.get(), &area, GetSysColorBrush(background));
  SetBkMode(dc.get(), TRANSPARENT);
  draw(dc.get());
  BitBlt(target.get(), 0, 0, area.right, area.bottom, dc.get(), 0, 0, SRCCOPY);
}

int TextWidth(HDC dc, const std::wstring& caption) {
  RECT extent{};
  DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &extent, DT_SINGLELINE | DT_CALCRECT);
  return extent.right;
}

void DrawFace(HDC dc, const BandControl& control, int x, int y) {
  const std::vector<std::uint32_t> pixels = control.enabled ? control.face : Greyed(control.face);
  const BITMAPINFO format = FaceFormat(control.face_width, control.face_height);
  SetStretchBltMode(dc, COLORONCOLOR);
  StretchDIBits(dc, x, y, kFaceSize, kFaceSize, 0, 0, control.face_width, control.face_height, pixels.data(), &format,
                DIB_RGB_COLORS, SRCCOPY);
}

void DrawCaption(HDC dc, const BandControl& control, RECT area, COLORREF colour) {
  SetTextColor(dc, control.enabled ? colour : GetSysColor(COLOR_GRAYTEXT));
  DrawTextW(dc, control.caption.c_str(), static_cast<int>(control.caption.size()), &area, DT_SINGLELINE | DT_VCENTER);
}

void DrawArrow(HDC dc, int left, int middle, bool right) {
  const qv::DcSelection pen(dc, GetStockObject(DC_PEN));
  SetDCPenColor(dc, GetTextColor(dc));
  for (int i = 0; i < 3; ++i) {
    if (right) {
      MoveToEx(dc, left + i, middle - 2 + i, nullptr);
      LineTo(dc, left + i, middle + 3 - i);
    } else {
      MoveToEx(dc, left + i, middle - 1 + i, nullptr);
      LineTo(dc, left + 5 - i, middle - 1 + i);
    }
  }
}

}  // namespace sbx
