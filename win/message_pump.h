#pragma once
// Dispatching this thread's queued messages from inside a handler, as the host's own loop would.
#include <windows.h>

namespace qv {

enum class PumpEnd {
  kEmpty,    // the queue ran dry
  kStopped,  // `stop` asked for it
  kQuit,     // a WM_QUIT arrived; it is posted again for the host's own loop
};

// `stop` sees each message before it is dispatched; true ends the pump after that dispatch.
template <class Stop>
PumpEnd DispatchPendingMessages(Stop&& stop) {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return PumpEnd::kQuit;
    }
    const bool last = stop(message);
    TranslateMessage(&message);
    DispatchMessageW(&message);
    if (last) return PumpEnd::kStopped;
  }
  return PumpEnd::kEmpty;
}

inline PumpEnd DispatchPendingMessages() {
  return DispatchPendingMessages([](const MSG&) { return false; });
}

}  // namespace qv
