#include "sandbox/ui/workspace.h"

#include <algorithm>
#include <map>
#include <stdexcept>

#include "sandbox/ui/code_window_impl.h"
#include "win/bound_window.h"

namespace sbx {
namespace {

// The main frame is the workspace's own window.
class WorkspaceImpl final : public Workspace, private CodeWindowOwner, private qv::BoundWindow {
 public:
  explicit WorkspaceImpl(const WorkspaceOptions& options);
  ~WorkspaceImpl() override;

  HWND MainWindow() const override { return hwnd(); }
  HWND MdiClient() const override { return client_; }
  BarBandWindow& BarBand() override { return band_; }
  void BarsChanged() override;
  CodeWindow& OpenCodeWindow(ModuleText& text, std::wstring caption, bool activate) override;
  void Activate(CodeWindow& window) override;
  HWND OpenDesignerWindow(const std::wstring& caption) override;
  CodeWindow* ActiveCodeWindow() const override;
  CodeWindow* LastActiveCodeWindow() const override { return last_active_; }
  std::vector<CodeWindow*> CodeWindows() const override;
  void FocusMainWindow() override;
  int CloseMessagesReceived(HWND window) const override;
  HostPopups& Popups() override { return popups_; }
  ToolWindows& Tools() override { return *tools_; }

 private:
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

  void OnActivated(CodeWindowImpl& window) override;
  void OnCloseReceived(HWND window) override { ++close_messages_[window]; }
  void OnDestroying(CodeWindowImpl& window) override;
  void OnDestroyed(CodeWindowImpl& window) override;
  bool CompleteProcedures() const override { return complete_procedures; }
  bool CaseKeywords() const override { return case_keywords; }
  const std::wstring& IdeSettingsKey() const override { return options_.ide_settings_key; }

  CodeWindowImpl* Find(HWND window) const;
  // Through the client or straight to the child, as direct_activation says.
  void ActivateChild(HWND child);
  // The band across the top, the MDI client below it.
  void Layout() const;

  WorkspaceOptions options_;
  HostPopups popups_;
  HWND client_ = nullptr;
  BarBandWindow band_{band_rows};
  int band_height_ = 0;
  std::vector<std::unique_ptr<CodeWindowImpl>> windows_;
  std::vector<std::unique_ptr<qv::BoundWindow>> designers_;
  CodeWindowImpl* last_active_ = nullptr;
  std::map<HWND, int> close_messages_;
  std::unique_ptr<ToolWindows> tools_;
};

// SetForegroundWindow, then the focus into the window unless it already holds it (an MDI frame hands it
// on to its active child).
void BringToForeground(HWND window) {
  SetForegroundWindow(window);
  const HWND focus = GetFocus();
  if (focus != window && !IsChild(window, focus)) SetFocus(window);
}

WorkspaceImpl::WorkspaceImpl(const WorkspaceOptions& options) : options_(options) {
  // In SDI mode the main window holds only menus and toolbars.
  if (!BoundWindow::Create(0, {L"SbxMainFrame", 0, IDC_ARROW, GetSysColorBrush(COLOR_APPWORKSPACE)},
                      options.main_caption.c_str(), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                      {0, 0, 1000, options.sdi ? 120 : 740}, nullptr)) {
    throw std::runtime_error("main window not created");
  }
  if (!options.sdi) {
    CLIENTCREATESTRUCT client{nullptr, 0xFF00};
    client_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"MDICLIENT", nullptr,
                              WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL, 0, 0, 0, 0, hwnd(),
                              nullptr, GetModuleHandleW(nullptr), &client);
  }
  band_.CreateIn(hwnd());
  tools_ = std::make_unique<ToolWindows>(hwnd(), client_);
  Layout();
  ShowWindow(hwnd(), SW_SHOWNORMAL);
  UpdateWindow(hwnd());
}

WorkspaceImpl::~WorkspaceImpl() {
  on_code_window_destroyed = nullptr;
  // Takes the MDI children, and in SDI mode the owned code windows, with it.
  DestroyWindow(hwnd());
}

LRESULT WorkspaceImpl::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_SIZE) {
    // Not to DefFrameProc, which would spread the MDI client over the band.
    Layout();
    return 0;
  }
  if (message == WM_CLOSE) {
    // Closing the main window ends the host; the workspace destroys the window when it goes.
    PostQuitMessage(0);
    return 0;
  }
  // WM_MOUSEWHEEL included: the add-in subclasses this window for the wheel.
  return DefFrameProcW(hwnd(), client_, message, wparam, lparam);
}

