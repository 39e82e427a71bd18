#include "sandbox/ui/bar_band.h"

#include <windowsx.h>

#include <algorithm>
#include <iterator>
#include <utility>

#include "sandbox/ui/band_drawing.h"
#include "win/failure_log.h"
#include "win/gdi_owners.h"

namespace sbx {
namespace {

constexpr int kBarRowHeight = 26;
constexpr int kButtonSize = 22;  // a button with a face is square
constexpr int kArrowRoom = 10;
constexpr int kSeparatorWidth = 8;
constexpr int kGripWidth = 10;

// The band that has a drop-down open, for the message hook; one per thread, the UI thread.
thread_local BarBandWindow* tracking = nullptr;

int RowHeight(const BandRow& row) { return row.menu ? kMenuRowHeight : kBarRowHeight; }

// The provider's rows; none when it fails.
std::vector<BandRow> RowsOf(const BandRows& rows) {
  std::vector<BandRow> got;
  if (rows) qv::Guarded(L"command band rows", [&] { got = rows(); });
  return got;
}

void DrawButton(HDC dc, const BandControl& control, RECT cell, bool pressed) {
  if (pressed) DrawEdge(dc, &cell, BDR_SUNKENOUTER, BF_RECT);
  if (!control.popup && !control.face.empty()) {
    DrawFace(dc, control, cell.left + (kButtonSize - kFaceSize) / 2, cell.top + (kButtonSize - kFaceSize) / 2);
    return;
  }
  DrawCaption(dc, control, {cell.left + kTextPadding, cell.top, cell.right, cell.bottom}, GetSysColor(COLOR_BTNTEXT));
  if (control.popup) DrawArrow(dc, cell.right - kTextPadding - 6, (cell.top + cell.bottom) / 2, false);
}

// A docked toolbar's grip and the raised edge round its controls, which end at `right`.
void DrawBarFrame(HDC dc, int top, int right) {
  RECT grip{5, top + 4, 8, top + kBarRowHeight - 4};
  DrawEdge(dc, &grip, BDR_RAISEDINNER, BF_RECT);
  RECT bar{2, top + 1, right + 2, top + kBarRowHeight - 1};
  DrawEdge(dc, &bar, BDR_RAISEDINNER, BF_RECT);
}

}  // namespace

int BandHeight(const std::vector<BandRow>& rows) {
  int height = 0;
  for (const BandRow& row : rows) height += RowHeight(row);
  return height;
}

BarBandWindow::~BarBandWindow() { CloseDropDowns(); }

void BarBandWindow::CreateIn(HWND frame) {
  Create(0, {L"SbxCommandBand"}, nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, {}, frame);
}

std::vector<BarBandWindow::Cell> BarBandWindow::Layout(const std::vector<BandRow>& rows) const {
  const qv::WindowDc dc = qv::ClientDc(hwnd());
  const qv::DcSelection font(dc.get(), GetStockObject(DEFAULT_GUI_FONT));
  std::vector<Cell> cells;
  int top = 0;
  for (size_t r = 0; r < rows.size(); ++r) {
    const BandRow& row = rows[r];
    int left = row.menu ? 2 : 2 + kGripWidth;
    for (size_t i = 0; i < row.controls.size(); ++i) {
      const BandControl& control = row.controls[i];
      if (row.menu) {
        const int width = TextWidth(dc.get(), control.caption) + 2 * kTextPadding;
        cells.push_back({{r, i}, {left, top, left + width, top + kMenuRowHeight}});
        left += width;
        continue;
      }
      // No separator before a bar's first control, as in the hosts (assumed).
      if (control.begin_group && i > 0) left += kSeparatorWidth;
      const bool faced = !control.popup && !control.face.empty();
      const int width =
          faced ? kButtonSize
                : TextWidth(dc.get(), control.caption) + 2 * kTextPadding + (control.popup ? kArrowRoom : 0);
      cells.push_back(
          {{r, i},
           {left, top + (kBarRowHeight - kButtonSize) / 2, left + width, top + (kBarRowHeight + kButtonSize) / 2}});
      left += width;
    }
    top += RowHeight(row);
  }
  return cells;
}

std::optional<BarBandWindow::Cell> BarBandWindow::CellAt(const std::vector<BandRow>& rows, LPARAM point) const {
  const POINT at{GET_X_LPARAM(point), GET_Y_LPARAM(point)};
  for (const Cell& cell : Layout(rows)) {
    if (PtInRect(&cell.rect, at)) return cell;
  }
  return std::nullopt;
}

std::optional<RECT> BarBandWindow::ScreenRect(const void* key) const {
  const std::vector<BandRow> rows = RowsOf(rows_);
  for (const Cell& cell : Layout(rows)) {
    if (rows[cell.id.row].controls[cell.id.index].key != key) continue;
    RECT rect = cell.rect;
    MapWindowPoints(hwnd(), nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
  }
  for (const auto& drop_down : drop_downs_) {
    const auto& entries = drop_down->entries();
    const auto found =
        std::find_if(entries.begin(), entries.end(), [&](const auto& entry) { return entry.key == key; });
    if (found != entries.end()) return drop_down->EntryOnScreen(static_cast<int>(found - entries.begin()));
  }
  return std::nullopt;
}

std::vector<HWND> BarBandWindow::DropDowns() const {
  std::vector<HWND> windows;
  for (const auto& drop_down : drop_downs_) windows.push_back(drop_down->hwnd());
  return windows;
}

LRESULT BarBandWindow::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_PAINT:
      Paint();
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the paint covers every pixel
    case WM_LBUTTONDOWN:
      OnButtonDown(lparam);
      return 0;
    case WM_MOUSEMOVE:
      if (held_) {
        const std::optional<Cell> over = CellAt(RowsOf(rows_), lparam);
        const bool inside = over && over->id == *held_;
        if (inside != held_inside_) InvalidateRect(hwnd(), nullptr, FALSE);
        held_inside_ = inside;
      }
      return 0;
    case WM_LBUTTONUP:
      OnButtonUp(lparam);
      return 0;
    case WM_CAPTURECHANGED:
      held_.reset();
      InvalidateRect(hwnd(), nullptr, FALSE);
      return 0;
    default:
      return Default(message, wparam, lparam);
  }
}

