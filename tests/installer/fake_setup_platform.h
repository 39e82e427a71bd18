#pragma once
// The setup actions' platform in memory: files, folders, resources, registry keys and regsvr32's
// answers, recording the status texts, log lines and command lines.
#include <map>
#include <set>
#include <string>
#include <vector>

#include "kit/setup_run.h"

namespace qv::test {

class FakeSetupPlatform : public SetupPlatform, public SetupProgress {
 public:
  std::map<std::wstring, std::string> files;  // full path → bytes
  std::set<std::wstring> folders;
  std::set<std::wstring> blocked;                 // paths that cannot be written
  std::set<std::wstring> held;                    // files that cannot be deleted (a host has them loaded)
  std::map<std::wstring, std::string> resources;  // resource type → bytes
  std::set<std::wstring> keys;                    // key paths under HKEY_CURRENT_USER, each parent listed too
  std::set<std::wstring> stuck_keys;              // their deletion fails
  std::optional<unsigned long> exit_code = 0;     // every regsvr32's
  std::wstring native = L"C:\\Windows\\Sysnative";
  std::wstring recorded;
  std::optional<std::vector<std::wstring>> recorded_files;
  std::vector<std::wstring> statuses, log, commands, deletions;

  FakeSetupPlatform() {
    for (const CarriedFile& file : kCarriedFiles)
      resources[file.type] = std::string("bytes of ") + char('0' + file.id % 10);
  }

  std::optional<std::string> Resource(const CarriedFile& file) override {
    const auto found = resources.find(file.type);
    if (found == resources.end()) return std::nullopt;
    return found->second;
  }
  bool WriteBytes(const std::wstring& path, const std::string& bytes) override {
    if (blocked.contains(path)) return false;
    files[path] = bytes;
    return true;
  }
  bool CopyTo(const std::wstring& source, const std::wstring& target) override {
    const auto found = files.find(source);
    return found != files.end() && WriteBytes(target, std::string(found->second));
  }
  bool DeleteAt(const std::wstring& path) override { return !held.contains(path) && files.erase(path) == 1; }
  std::vector<std::wstring> ListFiles(const std::wstring& folder) override {
    std::vector<std::wstring> names;
    const std::wstring prefix = JoinPath(folder, L"");
    for (const auto& [path, bytes] : files) {
      if (path.starts_with(prefix) && path.find(L'\\', prefix.size()) == std::wstring::npos) {
        names.push_back(path.substr(prefix.size()));
      }
    }
    return names;
  }
  void CreateFolder(const std::wstring& path) override { folders.insert(path); }
  void RemoveFolder(const std::wstring& path) override {
    for (const auto& [file, bytes] : files) {
      if (file.starts_with(path + L'\\')) return;
    }
    for (const std::wstring& folder : folders) {
      if (folder.starts_with(path + L'\\')) return;
    }
    folders.erase(path);
  }
  std::wstring RecordedFolder() override { return recorded; }
  void RecordFolder(const std::wstring& folder) override {
    recorded = folder;
    keys.insert({L"Software", L"Software\\Velmora", kProductKey});
  }
  std::optional<std::vector<std::wstring>> RecordedFiles() override { return recorded_files; }
  void RecordFiles(const std::vector<std::wstring>& names) override { recorded_files = names; }
  KeyDeletion DeleteKey(const std::wstring& parent, const std::wstring& name) override {
    const std::wstring path = parent + L'\\' + name;
    deletions.push_back(path);
    if (!keys.contains(path)) return KeyDeletion::kMissing;
    for (const std::wstring& key : keys) {
      if (key.starts_with(path + L'\\')) return KeyDeletion::kHasSubkeys;
    }
    if (stuck_keys.contains(path)) return KeyDeletion::kFailed;
    keys.erase(path);
    if (path == kProductKey) {
      recorded.clear();
      recorded_files.reset();
    }
    return KeyDeletion::kDeleted;
  }
  std::optional<unsigned long> RunAndWait(const std::wstring& program, const std::wstring& command_line,
                                          unsigned long timeout_ms) override {
    commands.push_back(program + L" | " + command_line + L" | " + std::to_wstring(timeout_ms));
    return exit_code;
  }
  std::wstring SystemFolder() override { return L"C:\\Windows\\system32"; }
  std::wstring NativeSystemFolder() override { return native; }
  std::wstring SetupFolder() override { return L"E:\\"; }

  void Status(const std::wstring& text) override { statuses.push_back(text); }
  void Log(const std::wstring& text) override { log.push_back(text); }
};

}  // namespace qv::test