CodeWindow& WorkspaceImpl::OpenCodeWindow(ModuleText& text, std::wstring caption, bool activate) {
  // MDI activates every new child; without `activate` the previous one gets its activation back.
  CodeWindow* previous = client_ ? ActiveCodeWindow() : nullptr;
  windows_.push_back(std::make_unique<CodeWindowImpl>(static_cast<CodeWindowOwner&>(*this), text));
  CodeWindowImpl& window = *windows_.back();
  window.Create(client_, hwnd(), caption);
  if (!window.hwnd()) {
    windows_.pop_back();
    throw std::runtime_error("code window not created");
  }
  if (activate) {
    Activate(window);
  } else if (previous) {
    SendMessageW(client_, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(previous->hwnd()), 0);
  }
  return window;
}

void WorkspaceImpl::Activate(CodeWindow& window) {
  if (!client_) {
    // SDI: the code window becomes the foreground window.
    BringToForeground(window.hwnd());
    return;
  }
  ActivateChild(window.hwnd());
}

void WorkspaceImpl::ActivateChild(HWND child) {
  if (direct_activation) {
    SendMessageW(child, WM_CHILDACTIVATE, 0, 0);
  } else {
    SendMessageW(client_, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(child), 0);
  }
  if (GetForegroundWindow() != hwnd()) BringToForeground(hwnd());
  SetFocus(child);
}

HWND WorkspaceImpl::OpenDesignerWindow(const std::wstring& caption) {
  if (!client_) return nullptr;
  static const qv::WindowClass kDesigner{L"SbxDesignerWindow", CS_HREDRAW | CS_VREDRAW, IDC_ARROW,
                                         GetSysColorBrush(COLOR_APPWORKSPACE)};
  designers_.push_back(std::make_unique<qv::BoundWindow>());
  if (!designers_.back()->CreateMdiChild(client_, kDesigner, caption.c_str(), WS_VISIBLE | WS_OVERLAPPEDWINDOW)) {
    throw std::runtime_error("designer window not created");
  }
  ActivateChild(designers_.back()->hwnd());
  return designers_.back()->hwnd();
}

CodeWindow* WorkspaceImpl::ActiveCodeWindow() const {
  if (client_) return Find(reinterpret_cast<HWND>(SendMessageW(client_, WM_MDIGETACTIVE, 0, 0)));
  // SDI: the last activated document window; so far every document window is a code window.
  return last_active_;
}

std::vector<CodeWindow*> WorkspaceImpl::CodeWindows() const {
  std::vector<CodeWindow*> windows;
  for (const auto& window : windows_) windows.push_back(window.get());
  return windows;
}

void WorkspaceImpl::BarsChanged() {
  const int height = band_rows ? BandHeight(band_rows()) : 0;
  if (height != band_height_) {
    band_height_ = height;
    Layout();
  }
  InvalidateRect(band_.hwnd(), nullptr, FALSE);
}

void WorkspaceImpl::Layout() const {
  RECT area{};
  GetClientRect(hwnd(), &area);
  MoveWindow(band_.hwnd(), 0, 0, area.right, band_height_, TRUE);
  if (client_) MoveWindow(client_, 0, band_height_, area.right, std::max(0L, area.bottom - band_height_), TRUE);
}

void WorkspaceImpl::FocusMainWindow() { BringToForeground(hwnd()); }

int WorkspaceImpl::CloseMessagesReceived(HWND window) const {
  const auto found = close_messages_.find(window);
  return found == close_messages_.end() ? 0 : found->second;
}

void WorkspaceImpl::OnActivated(CodeWindowImpl& window) {
  last_active_ = &window;
  InvalidateRect(band_.hwnd(), nullptr, FALSE);  // the host's code-window controls change their Enabled state
}

void WorkspaceImpl::OnDestroying(CodeWindowImpl& window) {
  if (on_code_window_destroyed) on_code_window_destroyed(window);
  // MDI has activated the next child already, if there is one.
  if (last_active_ == &window) last_active_ = nullptr;
  InvalidateRect(band_.hwnd(), nullptr, FALSE);
}

void WorkspaceImpl::OnDestroyed(CodeWindowImpl& window) {
  std::erase_if(windows_, [&window](const auto& w) { return w.get() == &window; });
}

CodeWindowImpl* WorkspaceImpl::Find(HWND window) const {
  const auto found =
      std::find_if(windows_.begin(), windows_.end(), [window](const auto& w) { return w->hwnd() == window; });
  return found == windows_.end() ? nullptr : found->get();
}

}  // namespace

std::unique_ptr<Workspace> Workspace::Create(const WorkspaceOptions& options) {
  return std::make_unique<WorkspaceImpl>(options);
}

}  // namespace sbx
