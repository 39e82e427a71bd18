// The strip's life, its hook on the MDI client and the commands that close document windows.
#include "editor/tab_strip.h"

#include <commctrl.h>

#include "addin/session.h"
#include "win/failure_log.h"
#include "win/window_identity.h"

namespace qv {
namespace {

// The frame is recomputed (WM_NCCALCSIZE) and repainted (WM_NCPAINT); nothing moves.
constexpr UINT kFrameChange = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED | SWP_NOOWNERZORDER;

Font TabFont(const wchar_t* face, int height, int weight) {
  return Font(CreateFontW(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                          CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, face));
}

void ChangeFrame(HWND window) { SetWindowPos(window, nullptr, 0, 0, 0, 0, kFrameChange); }

}  // namespace

void TabStrip::Init() {
  const WindowDc screen = ClientDc(nullptr);
  const int dpi = GetDeviceCaps(screen.get(), LOGPIXELSY);
  const int caption = -MulDiv(825, dpi, 7200);  // 8.25 points
  fonts_.emplace(Fonts{TabFont(L"Tahoma", caption, FW_NORMAL), TabFont(L"Tahoma", caption, FW_BOLD),
                       TabFont(L"Marlett", -MulDiv(10, dpi, 72), FW_NORMAL),
                       TabFont(L"Marlett", -MulDiv(8, dpi, 72), FW_NORMAL)});
  order_ = {};
  buffer_.emplace();
}

void TabStrip::Terminate() {
  Detach();
  buffer_.reset();
  fonts_.reset();
}

void TabStrip::Attach(HWND main) {
  Detach();
  const HWND client = FindWindowExW(main, nullptr, L"MDIClient", nullptr);
  if (!client) return;  // an SDI host
  if (!Hook(client)) return RecordFailure(L"AttachTabs", L"the MDI client cannot be hooked");
  client_ = client;
  const LONG_PTR style = GetWindowLongPtrW(client, GWL_EXSTYLE);
  had_client_edge_ = (style & WS_EX_CLIENTEDGE) != 0;
  SetWindowLongPtrW(client, GWL_EXSTYLE, style & ~WS_EX_CLIENTEDGE);
  // Hooked first: the frame change must meet the hook to make room for the strip.
  Refresh();
}

void TabStrip::Detach() {
  if (!client_) return;
  const HWND client = client_;
  client_ = nullptr;
  ResetMouse();
  if (GetCapture() == client) ReleaseCapture();
  Unhook();
  if (had_client_edge_) SetWindowLongPtrW(client, GWL_EXSTYLE, GetWindowLongPtrW(client, GWL_EXSTYLE) | WS_EX_CLIENTEDGE);
  ChangeFrame(client);
}

void TabStrip::SetPosition(long position) {
  bottom_ = position == 1;
  Refresh();
}

void TabStrip::Refresh() {
  if (!client_) return;
  offset_ = ClampScroll(offset_, rects_, Geometry().Width());
  ChangeFrame(client_);
}

void TabStrip::FollowActive() {
  if (!client_) return;
  const HWND active = ActiveChild();
  if (active == seen_active_) return;
  seen_active_ = active;
  Refresh();
}

StripGeometry TabStrip::Geometry() const {
  RECT window{};
  GetWindowRect(client_, &window);
  return {window.right - window.left, window.bottom - window.top, bottom_};
}

HWND TabStrip::ActiveChild() const { return reinterpret_cast<HWND>(SendMessageW(client_, WM_MDIGETACTIVE, 0, 0)); }

bool TabStrip::IsDocument(HWND window) const {
  return client_ && window && IsWindow(window) && GetAncestor(window, GA_PARENT) == client_ &&
         IsDocumentClass(ClassName(window));
}

std::vector<HWND> TabStrip::DocumentWindows() const {
  std::vector<HWND> found;
  for (HWND child = GetWindow(client_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (IsDocumentClass(ClassName(child))) found.push_back(child);
  }
  return found;
}

void TabStrip::Sync() {
  std::vector<std::intptr_t> found;
  for (const HWND window : DocumentWindows()) found.push_back(reinterpret_cast<std::intptr_t>(window));
  order_.Sync(found);
}

void TabStrip::CloseAllBut(HWND keep) const {
  for (const HWND window : DocumentWindows()) {
    if (window != keep) PostMessageW(window, WM_CLOSE, 0, 0);
  }
}

void TabStrip::RunCommand(TabCommand command, HWND target) const {
  switch (command) {
    case TabCommand::kClose:
      if (IsDocument(target)) PostMessageW(target, WM_CLOSE, 0, 0);
      break;
    case TabCommand::kCloseAllButThis:
      if (IsDocument(target)) CloseAllBut(target);
      break;
    case TabCommand::kCloseAll:
      CloseAllBut(nullptr);
      break;
  }
}

std::optional<LRESULT> TabStrip::OnMessage(HWND window, UINT& message, WPARAM& wparam, LPARAM& lparam) {
  // What the strip does after the rest of the chain has handled the message.
  const auto after = [&](auto&& step) {
    const LRESULT result = DefSubclassProc(window, message, wparam, lparam);
    step();
    return std::optional<LRESULT>(result);
  };
  switch (message) {
    case WM_NCCALCSIZE:
      if (wparam) {
        // The rectangle received, never one rebuilt from WINDOWPOS, which may hold zeros.
        RECT& rect = reinterpret_cast<NCCALCSIZE_PARAMS*>(lparam)->rgrc[0];
        const PixelRect inside = ClientInsideStrip({rect.left, rect.top, rect.right, rect.bottom}, bottom_);
        rect = {inside.left, inside.top, inside.right, inside.bottom};
      }
      return std::nullopt;
    case WM_NCPAINT:
      return after([&] { Draw(); });
    case WM_SETCURSOR:
      return after([&] {
        if (LOWORD(lparam) == HTNOWHERE) OnStripMouse(HIWORD(lparam) & 0x7FFF);
      });
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
      return after([&] { OnCapturedMouse(message); });
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lparam) != window) ResetMouse();
      return std::nullopt;
    case WM_MDIACTIVATE:
      return after([&] {
        Refresh();
        CurrentSession().loop.MDIActivated = true;
      });
    case WM_DESTROY:
      Detach();
      return std::nullopt;
    default:
      return std::nullopt;
  }
}

}  // namespace qv
