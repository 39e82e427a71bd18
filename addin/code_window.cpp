// Which window shows the active code pane: the host names no window handles, so the add-in finds
// them from the foreground window and compares captions.
#include <string>

#include "addin/addin_state.h"
#include "addin/code_pane.h"
#include "addin/connection.h"
#include "addin/session.h"

namespace qv {
namespace {

constexpr size_t kSdiCaptionChars = 99;

std::wstring WindowCaption(HWND window) {
  std::wstring caption(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  caption.resize(static_cast<size_t>(GetWindowTextW(window, caption.data(), static_cast<int>(caption.size()))));
  return caption;
}

}  // namespace

HWND GetCodeWindow() {
  const AddinState& state = State();
  const HWND foreground = GetForegroundWindow();
  if (!foreground) return nullptr;
  if (state.settings.IsSDI) {
    // Each code window is a top-level window titled "<project> - <component> (Code)".
    const Vbe& vbe = VBInstance();
    const VBComponent component = vbe.SelectedVBComponent();
    if (!component) return nullptr;
    const std::wstring prefix = vbe.ActiveVBProject().Name() + L" - " + component.Name();
    return WindowCaption(foreground).substr(0, kSdiCaptionChars).starts_with(prefix) ? foreground : nullptr;
  }
  if (foreground != HostMainWindow()) return nullptr;
  const HWND client = FindWindowExW(foreground, nullptr, L"MDIClient", nullptr);
  return client ? reinterpret_cast<HWND>(SendMessageW(client, WM_MDIGETACTIVE, 0, 0)) : nullptr;
}

bool ShowsCodePane(HWND window, const CodePane& pane) { return WindowCaption(window) == pane.Window().Caption(); }

}  // namespace qv