void BarBandWindow::OnButtonDown(LPARAM point) {
  const std::vector<BandRow> rows = RowsOf(rows_);
  const std::optional<Cell> cell = CellAt(rows, point);
  // A press on the control whose drop-down is open only closes it.
  const bool closing = !drop_downs_.empty() && cell && cell->id == opened_;
  CloseDropDowns();
  if (!cell || closing) return;
  const BandControl& control = rows[cell->id.row].controls[cell->id.index];
  if (!control.enabled) return;
  if (control.popup) {
    POINT under{cell->rect.left, cell->rect.bottom};
    ClientToScreen(hwnd(), &under);
    Open(0, control, under);
    opened_ = cell->id;
    return;
  }
  held_ = cell->id;
  held_inside_ = true;
  SetCapture(hwnd());
  InvalidateRect(hwnd(), nullptr, FALSE);
}

void BarBandWindow::OnButtonUp(LPARAM point) {
  if (!held_) return;
  const CellId id = *held_;
  ReleaseCapture();
  // Rows read afresh: the click runs on the control as it is now.
  const std::vector<BandRow> rows = RowsOf(rows_);
  const std::optional<Cell> over = CellAt(rows, point);
  if (!over || over->id != id) return;
  const BandControl& control = rows[id.row].controls[id.index];
  if (control.enabled && control.click) qv::Guarded(L"command band click", control.click);
}

