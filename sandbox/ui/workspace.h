#pragma once
// The host's window tree: the main frame with its band of command bars, its MDI client (none in SDI
// mode) below the band, the code windows and the popups created before any add-in connects.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "sandbox/ui/bar_band.h"
#include "sandbox/ui/code_window.h"
#include "sandbox/ui/host_popups.h"
#include "sandbox/ui/tool_windows.h"

namespace sbx {

struct WorkspaceOptions {
  bool sdi = false;               // VB6 only
  std::wstring main_caption;      // e.g. "Microsoft Visual Basic for Applications - Project1"
  std::wstring ide_settings_key;  // HKCU key holding FontFace, FontHeight, FontCharset, IndicatorBar
};

class Workspace {
 public:
  static std::unique_ptr<Workspace> Create(const WorkspaceOptions& options);
  virtual ~Workspace() = default;

  virtual HWND MainWindow() const = 0;
  virtual HWND MdiClient() const = 0;  // nullptr in SDI mode
  // The band across the top of the main frame that pictures the command bars and takes the mouse.
  virtual BarBandWindow& BarBand() = 0;
  // The bars changed: the band takes the height of `band_rows` (the MDI client moves below it) and
  // repaints.
  virtual void BarsChanged() = 0;

  // Opens a code window over `text`; with `activate` it becomes the active document window and
  // takes the focus (the MDI client's WM_MDIACTIVATE path).
  virtual CodeWindow& OpenCodeWindow(ModuleText& text, std::wstring caption, bool activate) = 0;
  virtual void Activate(CodeWindow& window) = 0;
  // Opens a form's designer, a document window of another class than the code windows, and makes it
  // the active document window the same way; nullptr in SDI mode.
  virtual HWND OpenDesignerWindow(const std::wstring& caption) = 0;
  // The active document window when it is a code window, else nullptr. Drives the Enabled state
  // of the host's code-window controls.
  virtual CodeWindow* ActiveCodeWindow() const = 0;
  // The last code window that was active; stays while a designer or tool window is active.
  virtual CodeWindow* LastActiveCodeWindow() const = 0;
  // Open code windows in opening order.
  virtual std::vector<CodeWindow*> CodeWindows() const = 0;
  // Makes the main frame the foreground window with the focus before it returns.
  virtual void FocusMainWindow() = 0;
  // How many WM_CLOSE messages a code window has received, also after it has gone.
  virtual int CloseMessagesReceived(HWND window) const = 0;
  // The popups that exist before any add-in connects.
  virtual HostPopups& Popups() = 0;
  // The tool and Properties windows that tests place.
  virtual ToolWindows& Tools() = 0;

  // Called while a code window is being destroyed (closed by the user, the add-in or a test), before
  // it leaves CodeWindows(); not when the workspace itself goes.
  std::function<void(CodeWindow&)> on_code_window_destroyed;
  // What the band shows, read at every paint and by BarsChanged; none while unset.
  BandRows band_rows;
  // Host switches, read at each use. Enter after a procedure header that no End line closes adds
  // the End line (assumed host behaviour).
  bool complete_procedures = true;
  // A line the user changed gets its keywords cased when the caret leaves it, as the editors'
  // pretty-lister does.
  bool case_keywords = false;
  // Activate code windows directly (WM_CHILDACTIVATE) instead of through the MDI client; which path
  // the real host takes is unknown.
  bool direct_activation = false;
};

}  // namespace sbx
