#include "library/product_parts.h"

#include "addin/addin_state.h"
#include "addin/backup.h"
#include "addin/includes.h"
#include "addin/shell_open.h"
#include "dialogs/about_box.h"
#include "dialogs/declarations_dialog.h"
#include "dialogs/options_dialog.h"
#include "dialogs/procs_dialog.h"
#include "dialogs/visual_style.h"
#include "editor/code_pane_hook.h"
#include "editor/palette_painter.h"
#include "editor/tab_strip.h"
#include "editor/wheel_hook.h"
#include "editor/wheel_poll.h"
#include "library/hot_key_table.h"
#include "library/lifecycle.h"

namespace qv {
namespace {

// The options dialog starts and stops the tab strip as the add-in's start does, and only beside a
// started add-in, which knows the host's main window.
class LibraryOptionsEffects final : public OptionsEffects {
 public:
  explicit LibraryOptionsEffects(Parts& parts) : parts_(parts) {}
  void StartMDITabs() override {
    if (State().hWndMain) qv::StartMDITabs(parts_);
  }
  void StopMDITabs() override {
    if (State().hWndMain) qv::StopMDITabs(parts_);
  }

 private:
  Parts& parts_;
};

}  // namespace

ProductParts::ProductParts() : hot_keys_(BuildHotKeyTable(*this)) {}

void ProductParts::HookWheel(HWND main) { qv::HookWheel(main); }
void ProductParts::UnhookWheel(HWND main) { qv::UnhookWheel(main); }
bool ProductParts::WheelHooked() { return qv::WheelHooked(); }
bool ProductParts::HookCodePane(HWND window) { return HookCodeWindow(window, hot_keys_); }
void ProductParts::UnhookCodePane(HWND window) { UnhookCodeWindow(window); }
void ProductParts::InitTabs() { InitTabStrip(); }
void ProductParts::SetTabPosition(long position) { SetTabStripPosition(position); }
void ProductParts::AttachTabs(HWND main) { AttachTabStrip(main); }
void ProductParts::DetachTabs() { DetachTabStrip(); }
void ProductParts::TerminateTabs() { TerminateTabStrip(); }
void ProductParts::SetIDEStyle(long style) { qv::SetIDEStyle(style, State().hWndMain); }
void ProductParts::WheelPoll() { qv::WheelPoll(); }
void ProductParts::PaintPaletteCustomColors() { qv::PaintPaletteCustomColors(); }
void ProductParts::RefreshTabs() { qv::RefreshTabs(); }
void ProductParts::FollowActiveTab() { qv::FollowActiveTab(); }
void ProductParts::ProcessIncludes() { RunIncludePass(); }
void ProductParts::ClearIncludes() { ClearIncludeTables(); }

void ProductParts::ShowOptions(bool modal) {
  static LibraryOptionsEffects effects(*this);
  qv::ShowOptions(modal, effects);
}

void ProductParts::ShowAbout() { qv::ShowAbout(); }
void ProductParts::ShowDeclarations() { qv::ShowDeclarations(); }
void ProductParts::ShowProcs() { qv::ShowProcs(); }
void ProductParts::UnloadDialogs() { qv::UnloadDialogs(); }
void ProductParts::BackupProject() { qv::BackupProject(); }

void ProductParts::ShellOpen(HWND window, const std::wstring& file, const std::wstring& directory) {
  qv::ShellOpen(window, file, directory);
}

}  // namespace qv
