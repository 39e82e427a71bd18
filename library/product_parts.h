#pragma once
// The real parts: the editor's subclasses and strip, the dialogs, the includes, the backup and the
// shell, as the shipped libraries drive them.
#include "dialogs/options_dialog.h"
#include "editor/hot_keys.h"
#include "library/parts.h"

namespace qv {

class ProductParts : public Parts {
 public:
  ProductParts();

  void HookWheel(HWND main) override;
  void UnhookWheel(HWND main) override;
  bool WheelHooked() override;
  bool HookCodePane(HWND window) override;
  void UnhookCodePane(HWND window) override;
  void InitTabs() override;
  void SetTabPosition(long position) override;
  void AttachTabs(HWND main) override;
  void DetachTabs() override;
  void TerminateTabs() override;
  void SetIDEStyle(long style) override;
  void WheelPoll() override;
  void PaintPaletteCustomColors() override;
  void RefreshTabs() override;
  void FollowActiveTab() override;
  void ProcessIncludes() override;
  void ClearIncludes() override;
  void ShowOptions(bool modal) override;
  void ShowAbout() override;
  void ShowDeclarations() override;
  void ShowProcs() override;
  void UnloadDialogs() override;
  void BackupProject() override;
  void ShellOpen(HWND window, const std::wstring& file, const std::wstring& directory) override;

 private:
  // The options dialog starts and stops the tab strip through these parts, as the add-in's start
  // does, and only beside a started add-in, which knows the host's main window.
  class TabEffects final : public OptionsEffects {
   public:
    explicit TabEffects(Parts& parts) : parts_(parts) {}
    void StartMDITabs() override;
    void StopMDITabs() override;
    void SetTabPosition(long position) override;

   private:
    Parts& parts_;
  };

  HotKeyTable hot_keys_;
  // Lives as long as the parts: a modeless options dialog keeps it past ShowOptions.
  TabEffects options_effects_{*this};
};

}  // namespace qv
