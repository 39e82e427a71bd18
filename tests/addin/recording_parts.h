#pragma once
// The parts of the test libraries: the real ones, but each call the root makes is recorded first, as
// "Name" or "Name(argument)" lines, and the modal dialogs, the About box, the procedure list, the
// host's visual style, the backup and the shell are only recorded, so that no test waits for a
// window or a program.
#include <windows.h>

#include <string>

#include "library/product_parts.h"

namespace qv::test {

class RecordingParts final : public ProductParts {
 public:
  // The calls so far, one per line.
  const std::wstring& log() const { return log_; }

  bool HookCodePane(HWND window) override;
  void UnhookCodePane(HWND window) override;
  void InitTabs() override;
  void SetTabPosition(long position) override;
  void AttachTabs(HWND main) override;
  void DetachTabs() override;
  void TerminateTabs() override;
  void SetIDEStyle(long style) override;
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
  void Record(const wchar_t* name);
  void Record(const wchar_t* name, long argument);
  // A window is logged by its handle's number, which the test compares with the host's windows.
  void Record(const wchar_t* name, HWND window);

  std::wstring log_;
};

}  // namespace qv::test
