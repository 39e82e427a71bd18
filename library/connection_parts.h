#pragma once
// The parts one connection makes and its disconnection releases, held beside the connection's host
// references: the session (the host's main window and the main loop's state), the include tables and
// declared names, the popups the palette paints over, the hidden form, the wheel hook, the tab strip,
// the modeless dialogs with their keyboard hook and the code-window subclass. Members go in the
// reverse of their release: the code window's subclass first, the session last, so that what goes
// before it may still reach it.
#include "addin/includes.h"
#include "addin/session.h"
#include "dialogs/modeless_dialogs.h"
#include "editor/code_pane_hook.h"
#include "editor/palette_painter.h"
#include "editor/tab_strip.h"
#include "editor/wheel_hook.h"
#include "library/main_form.h"

namespace qv {

struct ConnectionParts {
  SessionOwner session;
  IncludeState includes;
  PalettePopups palette;
  MainForm form;
  WheelHook wheel;
  TabStrip tabs;
  ModelessDialogs dialogs;
  CodePaneHook code_window;
};

void OpenConnectionParts();
// Releases every part the connection made.
void CloseConnectionParts() noexcept;
// Throws VbError 91 (an object not set) between connections.
ConnectionParts& CurrentParts();

}  // namespace qv
