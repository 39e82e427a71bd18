#pragma once
// The add-in's hidden command window: it owns the main loop's timer, and the clipboard that carries
// the buttons' faces.
#include <windows.h>

#include "win/bound_window.h"

namespace qv {

class MainForm {
 public:
  MainForm() = default;
  MainForm(const MainForm&) = delete;
  MainForm& operator=(const MainForm&) = delete;
  // Unloads; a failure is recorded.
  ~MainForm();

  // The window, created on first use; null when it cannot be created.
  HWND Window();
  // Takes the command bars off and destroys the window (and with it the timer) if it exists.
  void Unload();

  // The main loop's timer on the window, at the system's shortest period.
  void StartTimer();
  void StopTimer();

 private:
  class Form final : public BoundWindow {};

  Form window_;
};

}  // namespace qv
