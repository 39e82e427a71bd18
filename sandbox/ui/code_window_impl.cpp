#include "sandbox/ui/code_window_impl.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <utility>

#include "sandbox/model/keyboard_edit.h"
#include "win/clipboard.h"
#include "win/gdi_owners.h"

namespace sbx {
namespace {

// The add-in finds document windows by "Window" in their class name. No CS_OWNDC or CS_CLASSDC:
// the add-in's painter takes GetDC's default state.
const qv::WindowClass kClass{L"SbxCodeWindow", CS_HREDRAW | CS_VREDRAW, IDC_IBEAM};
constexpr int kLastColumn = 1024;  // the host's longest line is 1023 characters

std::optional<CaretMove> MoveFor(WPARAM key, bool ctrl) {
  switch (key) {
    case VK_LEFT:
      return CaretMove::kLeft;
    case VK_RIGHT:
      return CaretMove::kRight;
    case VK_UP:
      return CaretMove::kUp;
    case VK_DOWN:
      return CaretMove::kDown;
    case VK_HOME:
      return ctrl ? CaretMove::kModuleStart : CaretMove::kHome;
    case VK_END:
      return ctrl ? CaretMove::kModuleEnd : CaretMove::kEnd;
    case VK_PRIOR:
      return CaretMove::kPageUp;
    case VK_NEXT:
      return CaretMove::kPageDown;
    default:
      return std::nullopt;
  }
}

// CF_TEXT is in the ANSI code page.
std::wstring ClipboardText(HWND owner) {
  std::wstring text;
  const qv::OpenedClipboard clipboard(owner);
  if (!clipboard.open()) return text;
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    if (const auto* ansi = static_cast<const char*>(GlobalLock(data))) {
      const int length = static_cast<int>(strnlen(ansi, GlobalSize(data)));
      text.resize(static_cast<size_t>(MultiByteToWideChar(CP_ACP, 0, ansi, length, nullptr, 0)));
      MultiByteToWideChar(CP_ACP, 0, ansi, length, text.data(), static_cast<int>(text.size()));
      GlobalUnlock(data);
    }
  }
  return text;
}

// Whole columns of text that a pane shows.
int VisibleColumns(const CodeDrawing& drawing) {
  return std::max(1, (drawing.layout.text_right - drawing.layout.text_left) / std::max(1, drawing.font.ScrollShift(1)));
}

std::set<int> FollowLines(const std::set<int>& lines, const LineChange& change) {
  std::set<int> moved;
  for (int line : lines) {
    if (std::optional<int> now = FollowLine(line, change)) moved.insert(*now);
  }
  return moved;
}

}  // namespace

CodeWindowImpl::CodeWindowImpl(CodeWindowOwner& owner, ModuleText& text) : owner_(owner), text_(text), lister_(text) {
  listener_ = text_.Subscribe([this](const LineChange& change, EditOrigin) { OnTextChanged(change); });
}

CodeWindowImpl::~CodeWindowImpl() { text_.Unsubscribe(listener_); }

void CodeWindowImpl::Create(HWND mdi_client, HWND owner_window, const std::wstring& caption) {
  mdi_ = mdi_client != nullptr;
  if (mdi_) {
    CreateMdiChild(mdi_client, kClass, caption.c_str(), WS_VISIBLE | WS_CLIPCHILDREN);
    return;
  }
  // SDI: a top-level window owned by the main window (assumed for the real host).
  if (BoundWindow::Create(0, kClass, caption.c_str(), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                     {CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT}, owner_window)) {
    ShowWindow(hwnd(), SW_SHOWNOACTIVATE);
  }
}

template <class Use>
auto CodeWindowImpl::WithDrawing(HDC dc, Use use) const {
  const EditorFontSettings settings = ReadEditorFontSettings(owner_.IdeSettingsKey());
  const EditorFont font(dc, settings);
  const CodeLayout layout = ComputeCodeLayout(hwnd(), split_, settings.indicator_bar);
  return use(CodeDrawing{layout, font, settings.indicator_bar, text_, breakpoints_});
}

