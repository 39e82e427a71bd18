// QuorvaneSetup: installs or removes the add-in libraries through its wizard.
#include <windows.h>

#include <commctrl.h>
#include <ole2.h>

#include "installer/setup_wizard.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // The shell's folder dialog needs COM on this thread.
  if (FAILED(OleInitialize(nullptr))) return 1;
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&controls);
  int result = 1;
  {
    qv::SetupWizard wizard;
    if (wizard.Open()) {
      MSG message;
      while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (wizard.hwnd() && IsDialogMessageW(wizard.hwnd(), &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
      }
      result = 0;
    }
  }
  OleUninitialize();
  return result;
}
