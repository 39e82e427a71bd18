#pragma once
// The setup actions' platform on Windows: this program's resources, the file system, the per-user
// registry and regsvr32.
#include <windows.h>

#include <string>

#include "kit/setup_run.h"

namespace qv {

class WindowsSetupPlatform : public SetupPlatform {
 public:
  // `owner`: the window of the shell's folder-creation messages; `resources`: the module carrying
  // the files (this program).
  WindowsSetupPlatform(HWND owner, HMODULE resources) : owner_(owner), resources_(resources) {}

  std::optional<std::string> Resource(const CarriedFile& file) override;
  bool WriteBytes(const std::wstring& path, const std::string& bytes) override;
  bool CopyTo(const std::wstring& source, const std::wstring& target) override;
  bool DeleteAt(const std::wstring& path) override;
  std::vector<std::wstring> ListFiles(const std::wstring& folder) override;
  void CreateFolder(const std::wstring& path) override;
  void RemoveFolder(const std::wstring& path) override;
  std::wstring RecordedFolder() override;
  void RecordFolder(const std::wstring& folder) override;
  std::optional<std::vector<std::wstring>> RecordedFiles() override;
  void RecordFiles(const std::vector<std::wstring>& names) override;
  KeyDeletion DeleteKey(const std::wstring& parent, const std::wstring& name) override;
  std::optional<unsigned long> RunAndWait(const std::wstring& program, const std::wstring& command_line,
                                          unsigned long timeout_ms) override;
  std::wstring SystemFolder() override;
  std::wstring NativeSystemFolder() override;
  std::wstring SetupFolder() override;

 private:
  HWND owner_;
  HMODULE resources_;
};

// The recorded installation folder, as NormalizedFolder leaves it; "" when none is recorded.
std::wstring RecordedFolder();

// The folder text made absolute against the current folder, as NormalizedFolder leaves it.
std::wstring AbsoluteFolder(const std::wstring& text);

}  // namespace qv
