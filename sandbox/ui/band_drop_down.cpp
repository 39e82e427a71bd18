#include "sandbox/ui/band_drop_down.h"

#include <windowsx.h>

#include <algorithm>
#include <utility>

#include "sandbox/ui/band_drawing.h"
#include "win/gdi_owners.h"

namespace sbx {
namespace {

constexpr int kGutter = 24;  // the faces' column
constexpr int kArrowRoom = 16;
constexpr int kSeparatorHeight = 7;
constexpr int kMinimumWidth = 120;

}  // namespace

BandDropDown::BandDropDown(DropDownOwner& owner, int level, std::vector<BandControl> entries)
    : owner_(owner), level_(level), entries_(std::move(entries)) {}

bool BandDropDown::Open(HWND frame, POINT where) {
  {
    const qv::WindowDc dc = qv::ClientDc(nullptr);
    const qv::DcSelection font(dc.get(), GetStockObject(DEFAULT_GUI_FONT));
    int width = kMinimumWidth;
    for (const BandControl& entry : entries_) {
      width = std::max(width, kGutter + TextWidth(dc.get(), entry.caption) + 2 * kTextPadding + kArrowRoom);
    }
    int top = 2;
    for (const BandControl& entry : entries_) {
      if (entry.begin_group && &entry != &entries_.front()) top += kSeparatorHeight;
      rects_.push_back({2, top, width - 2, top + kMenuRowHeight});
      top += kMenuRowHeight;
    }
    size_ = {width, top + 2};
  }
  constexpr DWORD kStyle = WS_POPUP | WS_BORDER;
  constexpr DWORD kExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE;
  RECT outer{0, 0, size_.cx, size_.cy};
  AdjustWindowRectEx(&outer, kStyle, FALSE, kExStyle);
  const int width = outer.right - outer.left;
  const int height = outer.bottom - outer.top;
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromPoint(where, MONITOR_DEFAULTTONEAREST), &monitor);
  const RECT& work = monitor.rcWork;
  const int x = std::max(work.left, std::min(where.x, work.right - width));
  const int y = std::max(work.top, std::min(where.y, work.bottom - height));
  if (!Create(kExStyle, {L"SbxBarDropDown", 0, IDC_ARROW, GetSysColorBrush(COLOR_MENU)}, L"", kStyle,
              {x, y, width, height}, frame)) {
    return false;
  }
  SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  UpdateWindow(hwnd());
  return true;
}

RECT BandDropDown::EntryOnScreen(int index) const {
  RECT rect = rects_[static_cast<size_t>(index)];
  MapWindowPoints(hwnd(), nullptr, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

void BandDropDown::SetOpenEntry(int index) {
  open_entry_ = index;
  InvalidateRect(hwnd(), nullptr, FALSE);
}

int BandDropDown::EntryAt(LPARAM point) const {
  const POINT at{GET_X_LPARAM(point), GET_Y_LPARAM(point)};
  const auto found = std::find_if(rects_.begin(), rects_.end(), [&](const RECT& rect) { return PtInRect(&rect, at); });
  return found == rects_.end() ? -1 : static_cast<int>(found - rects_.begin());
}

LRESULT BandDropDown::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_ACTIVATEAPP:
      // Another program took the activation.
      if (!wparam) owner_.CloseDropDowns();
      return 0;
    case WM_MOUSEMOVE:
      if (const int entry = EntryAt(lparam); entry != hot_) {
        hot_ = entry;
        TRACKMOUSEEVENT leave{sizeof leave, TME_LEAVE, hwnd(), 0};
        TrackMouseEvent(&leave);
        InvalidateRect(hwnd(), nullptr, FALSE);
      }
      return 0;
    case WM_MOUSELEAVE:
      hot_ = -1;
      InvalidateRect(hwnd(), nullptr, FALSE);
      return 0;
    case WM_LBUTTONDOWN:
      if (const int entry = EntryAt(lparam); entry >= 0) {
        const BandControl& pressed = entries_[static_cast<size_t>(entry)];
        if (pressed.popup && pressed.enabled) owner_.OpenBeside(level_, entry);
      }
      return 0;
    case WM_LBUTTONUP:
      // The owner destroys this window before the click runs: nothing here may follow the call.
      if (const int entry = EntryAt(lparam); entry >= 0) {
        const BandControl& released = entries_[static_cast<size_t>(entry)];
        if (!released.popup && released.enabled) owner_.Choose(released);
      }
      return 0;
    case WM_PAINT:
      Paint();
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the paint covers every pixel
    default:
      return Default(message, wparam, lparam);
  }
}

void BandDropDown::Paint() const {
  PaintBuffered(hwnd(), COLOR_MENU, [this](HDC dc) {
    for (size_t i = 0; i < entries_.size(); ++i) {
      const BandControl& entry = entries_[i];
      const RECT& rect = rects_[i];
      if (i > 0 && entry.begin_group) {
        RECT line{rect.left + kGutter, rect.top - kSeparatorHeight + 2, rect.right - 2, rect.top - 2};
        DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
      }
      const bool hot = entry.enabled && (static_cast<int>(i) == hot_ || static_cast<int>(i) == open_entry_);
      if (hot) FillRect(dc, &rect, GetSysColorBrush(COLOR_HIGHLIGHT));
      RECT gutter{rect.left, rect.top, rect.left + kGutter - 2, rect.bottom};
      if (entry.pressed) DrawEdge(dc, &gutter, BDR_SUNKENOUTER, BF_RECT);
      if (!entry.face.empty()) {
        DrawFace(dc, entry, gutter.left + (kGutter - 2 - kFaceSize) / 2, rect.top + (kMenuRowHeight - kFaceSize) / 2);
      }
      const COLORREF colour = GetSysColor(hot ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT);
      DrawCaption(dc, entry, {rect.left + kGutter + kTextPadding, rect.top, rect.right, rect.bottom}, colour);
      if (entry.popup) DrawArrow(dc, rect.right - kArrowRoom / 2 - 2, (rect.top + rect.bottom) / 2, true);
    }
  });
}

}  // namespace sbx
