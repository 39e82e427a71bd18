#include "library/product_parts.h"

#include "addin/backup.h"
#include "addin/includes.h"
#include "addin/session.h"
#include "addin/shell_open.h"
#include "dialogs/about_box.h"
#include "dialogs/declarations_dialog.h"
#include "dialogs/procs_dialog.h"
#include "dialogs/visual_style.h"
#include "editor/palette_painter.h"
#include "editor/wheel_poll.h"
#include "library/connection_parts.h"
#include "library/hot_key_table.h"
#include "library/lifecycle.h"

namespace qv {

void ProductParts::TabEffects::StartMDITabs() {
  if (HostMainWindow()) qv::StartMDITabs(parts_);
}
void ProductParts::TabEffects::StopMDITabs() {
  if (HostMainWindow()) qv::StopMDITabs(parts_);
}
void ProductParts::TabEffects::SetTabPosition(long position) {
  if (HostMainWindow()) parts_.SetTabPosition(position);
}

ProductParts::ProductParts() : hot_keys_(BuildHotKeyTable(*this)) {}

void ProductParts::HookWheel(HWND main) { CurrentParts().wheel.Attach(main); }
void ProductParts::UnhookWheel(HWND) { CurrentParts().wheel.Detach(); }
bool ProductParts::WheelHooked() { return CurrentParts().wheel.Hooked(); }
bool ProductParts::HookCodePane(HWND window) {
  ConnectionParts& parts = CurrentParts();
  return parts.code_window.Attach(window, hot_keys_, parts.includes);
}
void ProductParts::UnhookCodePane(HWND window) { CurrentParts().code_window.Detach(window); }
void ProductParts::InitTabs() { CurrentParts().tabs.Init(); }
void ProductParts::SetTabPosition(long position) { CurrentParts().tabs.SetPosition(position); }
void ProductParts::AttachTabs(HWND main) { CurrentParts().tabs.Attach(main); }
void ProductParts::DetachTabs() { CurrentParts().tabs.Detach(); }
void ProductParts::TerminateTabs() { CurrentParts().tabs.Terminate(); }
void ProductParts::SetIDEStyle(long style) { qv::SetIDEStyle(style, HostMainWindow()); }
void ProductParts::WheelPoll() { qv::WheelPoll(); }
void ProductParts::PaintPaletteCustomColors() { qv::PaintPaletteCustomColors(CurrentParts().palette); }
void ProductParts::RefreshTabs() { CurrentParts().tabs.Refresh(); }
void ProductParts::FollowActiveTab() { CurrentParts().tabs.FollowActive(); }
void ProductParts::ProcessIncludes() { RunIncludePass(CurrentParts().includes); }
void ProductParts::ClearIncludes() { CurrentParts().includes.Includes.Clear(); }

void ProductParts::ShowOptions(bool modal) { qv::ShowOptions(modal, options_effects_, CurrentParts().dialogs); }

void ProductParts::ShowAbout() { qv::ShowAbout(CurrentParts().dialogs); }
void ProductParts::ShowDeclarations() { qv::ShowDeclarations(CurrentParts().includes); }
void ProductParts::ShowProcs() { qv::ShowProcs(CurrentParts().dialogs); }
void ProductParts::UnloadDialogs() { qv::UnloadDialogs(CurrentParts().dialogs); }
void ProductParts::BackupProject() { qv::BackupProject(); }

void ProductParts::ShellOpen(HWND window, const std::wstring& file, const std::wstring& directory) {
  qv::ShellOpen(window, file, directory);
}

}  // namespace qv