LRESULT CodeWindowImpl::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CREATE:
      CreateBars();
      break;
    case WM_SIZE:
      Layout();
      break;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      const qv::PaintDc dc(hwnd());
      WithDrawing(dc.get(), [&](const CodeDrawing& drawing) {
        const PaneView views[2] = {ViewOf(0), ViewOf(1)};
        PaintCodeWindow(dc.get(), drawing, std::span(views, static_cast<size_t>(PaneCount())));
      });
      return 0;
    }
    case WM_SETFOCUS: {
      const qv::WindowDc dc = qv::ClientDc(hwnd());
      CreateCaret(hwnd(), nullptr, 1, WithDrawing(dc.get(), [](const CodeDrawing& d) { return d.font.LineHeight(); }));
      PlaceCaret();
      ShowCaret(hwnd());
      break;
    }
    case WM_KILLFOCUS:
      DestroyCaret();
      break;
    case WM_KEYDOWN:
      if (OnKeyDown(wparam)) return 0;
      break;
    case WM_CHAR:
      OnChar(static_cast<wchar_t>(wparam));
      return 0;
    case WM_VSCROLL:
    case WM_HSCROLL:
      if (lparam == 0) break;
      OnScroll(reinterpret_cast<HWND>(lparam), LOWORD(wparam), message == WM_VSCROLL);
      return 0;
    case WM_LBUTTONDOWN:
      OnClick({static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))});
      break;
    case WM_MDIACTIVATE:
      if (reinterpret_cast<HWND>(lparam) == hwnd()) owner_.OnActivated(*this);
      break;
    case WM_ACTIVATE:
      if (!mdi_ && LOWORD(wparam) != WA_INACTIVE) owner_.OnActivated(*this);
      break;
    case WM_CLOSE:
      owner_.OnCloseReceived(hwnd());
      break;
    case WM_DESTROY:
      owner_.OnDestroying(*this);
      break;
    default:
      break;
  }
  return Default(message, wparam, lparam);
}

void CodeWindowImpl::CreateBars() {
  // Child order matters to the add-in: the lower pane's vertical bar comes first.
  auto bar = [this](DWORD style) {
    return CreateWindowExW(0, L"ScrollBar", nullptr, WS_CHILD | style, 0, 0, 0, 0, hwnd(), nullptr,
                           GetModuleHandleW(nullptr), nullptr);
  };
  panes_[1].vertical_bar = bar(SBS_VERT);
  panes_[0].vertical_bar = bar(SBS_VERT);
  panes_[0].horizontal_bar = bar(SBS_HORZ);
  panes_[1].horizontal_bar = bar(SBS_HORZ);
}

