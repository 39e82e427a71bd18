#pragma once
// What the start and stop sequences, the main loop and the command handlers drive in the parts
// around the core: the command window's subclass, the wheel, the tab strip, the palette, the
// includes, the dialogs, the host's visual style, the backup and the help file. The libraries hand
// the root the real parts (product_parts.h); a test hands it a fake.
#include <windows.h>

#include <string>

namespace qv {

class Parts {
 public:
  virtual ~Parts() = default;

  virtual void HookWheel(HWND main) = 0;
  virtual void UnhookWheel(HWND main) = 0;
  virtual bool WheelHooked() = 0;
  // The code-window subclass: false when the window was not hooked (another one is). Unhooking a
  // window that is not hooked does nothing.
  virtual bool HookCodePane(HWND window) = 0;
  virtual void UnhookCodePane(HWND window) = 0;
  virtual void InitTabs() = 0;
  virtual void SetTabPosition(long position) = 0;  // 0 top, 1 bottom
  virtual void AttachTabs(HWND main) = 0;
  virtual void DetachTabs() = 0;
  virtual void TerminateTabs() = 0;
  virtual void SetIDEStyle(long style) = 0;

  // Code-window subclass, wheel, palette, tab strip and includes, as the timer drives them.
  virtual void WheelPoll() = 0;
  virtual void PaintPaletteCustomColors() = 0;
  virtual void RefreshTabs() = 0;
  // Refreshes the tab strip when the MDI client's active child changed without telling it (a click
  // into a document window, Ctrl+F6).
  virtual void FollowActiveTab() = 0;
  virtual void ProcessIncludes() = 0;
  // Empties the include tables when another code window becomes the active one.
  virtual void ClearIncludes() = 0;

  // The options dialog: modal from the menu, modeless (without an owner form) for an external start.
  // A modal dialog is owned by the host's main window, so that it blocks the editor until it closes.
  virtual void ShowOptions(bool modal) = 0;
  virtual void ShowAbout() = 0;         // modeless
  virtual void ShowDeclarations() = 0;  // modal, owned by the host's main window
  virtual void ShowProcs() = 0;
  // Unloads every dialog form that is loaded.
  virtual void UnloadDialogs() = 0;
  virtual void BackupProject() = 0;
  // Opens a file with its default program; the shell's result is not looked at.
  virtual void ShellOpen(HWND window, const std::wstring& file, const std::wstring& directory) = 0;
};

// The parts of this library: its definition links the one that gives them.
Parts& LibraryParts();

}  // namespace qv
