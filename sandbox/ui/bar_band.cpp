#include "sandbox/ui/bar_band.h"

#include <utility>

#include "win/failure_log.h"
#include "win/gdi_owners.h"

namespace sbx {
namespace {

constexpr int kMenuRowHeight = 20;
constexpr int kBarRowHeight = 26;
constexpr int kButtonSize = 22;  // a button with a face is square
constexpr int kFaceSize = 16;
constexpr int kTextPadding = 6;
constexpr int kArrowRoom = 10;
constexpr int kSeparatorWidth = 8;
constexpr int kGripWidth = 10;

int TextWidth(HDC dc, const std::wstring& caption) {
  RECT extent{};
  DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &extent, DT_SINGLELINE | DT_CALCRECT);
  return extent.right;
}

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

void DrawFace(HDC dc, const BandControl& control, int x, int y) {
  const std::vector<std::uint32_t> pixels = control.enabled ? control.face : Greyed(control.face);
  const BITMAPINFO format = FaceFormat(control.face_width, control.face_height);
  SetStretchBltMode(dc, COLORONCOLOR);
  StretchDIBits(dc, x, y, kFaceSize, kFaceSize, 0, 0, control.face_width, control.face_height, pixels.data(), &format,
                DIB_RGB_COLORS, SRCCOPY);
}

// A small triangle pointing down, 5 pixels wide, in the text colour.
void DrawArrow(HDC dc, int left, int middle) {
  const qv::DcSelection pen(dc, GetStockObject(DC_PEN));
  SetDCPenColor(dc, GetTextColor(dc));
  for (int i = 0; i < 3; ++i) {
    MoveToEx(dc, left + i, middle - 1 + i, nullptr);
    LineTo(dc, left + 5 - i, middle - 1 + i);
  }
}

// Draws one control of a toolbar row from `left`; gives its width.
int DrawControl(HDC dc, const BandControl& control, int left, int top) {
  const bool faced = !control.popup && !control.face.empty();
  const int width =
      faced ? kButtonSize : TextWidth(dc, control.caption) + 2 * kTextPadding + (control.popup ? kArrowRoom : 0);
  RECT cell{left, top + (kBarRowHeight - kButtonSize) / 2, left + width, top + (kBarRowHeight + kButtonSize) / 2};
  if (control.pressed) DrawEdge(dc, &cell, BDR_SUNKENOUTER, BF_RECT);
  if (faced) {
    DrawFace(dc, control, cell.left + (kButtonSize - kFaceSize) / 2, cell.top + (kButtonSize - kFaceSize) / 2);
    return width;
  }
  SetTextColor(dc, GetSysColor(control.enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
  RECT text{cell.left + kTextPadding, cell.top, cell.right, cell.bottom};
  DrawTextW(dc, control.caption.c_str(), static_cast<int>(control.caption.size()), &text, DT_SINGLELINE | DT_VCENTER);
  if (control.popup) DrawArrow(dc, cell.right - kTextPadding - 6, (cell.top + cell.bottom) / 2);
  return width;
}

void DrawMenuRow(HDC dc, const BandRow& row, int top) {
  int left = 2;
  for (const BandControl& control : row.controls) {
    const int width = TextWidth(dc, control.caption) + 2 * kTextPadding;
    SetTextColor(dc, GetSysColor(control.enabled ? COLOR_MENUTEXT : COLOR_GRAYTEXT));
    RECT text{left + kTextPadding, top, left + width, top + kMenuRowHeight};
    DrawTextW(dc, control.caption.c_str(), static_cast<int>(control.caption.size()), &text, DT_SINGLELINE | DT_VCENTER);
    left += width;
  }
}

// A docked toolbar: a grip, the controls, a raised edge round them.
void DrawBarRow(HDC dc, const BandRow& row, int top) {
  RECT grip{5, top + 4, 8, top + kBarRowHeight - 4};
  DrawEdge(dc, &grip, BDR_RAISEDINNER, BF_RECT);
  int left = 2 + kGripWidth;
  for (const BandControl& control : row.controls) {
    // No separator before a bar's first control, as in the hosts (assumed).
    if (control.begin_group && &control != &row.controls.front()) {
      RECT line{left + kSeparatorWidth / 2 - 1, top + 4, left + kSeparatorWidth, top + kBarRowHeight - 4};
      DrawEdge(dc, &line, EDGE_ETCHED, BF_LEFT);
      left += kSeparatorWidth;
    }
    left += DrawControl(dc, control, left, top);
  }
  RECT bar{2, top + 1, left + 2, top + kBarRowHeight - 1};
  DrawEdge(dc, &bar, BDR_RAISEDINNER, BF_RECT);
}

// The provider's rows; none when it fails.
std::vector<BandRow> RowsOf(const BandRows& rows) {
  std::vector<BandRow> got;
  if (rows) qv::Guarded(L"command band rows", [&] { got = rows(); });
  return got;
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

int BandHeight(const std::vector<BandRow>& rows) {
  int height = 0;
  for (const BandRow& row : rows) height += row.menu ? kMenuRowHeight : kBarRowHeight;
  return height;
}

void BarBandWindow::CreateIn(HWND frame) {
  Create(0, {L"SbxCommandBand"}, nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, {}, frame);
}

LRESULT BarBandWindow::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_PAINT) {
    Paint();
    return 0;
  }
  if (message == WM_ERASEBKGND) return 1;  // the paint covers every pixel
  return Default(message, wparam, lparam);
}

// Draws into a memory bitmap first: the model asks for repaints often, and flicker would show.
void BarBandWindow::Paint() const {
  const qv::PaintDc target(hwnd());
  RECT area{};
  GetClientRect(hwnd(), &area);
  const qv::MemoryDc dc(CreateCompatibleDC(target.get()));
  qv::Bitmap bitmap(CreateCompatibleBitmap(target.get(), area.right, area.bottom));
  if (!bitmap) return;
  const qv::Selected<HBITMAP> picture(dc.get(), std::move(bitmap));
  const qv::DcSelection font(dc.get(), GetStockObject(DEFAULT_GUI_FONT));
  FillRect(dc.get(), &area, GetSysColorBrush(COLOR_BTNFACE));
  SetBkMode(dc.get(), TRANSPARENT);
  int top = 0;
  for (const BandRow& row : RowsOf(rows_)) {
    row.menu ? DrawMenuRow(dc.get(), row, top) : DrawBarRow(dc.get(), row, top);
    top += row.menu ? kMenuRowHeight : kBarRowHeight;
  }
  BitBlt(target.get(), 0, 0, area.right, area.bottom, dc.get(), 0, 0, SRCCOPY);
}

}  // namespace sbx
