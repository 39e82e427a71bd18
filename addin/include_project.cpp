#include "addin/include_project.h"

#include <windows.h>

#include "addin/addin_state.h"
#include "addin/build_info.h"
#include "addin/code_pane.h"
#include "addin/connection.h"
#include "addin/session.h"
#include "kit/case_fold.h"
#include "kit/list_file.h"
#include "win/ansi_file.h"
#include "win/environment.h"
#include "win/files.h"
#include "win/message_box.h"

namespace qv {
namespace {

// The system's text for the last error, as a failed Open would describe it.
std::wstring LastErrorText() {
  wchar_t* text = nullptr;
  const DWORD length =
      FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                     nullptr, GetLastError(), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring description(text ? text : L"", length);
  LocalFree(text);
  while (!description.empty() && (description.back() == L'\n' || description.back() == L'\r')) description.pop_back();
  return description;
}

}  // namespace

HostIncludeProject::HostIncludeProject()
    : project_(VBInstance().ActiveVBProject()), components_(project_.VBComponents()) {}

std::vector<HostIncludeProject::Component>& HostIncludeProject::Components() {
  if (!listed_) {
    listed_.emplace();
    const long count = components_.Count();
    for (long index = 1; index <= count; ++index) listed_->emplace_back(components_.Item(index));
  }
  return *listed_;
}

HostIncludeProject::Component& HostIncludeProject::At(long index) {
  std::vector<Component>& components = Components();
  if (index < 1 || index > static_cast<long>(components.size())) throw SubscriptError();
  return components[static_cast<std::size_t>(index - 1)];
}

const std::wstring& HostIncludeProject::NameOf(Component& component) {
  if (!component.name) component.name = component.object.Name();
  return *component.name;
}

CodeModule& HostIncludeProject::CodeOf(Component& component) {
  if (!component.code) component.code = component.object.CodeModule();
  return *component.code;
}

std::optional<long> HostIncludeProject::IndexOf(std::wstring_view name) {
  const long count = ComponentCount();
  for (long index = 1; index <= count; ++index) {
    if (EqualsNoCase(NameOf(At(index)), name)) return index;
  }
  return std::nullopt;
}

long HostIncludeProject::ComponentCount() { return static_cast<long>(Components().size()); }

std::wstring HostIncludeProject::ComponentName(long index) { return NameOf(At(index)); }

long HostIncludeProject::ComponentType(long index) {
  Component& component = At(index);
  if (!component.type) component.type = component.object.Type();
  return *component.type;
}

bool HostIncludeProject::IsSelected(long index) {
  const std::wstring selected = SelectedName();
  return !selected.empty() && NameOf(At(index)) == selected;
}

const CodeModuleView& HostIncludeProject::Module(long index) {
  Component& component = At(index);
  if (!component.text) {
    const CodeModule& code = CodeOf(component);
    const long count = code.CountOfLines();
    component.text.emplace(count > 0 ? code.Lines(1, count) : std::wstring());
    component.text->SetDeclarationLines(code.CountOfDeclarationLines());
  }
  return *component.text;
}

std::wstring HostIncludeProject::SelectedName() {
  if (!selected_) {
    const VBComponent selected = VBInstance().SelectedVBComponent();
    selected_ = selected ? selected.Name() : std::wstring();
  }
  return *selected_;
}

bool HostIncludeProject::HasComponent(std::wstring_view name) { return IndexOf(name).has_value(); }

void HostIncludeProject::ReplaceLine(long index, long line, const std::wstring& code) {
  Component& component = At(index);
  component.text.reset();
  CodeOf(component).ReplaceLine(line, code);
}

void HostIncludeProject::InsertLines(long index, long line, const std::wstring& code) {
  Component& component = At(index);
  component.text.reset();
  CodeOf(component).InsertLines(line, code);
}

std::optional<long> HostIncludeProject::GetOrAddModule(const std::wstring& name, const std::wstring& code) {
  if (const std::optional<long> index = IndexOf(name)) return index;
  const CodeModule added = qv::GetOrAddModule(name, code);
  if (!added) return std::nullopt;
  // The host appends a new component at the end of the project.
  Components().emplace_back(components_.Find(name));
  Components().back().code = added;
  return ComponentCount();
}

bool HostIncludeProject::HasProjectFiles() { return !State().IsVBA; }

std::vector<std::wstring> HostIncludeProject::FirstFileNames() {
  std::vector<std::wstring> paths;
  const long count = ComponentCount();
  for (long index = 1; index <= count; ++index) {
    const VBComponent& component = At(index).object;
    if (component.FileCount() != 0) paths.push_back(component.FileNames(1));
  }
  return paths;
}

void HostIncludeProject::AddFile(const std::wstring& path, bool related) {
  Components().emplace_back(components_.AddFile(path, related));
}

void HostIncludeProject::ShowError(const std::wstring& description) {
  ShowMessageBox(HostMainWindow(), description, Build().AppTitle, MB_OK);
}

IncludePlaces HostIncludeProject::Places() {
  IncludePlaces places;
  for (const std::wstring& folder : Tables().IncludingPaths) places.including_paths.push_back(folder);
  places.program_files = EnvironmentVariable(L"ProgramFiles");
  try {
    places.project_file = project_.FileName();
  } catch (const VbError&) {
    // The VBA editor raises for a document that was never saved: it has no folder yet.
  }
  places.projects_path = State().settings.ProjectsPath;
  return places;
}

std::optional<std::wstring> DiskIncludeFiles::Find(const std::wstring& path) const { return FoundFileName(path); }

std::vector<std::wstring> DiskIncludeFiles::ReadLines(const std::wstring& path) const {
  const std::optional<std::wstring> text = ReadAnsiFile(path);
  if (!text) {
    ShowMessageBox(HostMainWindow(), LastErrorText(), Build().AppTitle, MB_OK | MB_ICONEXCLAMATION);
    return {};
  }
  return ListLines(*text);
}

}  // namespace qv
