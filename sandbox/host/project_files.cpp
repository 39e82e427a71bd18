#include "sandbox/host/project_files.h"

#include "kit/case_fold.h"
#include "kit/vb_strings.h"
#include "sandbox/host/ansi_file.h"
#include "sandbox/host/host_state.h"
#include "sandbox/host/project.h"

namespace sbx {
namespace {

// Resource files and related documents are the user's own: the host lists them and never writes them.
bool HasCode(const ComponentObject& component) {
  return component.component_type() != kResFile && component.component_type() != kRelatedDocument;
}

std::wstring ModuleFileText(const ComponentObject& component) {
  return L"Attribute VB_Name = \"" + component.name() + L"\"\r\n" + component.text().Text() + L"\r\n";
}

const wchar_t* Extension(long type) {
  switch (type) {
    case kClassModule:
      return L".cls";
    case kVbForm:
      return L".frm";
    default:
      return L".bas";
  }
}

// The component's line of the project file; a file beside the project file is named without its folder.
std::wstring ProjectLine(const ComponentObject& component, const std::wstring& folder) {
  std::wstring file = component.file_name();
  if (qv::FoldCase(file).starts_with(qv::FoldCase(folder + L"\\"))) file.erase(0, folder.size() + 1);
  switch (component.component_type()) {
    case kClassModule:
      return L"Class=" + component.name() + L"; " + file;
    case kVbForm:
      return L"Form=" + file;
    case kResFile:
      return L"ResFile32=\"" + file + L"\"";
    case kRelatedDocument:
      return L"RelatedDoc=" + file;
    default:
      return L"Module=" + component.name() + L"; " + file;
  }
}

void WriteVb6Project(ProjectObject& project, const std::wstring& path) {
  const std::wstring folder = qv::GetDirectory(path);
  std::wstring listing = L"Type=Exe\r\n";
  for (const auto& component : project.components().items()) {
    if (HasCode(*component.Get())) {
      if (component->file_name().empty()) {
        component->SetFileName(folder + L"\\" + component->name() + Extension(component->component_type()));
      }
      WriteAnsiFile(component->file_name(), ModuleFileText(*component.Get()));
    }
    listing += ProjectLine(*component.Get(), folder) + L"\r\n";
  }
  const ProjectVersion& version = project.version();
  listing += L"Name=\"" + project.name() + L"\"\r\nMajorVer=" + std::to_wstring(version.major) + L"\r\nMinorVer=" +
             std::to_wstring(version.minor) + L"\r\nRevisionVer=" + std::to_wstring(version.revision) + L"\r\n";
  WriteAnsiFile(path, listing);
}

void WriteDocument(const ProjectObject& project, const std::wstring& path) {
  std::wstring document;
  for (const auto& component : project.components().items()) document += ModuleFileText(*component.Get());
  WriteAnsiFile(path, document);
}

}  // namespace

void WriteProject(const HostState& state, ProjectObject& project, const std::wstring& path) {
  state.IsVba() ? WriteDocument(project, path) : WriteVb6Project(project, path);
  project.SetFileName(path);
}

}  // namespace sbx
