#pragma once
// The active project and the file system as include processing and the declarations see them.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "codetools/includes.h"
#include "host/vbe.h"

namespace qv {

// Reads each component, its name, type and text once per run; a write drops the text it changed.
class HostIncludeProject final : public IncludeProject {
 public:
  HostIncludeProject();

  long ComponentCount() override;
  std::wstring ComponentName(long index) override;
  long ComponentType(long index) override;
  bool IsSelected(long index) override;
  const CodeModuleView& Module(long index) override;
  std::wstring SelectedName() override;
  bool HasComponent(std::wstring_view name) override;
  void ReplaceLine(long index, long line, const std::wstring& code) override;
  void InsertLines(long index, long line, const std::wstring& code) override;
  std::optional<long> GetOrAddModule(const std::wstring& name, const std::wstring& code) override;
  bool HasProjectFiles() override;
  std::vector<std::wstring> FirstFileNames() override;
  void AddFile(const std::wstring& path, bool related) override;
  void ShowError(const std::wstring& description) override;

  // The places the search looks in, for this project.
  IncludePlaces Places();

 private:
  struct Component {
    explicit Component(VBComponent component) : object(std::move(component)) {}
    VBComponent object;
    std::optional<std::wstring> name;
    std::optional<long> type;
    std::optional<CodeModule> code;
    std::optional<ModuleText> text;
  };
  std::vector<Component>& Components();
  Component& At(long index);
  const std::wstring& NameOf(Component& component);
  CodeModule& CodeOf(Component& component);
  std::optional<long> IndexOf(std::wstring_view name);

  VBProject project_;
  VBComponents components_;
  std::optional<std::vector<Component>> listed_;
  std::optional<std::wstring> selected_;
};

// Declaration files on disk: found by a directory lookup, read read-only in the ANSI code page.
class DiskIncludeFiles final : public IncludeFiles {
 public:
  std::optional<std::wstring> Find(const std::wstring& path) const override;
  std::vector<std::wstring> ReadLines(const std::wstring& path) const override;
};

}  // namespace qv
