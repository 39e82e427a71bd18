#pragma once
// The setup wizard's window: shows what SetupSteps says, passes the user's clicks to it and runs the
// installation or removal on its progress page.
#include <windows.h>

#include <string>

#include "dialogs/dialog_window.h"
#include "kit/setup_run.h"
#include "kit/setup_steps.h"

namespace qv {

class SetupWizard final : public DialogWindow, private SetupProgress {
 public:
  SetupWizard();
  // Creates and shows the window; false when it cannot be created.
  bool Open();

 private:
  void OnInit() override;
  void OnCommand(int id, int code) override;
  INT_PTR OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  void OnWindowDestroyed() override { PostQuitMessage(0); }

  void Show();
  void Start();
  // Closes, after asking while the wizard has not been finished.
  void Close();
  void Status(const std::wstring& text) override;
  void Log(const std::wstring& text) override;
  void Repaint() const;

  std::wstring recorded_;
  SetupSteps steps_;
  bool list_ready_ = false;  // ticks set at start are not the user's
};

}  // namespace qv
