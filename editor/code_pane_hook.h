#pragma once
// The subclass of the active code window: the typing tools and the hot keys see each key before or
// after the editor, and the painter paints after it. One window is hooked at a time.
#include <windows.h>

#include <optional>

#include "addin/includes.h"
#include "editor/hot_keys.h"
#include "win/subclass.h"

namespace qv {

class CodePaneHook : public Subclass {
 public:
  // False while another window is hooked. The hot keys of `hot_keys` run as their keys are released;
  // the automatic declarations keep to `includes`. Both outlive the hook.
  bool Attach(HWND window, const HotKeyTable& hot_keys, IncludeState& includes);
  // Nothing when `window` is not the hooked one.
  void Detach(HWND window);

 protected:
  std::optional<LRESULT> OnMessage(HWND window, UINT& message, WPARAM& wparam, LPARAM& lparam) override;

 private:
  void RepaintAfter(HWND window, UINT message, WPARAM wparam);
  void PostPaint(HWND window);

  bool paint_posted_ = false;
  const HotKeyTable* hot_keys_ = nullptr;
  IncludeState* includes_ = nullptr;
};

}  // namespace qv
