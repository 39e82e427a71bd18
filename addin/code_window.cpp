// Which window shows the active code pane: the host names no window handles, so the add-in finds
// them from the foreground window and compares captions.
#include <string>

#include "addin/addin_state.h"
#include "addin/code_pane.h"

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
    IDispatch* vbe = state.VBInstance.Object();
    const Variant component = Get(vbe, L"SelectedVBComponent");
    if (!component.Object()) return nullptr;
    const std::wstring prefix =
        Path(vbe, {L"ActiveVBProject", L"Name"}).Text() + L" - " + Get(component.Object(), L"Name").Text();
    return WindowCaption(foreground).substr(0, kSdiCaptionChars).starts_with(prefix) ? foreground : nullptr;
  }
  if (foreground != state.hWndMain) return nullptr;
  const HWND client = FindWindowExW(foreground, nullptr, L"MDIClient", nullptr);
  return client ? reinterpret_cast<HWND>(SendMessageW(client, WM_MDIGETACTIVE, 0, 0)) : nullptr;
}

bool ShowsCodePane(HWND window, IDispatch* pane) {
  return WindowCaption(window) == Path(pane, {L"Window", L"Caption"}).Text();
}

}  // namespace qv
