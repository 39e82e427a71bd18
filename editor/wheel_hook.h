#pragma once
// The wheel in MDI mode: a hook of the host's main window turns each wheel message it sees into
// scrolling of the window the user means. The host gets the message too.
#include <windows.h>

#include <optional>

#include "win/subclass.h"

namespace qv {

class WheelHook : public Subclass {
 public:
  // Hooks the main window; the host's wheel-support library stays loaded while the hook is in.
  void Attach(HWND main);
  void Detach();

 protected:
  std::optional<LRESULT> OnMessage(HWND window, UINT& message, WPARAM& wparam, LPARAM& lparam) override;
};

}  // namespace qv
