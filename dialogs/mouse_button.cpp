#include "dialogs/mouse_button.h"

#include "win/gdi_owners.h"

namespace qv {
namespace {

bool IsButtonDown(UINT message) {
  return message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN ||
         message == WM_LBUTTONDBLCLK || message == WM_RBUTTONDBLCLK || message == WM_MBUTTONDBLCLK;
}

bool IsButtonUp(UINT message) { return message == WM_LBUTTONUP || message == WM_RBUTTONUP || message == WM_MBUTTONUP; }

void Notify(HWND window) {
  SendMessageW(GetParent(window), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(window), BN_CLICKED),
               reinterpret_cast<LPARAM>(window));
}

}  // namespace

std::optional<LRESULT> MouseButton::OnMessage(HWND window, UINT& message, WPARAM&, LPARAM&) {
  if (IsButtonDown(message)) {
    if (acts_ == Acts::kOnPress) {
      Notify(window);
    } else {
      SetCapture(window);
      SetPressed(window, true);
    }
    return 0;
  }
  if (IsButtonUp(message) && pressed_) {
    SetPressed(window, false);
    ReleaseCapture();
    Notify(window);
    return 0;
  }
  if (message == WM_CAPTURECHANGED && pressed_) SetPressed(window, false);
  return std::nullopt;
}

void MouseButton::SetPressed(HWND window, bool pressed) {
  pressed_ = pressed;
  InvalidateRect(window, nullptr, TRUE);
}

void DrawImageButton(const DRAWITEMSTRUCT& item, ButtonPicture picture, bool pressed) {
  const HDC dc = item.hDC;
  RECT box = item.rcItem;
  FillRect(dc, &box, GetSysColorBrush(COLOR_BTNFACE));
  const bool enabled = (item.itemState & ODS_DISABLED) == 0;
  const COLORREF colours[] = {RGB(0, 128, 0), RGB(0, 0, 160), RGB(192, 0, 0)};
  const COLORREF ink = enabled ? colours[static_cast<int>(picture)] : GetSysColor(COLOR_GRAYTEXT);
  const int width = box.right - box.left;
  const int height = box.bottom - box.top;
  const int inset = (width < height ? width : height) / 4;
  const Selected<HPEN> pen(dc, Pen(CreatePen(PS_SOLID, inset > 2 ? 2 : 1, ink)));
  const int left = box.left + inset;
  const int top = box.top + inset;
  const int right = box.right - inset;
  const int bottom = box.bottom - inset;
  const int middle_x = (box.left + box.right) / 2;
  const int middle_y = (box.top + box.bottom) / 2;
  const auto line = [dc](int x1, int y1, int x2, int y2) {
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
  };
  switch (picture) {
    case ButtonPicture::kAdd:
      line(left, middle_y, right, middle_y);
      line(middle_x, top, middle_x, bottom);
      break;
    case ButtonPicture::kEdit:
      line(left, bottom, right, top);
      line(left, bottom, middle_x, bottom);
      break;
    case ButtonPicture::kDelete:
      line(left, top, right, bottom);
      line(left, bottom, right, top);
      break;
  }
  if (pressed) FrameRect(dc, &box, GetSysColorBrush(COLOR_WINDOWFRAME));
}

void DrawSwatch(const DRAWITEMSTRUCT& item, std::int32_t colour) {
  RECT box = item.rcItem;
  DrawEdge(item.hDC, &box, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
  const Brush brush(CreateSolidBrush(static_cast<COLORREF>(colour)));
  FillRect(item.hDC, &box, brush.get());
}

}  // namespace qv