void CodeWindowImpl::Layout() {
  // The bars do not depend on the indicator bar.
  const CodeLayout layout = ComputeCodeLayout(hwnd(), split_, true);
  for (size_t i = 0; i < panes_.size(); ++i) {
    const bool shown = i == 0 || split_;
    for (const auto& [bar, rect] : {std::pair(panes_[i].vertical_bar, layout.panes[i].vertical_bar),
                                    std::pair(panes_[i].horizontal_bar, layout.panes[i].horizontal_bar)}) {
      MoveWindow(bar, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
      ShowWindow(bar, shown ? SW_SHOWNA : SW_HIDE);
    }
  }
  UpdateBars();
}

void CodeWindowImpl::Split(bool on) {
  if (on == split_) return;
  split_ = on;
  if (on) {
    // The new lower pane starts where the upper one is.
    panes_[1].anchor = panes_[0].anchor;
    panes_[1].caret = panes_[0].caret;
    panes_[1].top_line = panes_[0].top_line;
    panes_[1].first_column = panes_[0].first_column;
  } else {
    active_pane_ = 0;
  }
  Layout();
  PlaceCaret();
  Repaint();
}

Selection CodeWindowImpl::GetSelection(int pane) const {
  const Pane& p = panes_[Index(pane)];
  return {std::min(p.anchor, p.caret), std::max(p.anchor, p.caret)};
}

void CodeWindowImpl::SetSelection(int pane, Selection selection) {
  Pane& p = panes_[Index(pane)];
  p.anchor = selection.start;
  p.caret = selection.end;
  ScrollCaretIntoView(pane);
  PlaceCaret();
  Repaint();
}

void CodeWindowImpl::SetTopLine(int pane, int line) {
  panes_[Index(pane)].top_line = std::clamp(line, 1, LastTopLine());
  UpdateBars();
  PlaceCaret();
  Repaint();
}

void CodeWindowImpl::SetFirstColumn(int pane, int column) {
  panes_[Index(pane)].first_column = std::clamp(column, 1, kLastColumn);
  UpdateBars();
  PlaceCaret();
  Repaint();
}

int CodeWindowImpl::CountOfVisibleLines(int pane) const {
  const qv::WindowDc dc = qv::ClientDc(hwnd());
  return WithDrawing(dc.get(),
                     [pane](const CodeDrawing& d) { return VisibleRows(d.layout, pane, d.font.LineHeight()); });
}

std::wstring CodeWindowImpl::Caption() const {
  std::wstring caption(static_cast<size_t>(GetWindowTextLengthW(hwnd())) + 1, L'\0');
  caption.resize(static_cast<size_t>(GetWindowTextW(hwnd(), caption.data(), static_cast<int>(caption.size()))));
  return caption;
}

void CodeWindowImpl::SetCaption(std::wstring_view caption) { SetWindowTextW(hwnd(), std::wstring(caption).c_str()); }

void CodeWindowImpl::ToggleBreakpoint(int line) {
  if (!breakpoints_.erase(line)) breakpoints_.insert(line);
  Repaint();
}

void CodeWindowImpl::ToggleBookmark(int line) {
  if (!bookmarks_.erase(line)) bookmarks_.insert(line);
}

// Wraps around at either end (assumed host behaviour).
void CodeWindowImpl::GoToNextBookmark(bool forward) {
  if (bookmarks_.empty()) return;
  const int line = panes_[Index(active_pane_)].caret.line;
  int target = 0;
  if (forward) {
    const auto next = bookmarks_.upper_bound(line);
    target = next != bookmarks_.end() ? *next : *bookmarks_.begin();
  } else {
    const auto next = bookmarks_.lower_bound(line);
    target = next != bookmarks_.begin() ? *std::prev(next) : *bookmarks_.rbegin();
  }
  MoveTo(ClampPos(text_, {target, 1}), false);
}

void CodeWindowImpl::Undo() {
  if (std::optional<TextPos> caret = text_.Undo()) MoveTo(ClampPos(text_, *caret), false);
}

void CodeWindowImpl::Redo() {
  if (std::optional<TextPos> caret = text_.Redo()) MoveTo(ClampPos(text_, *caret), false);
}

bool CodeWindowImpl::OnKeyDown(WPARAM key) {
  const bool shift = GetKeyState(VK_SHIFT) < 0;
  const bool ctrl = GetKeyState(VK_CONTROL) < 0;
  const Selection selection = GetSelection(active_pane_);
  switch (key) {
    case VK_RETURN:
      // Enter splits on key-down; the WM_CHAR it brings is ignored, so a swallowed Enter does nothing.
      MoveTo(SplitLine(text_, selection.start, selection.end, owner_.CompleteProcedures()), false);
      return true;
    case VK_DELETE:
      MoveTo(DeleteRight(text_, selection.start, selection.end), false);
      return true;
    case VK_INSERT:
      if (!shift) return false;
      Paste();
      return true;
    case 'Z':
    case 'Y':
      if (!ctrl) return false;
      key == 'Z' ? Undo() : Redo();
      return true;
    default:
      break;
  }
  const std::optional<CaretMove> move = MoveFor(key, ctrl);
  if (!move) return false;
  const int page = std::max(1, CountOfVisibleLines(active_pane_));
  Pane& pane = panes_[Index(active_pane_)];
  if (move == CaretMove::kPageUp || move == CaretMove::kPageDown) {
    pane.top_line = std::clamp(pane.top_line + (move == CaretMove::kPageUp ? -page : page), 1, LastTopLine());
  }
  MoveTo(MoveCaret(text_, pane.caret, *move, page), shift);
  return true;
}

void CodeWindowImpl::OnChar(wchar_t c) {
  const Selection selection = GetSelection(active_pane_);
  if (c == L'\b') {
    MoveTo(DeleteLeft(text_, selection.start, selection.end), false);
  } else if (c >= L' ' && c != 0x7F) {
    MoveTo(TypeText(text_, selection.start, selection.end, std::wstring(1, c)), false);
  }
}

void CodeWindowImpl::Paste() {
  const std::wstring pasted = ClipboardText(hwnd());
  if (pasted.empty()) return;
  const Selection selection = GetSelection(active_pane_);
  MoveTo(TypeText(text_, selection.start, selection.end, pasted), false);
}

void CodeWindowImpl::OnScroll(HWND bar, int request, bool vertical) {
  for (int pane = 0; pane < PaneCount(); ++pane) {
    const Pane& p = panes_[Index(pane)];
    if (bar != (vertical ? p.vertical_bar : p.horizontal_bar)) continue;
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(bar, SB_CTL, &info);
    const int page = std::max(1, static_cast<int>(info.nPage));
    int position = info.nPos;
    switch (request) {
      case SB_LINEUP:
        --position;
        break;
      case SB_LINEDOWN:
        ++position;
        break;
      case SB_PAGEUP:
        position -= page;
        break;
      case SB_PAGEDOWN:
        position += page;
        break;
      case SB_THUMBTRACK:
      case SB_THUMBPOSITION:
        position = info.nTrackPos;
        break;
      case SB_TOP:
        position = info.nMin;
        break;
      case SB_BOTTOM:
        position = info.nMax;
        break;
      default:
        return;
    }
    // The horizontal bar's position is the first visible column - 1.
    vertical ? SetTopLine(pane, position) : SetFirstColumn(pane, position + 1);
  }
}

void CodeWindowImpl::OnClick(POINT point) {
  const qv::WindowDc dc = qv::ClientDc(hwnd());
  WithDrawing(dc.get(), [&](const CodeDrawing& drawing) {
    active_pane_ = split_ && point.y >= drawing.layout.panes[1].vertical_bar.top ? 1 : 0;
    panes_[Index(active_pane_)].caret = PositionAt(drawing, active_pane_, ViewOf(active_pane_), point);
  });
  MoveTo(panes_[Index(active_pane_)].caret, false);
  SetFocus(hwnd());
}

void CodeWindowImpl::OnTextChanged(const LineChange& change) {
  // Object-model edits above the caret carry it along (assumed host behaviour); keyboard edits set
  // the caret afterwards anyway.
  for (Pane& pane : panes_) {
    pane.anchor = FollowChange(text_, pane.anchor, change);
    pane.caret = FollowChange(text_, pane.caret, change);
    pane.top_line = std::min(pane.top_line, LastTopLine());
  }
  breakpoints_ = FollowLines(breakpoints_, change);
  bookmarks_ = FollowLines(bookmarks_, change);
  UpdateBars();
  PlaceCaret();
  Repaint();
}

void CodeWindowImpl::MoveTo(TextPos caret, bool extend) {
  Pane& pane = panes_[Index(active_pane_)];
  pane.caret = caret;
  if (!extend) pane.anchor = caret;
  lister_.CaretOn(caret.line, owner_.CaseKeywords());
  ScrollCaretColumnIntoView();
  ScrollCaretIntoView(active_pane_);
  PlaceCaret();
  Repaint();
}

void CodeWindowImpl::ScrollCaretIntoView(int pane) {
  Pane& p = panes_[Index(pane)];
  const int visible = std::max(1, CountOfVisibleLines(pane));
  if (p.caret.line < p.top_line) {
    p.top_line = p.caret.line;
  } else if (p.caret.line >= p.top_line + visible) {
    p.top_line = p.caret.line - visible + 1;
  }
  p.top_line = std::clamp(p.top_line, 1, LastTopLine());
  UpdateBars();
}

// Only the user's moves scroll sideways; SetSelection scrolls lines only (assumed host behaviour).
void CodeWindowImpl::ScrollCaretColumnIntoView() {
  const qv::WindowDc dc = qv::ClientDc(hwnd());
  const int visible = WithDrawing(dc.get(), [](const CodeDrawing& drawing) { return VisibleColumns(drawing); });
  Pane& p = panes_[Index(active_pane_)];
  if (p.caret.column < p.first_column) {
    p.first_column = p.caret.column;
  } else if (p.caret.column >= p.first_column + visible) {
    p.first_column = std::min(p.caret.column - visible + 1, kLastColumn);
  }
}

void CodeWindowImpl::UpdateBars() {
  if (!panes_[0].vertical_bar) return;  // before WM_CREATE
  const qv::WindowDc dc = qv::ClientDc(hwnd());
  WithDrawing(dc.get(), [this](const CodeDrawing& drawing) {
    const int visible_columns = VisibleColumns(drawing);
    for (int pane = 0; pane < PaneCount(); ++pane) {
      const Pane& p = panes_[Index(pane)];
      const int rows = std::max(1, VisibleRows(drawing.layout, pane, drawing.font.LineHeight()));
      SCROLLINFO info{};
      info.cbSize = sizeof info;
      info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
      // TopLine goes up to the last line, so the range ends a page below it.
      info.nMin = 1;
      info.nMax = LastTopLine() + rows - 1;
      info.nPage = static_cast<UINT>(rows);
      info.nPos = p.top_line;
      SetScrollInfo(p.vertical_bar, SB_CTL, &info, TRUE);
      info.nMin = 0;
      info.nMax = kLastColumn - 1;
      info.nPage = static_cast<UINT>(visible_columns);
      info.nPos = p.first_column - 1;
      SetScrollInfo(p.horizontal_bar, SB_CTL, &info, TRUE);
    }
  });
}

void CodeWindowImpl::PlaceCaret() {
  if (GetFocus() != hwnd()) return;
  const qv::WindowDc dc = qv::ClientDc(hwnd());
  const POINT point = WithDrawing(dc.get(), [this](const CodeDrawing& drawing) {
    const PaneView view = ViewOf(active_pane_);
    const PaneArea& area = drawing.layout.panes[Index(active_pane_)];
    const POINT at = PositionPoint(drawing, active_pane_, view, panes_[Index(active_pane_)].caret);
    const bool shown = at.y >= area.rows_top && at.y < area.rows_bottom && at.x >= drawing.layout.text_left;
    return shown ? at : POINT{-100, -100};
  });
  SetCaretPos(point.x, point.y);
}

void CodeWindowImpl::Repaint() {
  InvalidateRect(hwnd(), nullptr, FALSE);
  UpdateWindow(hwnd());
}

PaneView CodeWindowImpl::ViewOf(int pane) const {
  const Pane& p = panes_[Index(pane)];
  return {p.top_line, p.first_column, GetSelection(pane)};
}

int CodeWindowImpl::LastTopLine() const { return std::max(1, text_.CountOfLines()); }

}  // namespace sbx