void BarBandWindow::Paint() const {
  const std::vector<BandRow> rows = RowsOf(rows_);
  const std::vector<Cell> cells = Layout(rows);
  PaintBuffered(hwnd(), COLOR_BTNFACE, [&](HDC dc) {
    int top = 0;
    for (size_t r = 0; r < rows.size(); ++r) {
      const auto first = std::find_if(cells.begin(), cells.end(), [r](const Cell& cell) { return cell.id.row == r; });
      const auto end = std::find_if(first, cells.end(), [r](const Cell& cell) { return cell.id.row != r; });
      if (!rows[r].menu) DrawBarFrame(dc, top, first == end ? 2 + kGripWidth : std::prev(end)->rect.right);
      for (auto cell = first; cell != end; ++cell) {
        const BandControl& control = rows[r].controls[cell->id.index];
        const bool active = (held_ == cell->id && held_inside_) || (opened_ == cell->id && !drop_downs_.empty());
        RECT rect = cell->rect;
        if (rows[r].menu) {
          if (active) DrawEdge(dc, &rect, BDR_SUNKENOUTER, BF_RECT);
          DrawCaption(dc, control, {rect.left + kTextPadding, rect.top, rect.right, rect.bottom},
                      GetSysColor(COLOR_MENUTEXT));
          continue;
        }
        if (control.begin_group && cell->id.index > 0) {
          RECT line{rect.left - kSeparatorWidth / 2 - 1, top + 4, rect.left, top + kBarRowHeight - 4};
          DrawEdge(dc, &line, EDGE_ETCHED, BF_LEFT);
        }
        DrawButton(dc, control, rect, control.pressed || active);
      }
      top += RowHeight(rows[r]);
    }
  });
}

void BarBandWindow::Open(size_t level, const BandControl& popup, POINT where) {
  CloseFrom(level);
  std::vector<BandControl> entries;
  if (popup.entries) qv::Guarded(L"command band entries", [&] { entries = popup.entries(); });
  auto drop_down =
      std::make_unique<BandDropDown>(static_cast<DropDownOwner&>(*this), static_cast<int>(level), std::move(entries));
  if (!drop_down->Open(GetAncestor(hwnd(), GA_ROOT), where)) return;
  if (!hook_) {
    hook_ = SetWindowsHookExW(WH_GETMESSAGE, OnQueuedMessage, nullptr, GetCurrentThreadId());
    tracking = this;
  }
  drop_downs_.push_back(std::move(drop_down));
  InvalidateRect(hwnd(), nullptr, FALSE);
}

void BarBandWindow::OpenBeside(int level, int index) {
  BandDropDown& from = *drop_downs_[static_cast<size_t>(level)];
  const size_t next = static_cast<size_t>(level) + 1;
  // Pressed again, the entry closes what it opened.
  const bool closing = drop_downs_.size() > next && from.open_entry() == index;
  CloseFrom(next);
  if (closing) return;
  const RECT entry = from.EntryOnScreen(index);
  Open(next, from.entries()[static_cast<size_t>(index)], {entry.right, entry.top - 1});
  from.SetOpenEntry(index);
}

void BarBandWindow::Choose(const BandControl& entry) {
  const BandControl chosen = entry;  // the entry goes with its drop-down
  CloseDropDowns();
  if (chosen.click) qv::Guarded(L"command band click", chosen.click);
}

void BarBandWindow::CloseDropDowns() { CloseFrom(0); }

void BarBandWindow::CloseFrom(size_t level) {
  if (drop_downs_.size() <= level) return;
  drop_downs_.erase(drop_downs_.begin() + static_cast<std::ptrdiff_t>(level), drop_downs_.end());
  if (level > 0) {
    drop_downs_.back()->SetOpenEntry(-1);
    return;
  }
  opened_.reset();
  UnhookWindowsHookEx(hook_);
  hook_ = nullptr;
  if (tracking == this) tracking = nullptr;
  if (hwnd()) InvalidateRect(hwnd(), nullptr, FALSE);
}

bool BarBandWindow::Intercept(const MSG& message) {
  switch (message.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      if (message.wParam != VK_ESCAPE) return false;
      break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN: {
      // The band and the drop-downs handle their own presses.
      const std::vector<HWND> ours = DropDowns();
      if (message.hwnd == hwnd() || std::find(ours.begin(), ours.end(), message.hwnd) != ours.end()) return false;
      break;
    }
    default:
      return false;
  }
  CloseDropDowns();
  return true;
}

LRESULT CALLBACK BarBandWindow::OnQueuedMessage(int code, WPARAM removed, LPARAM message) {
  if (code == HC_ACTION && removed == PM_REMOVE && tracking) {
    auto& queued = *reinterpret_cast<MSG*>(message);
    bool swallowed = false;
    qv::Guarded(L"command band hook", [&] { swallowed = tracking->Intercept(queued); });
    if (swallowed) queued.message = WM_NULL;
  }
  return CallNextHookEx(nullptr, code, removed, message);
}

}  // namespace sbx
