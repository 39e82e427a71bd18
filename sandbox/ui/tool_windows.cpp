#include "sandbox/ui/tool_windows.h"

#include <numeric>

namespace sbx {
namespace {

// Counts the WM_VSCROLL naming a bar; the real windows' classes are unknown, these are ours.
class CountingWindow final : public qv::BoundWindow {
 public:
  explicit CountingWindow(std::map<ToolWindows::Key, int>& counts) : counts_(counts) {}

 protected:
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override {
    if (message == WM_VSCROLL && lparam) {
      ++counts_[{hwnd(), reinterpret_cast<HWND>(lparam), LOWORD(wparam)}];
      return 0;
    }
    // The wheel goes to the default procedure, which passes it to the parent (assumed).
    return Default(message, wparam, lparam);
  }

 private:
  std::map<ToolWindows::Key, int>& counts_;
};

class PlainWindow final : public qv::BoundWindow {};

HWND Bar(HWND parent, DWORD style, int x, int y, int width, int height) {
  return CreateWindowExW(0, L"ScrollBar", nullptr, WS_CHILD | style, x, y, width, height, parent, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
}

}  // namespace

ToolWindows::ToolWindows(HWND main, HWND mdi_client) : main_(main), mdi_client_(mdi_client) {}

ToolWindows::~ToolWindows() = default;

ToolWindowParts ToolWindows::Add(const std::wstring& caption, ToolPlace place) {
  const qv::WindowClass window_class{L"SbxToolWindow", 0, IDC_ARROW, GetSysColorBrush(COLOR_WINDOW)};
  auto window = std::make_unique<CountingWindow>(vscrolls_);
  const bool floating = place == ToolPlace::kFloating;
  const HWND parent = floating ? nullptr : place == ToolPlace::kDocked ? main_ : mdi_client_;
  window->Create(floating ? WS_EX_TOOLWINDOW : 0, window_class, caption.c_str(),
                 (floating ? WS_OVERLAPPEDWINDOW : WS_CHILD | WS_BORDER) | WS_VISIBLE, {600, 400, 300, 200}, parent);
  auto panel = std::make_unique<CountingWindow>(vscrolls_);
  panel->Create(0, window_class, L"", WS_CHILD | WS_VISIBLE, {0, 0, 280, 160}, window->hwnd());
  ToolWindowParts parts{window->hwnd(), panel->hwnd()};
  parts.bar = Bar(parts.panel, WS_VISIBLE | SBS_VERT, 260, 0, 16, 140);
  parts.hidden_bar = Bar(parts.panel, SBS_VERT, 240, 0, 16, 140);
  parts.horizontal_bar = Bar(parts.panel, WS_VISIBLE | SBS_HORZ, 0, 140, 240, 16);
  windows_.push_back(std::move(window));
  windows_.push_back(std::move(panel));
  return parts;
}

int ToolWindows::VScrolls(HWND receiver, HWND bar, WPARAM code) const {
  const auto found = vscrolls_.find({receiver, bar, code});
  return found == vscrolls_.end() ? 0 : found->second;
}

int ToolWindows::TotalVScrolls() const {
  return std::accumulate(vscrolls_.begin(), vscrolls_.end(), 0, [](int sum, const auto& count) { return sum + count.second; });
}

HWND ToolWindows::AddProperties(const std::wstring& caption, bool floating) {
  HWND parent = main_;
  if (floating) {
    auto palette = std::make_unique<PlainWindow>();
    palette->Create(WS_EX_TOOLWINDOW, {L"VBFloatingPalette", 0, IDC_ARROW, GetSysColorBrush(COLOR_BTNFACE)},
                    caption.c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, {700, 100, 250, 300}, nullptr);
    parent = palette->hwnd();
    windows_.push_back(std::move(palette));
  }
  auto list = std::make_unique<PlainWindow>();
  list->Create(0, {L"wndclass_pbrs", 0, IDC_ARROW, GetSysColorBrush(COLOR_WINDOW)}, caption.c_str(),
               WS_CHILD | WS_VISIBLE, {0, 0, 240, 260}, parent);
  const HWND edit = CreateWindowExW(0, L"Edit", L"", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 100, 20, 120, 20,
                                    list->hwnd(), nullptr, GetModuleHandleW(nullptr), nullptr);
  windows_.push_back(std::move(list));
  return edit;
}

}  // namespace sbx
