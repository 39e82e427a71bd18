// QuorvaneSetup: installs or removes the add-in libraries through its wizard.
#include <windows.h>

#include <commctrl.h>
#include <ole2.h>

#include "installer/setup_wizard.h"

namespace {

// System libraries that are loaded by name come from the system folder only, never from the folder
// the program was started from (a downloads folder may hold a planted one). Windows 7 has the call
// only with its update KB2533623, hence the look-up.
void LoadSystemLibrariesFromTheSystemFolder() {
  using SetDirectories = BOOL(WINAPI*)(DWORD);
  const auto set = reinterpret_cast<SetDirectories>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
  if (set) set(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  LoadSystemLibrariesFromTheSystemFolder();
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
