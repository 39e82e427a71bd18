#pragma once
// A project and a file system held in memory, for the include pass and the declarations.
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "codetools/includes.h"

namespace qv::test {

struct FakeComponent {
  std::wstring name;
  long type = kStandardModuleType;
  bool selected = false;
  ModuleText module;  // CountOfDeclarationLines: the lines above the first procedure, less trailing blanks
};

class FakeProject : public IncludeProject {
 public:
  // Adds a component holding `text` (lines joined by CR LF).
  void Add(std::wstring name, std::wstring_view text, long type = kStandardModuleType, bool selected = false);
  FakeComponent* Find(std::wstring_view name);
  std::wstring Text(std::wstring_view name);  // "" for a missing component
  std::vector<std::wstring> Names() const;

  long ComponentCount() override { return ++calls, static_cast<long>(components_.size()); }
  std::wstring ComponentName(long index) override { return At(index).name; }
  long ComponentType(long index) override { return At(index).type; }
  bool IsSelected(long index) override { return At(index).selected; }
  const CodeModuleView& Module(long index) override;
  std::wstring SelectedName() override;
  bool HasComponent(std::wstring_view name) override { return ++calls, Find(name) != nullptr; }
  void ReplaceLine(long index, long line, const std::wstring& code) override { Edit(index, line, code, true); }
  void InsertLines(long index, long line, const std::wstring& code) override { Edit(index, line, code, false); }
  std::optional<long> GetOrAddModule(const std::wstring& name, const std::wstring& code) override;
  bool HasProjectFiles() override { return ++calls, has_project_files; }
  std::vector<std::wstring> FirstFileNames() override { return ++calls, files; }
  void AddFile(const std::wstring& path, bool related) override;
  void ShowError(const std::wstring& description) override { errors.push_back(description); }

  bool has_project_files = true;
  bool fail_modules = false;          // Module throws a VbError
  std::vector<std::wstring> refused;  // names GetOrAddModule fails on
  std::vector<std::wstring> writes;  // "ReplaceLine Module1 3: text", "InsertLines …", "GetOrAddModule …", "AddFile …"
  std::vector<std::wstring> errors;  // what ShowError showed
  std::vector<std::wstring> files;   // the project files' paths
  long calls = 0;                    // every call into the project

 private:
  FakeComponent& At(long index);
  void Edit(long index, long line, const std::wstring& code, bool replace);
  void SetLines(FakeComponent& component, const std::vector<std::wstring>& lines);

  std::vector<FakeComponent> components_;
};

class FakeFiles : public IncludeFiles {
 public:
  void Add(std::wstring path, std::vector<std::wstring> lines);

  std::optional<std::wstring> Find(const std::wstring& path) const override;
  std::vector<std::wstring> ReadLines(const std::wstring& path) const override;

  mutable std::vector<std::wstring> probes;  // every path Find was asked about

 private:
  std::map<std::wstring, std::pair<std::wstring, std::vector<std::wstring>>> files_;  // by folded path
};

// A declaration file as an exported module: GetTickCount, GetClientRect (continued, taking a RECT),
// RECT, SW_SHOW, SECRET (Private), ShowModes, Twice (a Function) and Sleep.
std::vector<std::wstring> Win32File();
// Lines first..last of Win32File joined by CR LF: a member as GetFileMembers keeps it.
std::wstring Win32Lines(std::size_t first, std::size_t last);

// Win32.bas in the second folder of IncludingPaths ("(ProgramFiles)\VB\Include"), Tools.bas
// beside the project file C:\Proj\App.vbp and another one in ProjectsPath C:\Projects.
struct IncludeWorld {
  IncludeWorld();
  void Pass() { ProcessIncludes(tables, project, files, places); }
  // Module1 holds `directive`, Class1 is selected; after a pass the writes start afresh.
  void WithClass(std::wstring_view directive = L"'#Include <Win32.bas>");
  void Declare(std::wstring_view text, bool list_only = false) {
    AddDeclaration(text, list_only, tables, project, declared);
  }

  FakeProject project;
  FakeFiles files;
  IncludePlaces places;
  IncludeTables tables;
  KeyedCollection<std::wstring> declared;
};

std::vector<std::wstring> Keys(const IncludeTables& tables);
std::vector<std::wstring> Modules(const IncludeTables& tables);
std::vector<std::wstring> Items(const KeyedCollection<std::wstring>& collection);
// The three tables hold the same keys in the same order, each key the base name IncludeKeys holds.
bool InStep(const IncludeTables& tables);

}  // namespace qv::test
