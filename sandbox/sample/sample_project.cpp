#include "sandbox/sample/sample_project.h"

#include <windows.h>

#include <filesystem>

#include "sandbox/host/host.h"

namespace sbx {
namespace {

struct SampleComponent {
  int resource;  // in sample.rc
  long type;     // a form's type is the personality's
  const wchar_t* name;
};

constexpr long kForm = -1;
constexpr SampleComponent kSample[] = {
    {101, kStdModule, L"Main"},
    {102, kStdModule, L"TextTools"},
    {103, kClassModule, L"Customer"},
    {104, kForm, L"OrderForm"},
};

std::wstring SampleText(int resource) {
  const HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(resource), MAKEINTRESOURCEW(10));  // RT_RCDATA
  if (!found) return {};
  const auto* bytes = static_cast<const char*>(LockResource(LoadResource(nullptr, found)));
  const int size = static_cast<int>(SizeofResource(nullptr, found));
  std::wstring text(static_cast<size_t>(size), L'\0');
  text.resize(static_cast<size_t>(MultiByteToWideChar(CP_UTF8, 0, bytes, size, text.data(), size)));
  return text;
}

}  // namespace

ProjectObject& OpenSampleProject(Host& host, const std::wstring& folder) {
  const bool vba = host.state().IsVba();
  ProjectObject& project = host.AddProject(vba ? L"VBAProject" : L"Sample");
  for (const SampleComponent& component : kSample) {
    const long form = vba ? kUserForm : kVbForm;
    host.AddComponent(project, component.type == kForm ? form : component.type, component.name,
                      SampleText(component.resource));
  }
  std::error_code ignored;  // a folder that cannot be made fails at the first file
  std::filesystem::create_directories(folder, ignored);
  host.SaveProject(project, folder + (vba ? L"\\Sample.xls" : L"\\Sample.vbp"));
  host.workspace().OpenDesignerWindow(project.name() + (vba ? L" - OrderForm (UserForm)" : L" - OrderForm (Form)"));
  host.Open(*project.components().Find(L"TextTools"));
  host.Open(*project.components().Find(L"Main"));
  return project;
}

}  // namespace sbx
