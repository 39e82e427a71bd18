#include "sandbox/host/project.h"

#include <algorithm>
#include <cwctype>
#include <optional>

#include "kit/case_fold.h"
#include "kit/vb_strings.h"
#include "sandbox/host/ansi_file.h"
#include "sandbox/host/code_module.h"
#include "sandbox/host/enum_variant.h"
#include "sandbox/host/host_state.h"
#include "win/ansi_file.h"

namespace sbx {
namespace {

// The code of a module file: what follows its header of "Attribute VB_..." lines (and, in form and
// class files, the VERSION and BEGIN blocks before them).
std::wstring CodeOfModuleFile(const std::wstring& file_text) {
  const ModuleText lines(file_text);
  int last_header_line = 0;
  for (int line = 1; line <= lines.CountOfLines(); ++line) {
    if (qv::FoldCase(lines.Line(line)).starts_with(L"attribute vb_")) last_header_line = line;
  }
  return lines.Lines(last_header_line + 1, lines.CountOfLines() - last_header_line);
}

std::wstring FileNamePart(std::wstring_view path) { return std::wstring(path.substr(path.rfind(L'\\') + 1)); }

bool IsIdentifier(std::wstring_view name) {
  if (name.empty() || name.size() > 31 || !std::iswalpha(name.front())) return false;
  for (const wchar_t c : name) {
    if (!std::iswalnum(c) && c != L'_') return false;
  }
  return true;
}

const wchar_t* NamePrefix(long type) {
  switch (type) {
    case kStdModule:
      return L"Module";
    case kClassModule:
      return L"Class";
    case kUserForm:
      return L"UserForm";
    case kVbForm:
      return L"Form";
    case kPropertyPage:
      return L"PropertyPage";
    default:
      return L"Component";
  }
}

// VBComponents.Add: the types each host can add (assumed beyond the standard module).
bool CanAdd(const HostState& state, long type) {
  return type == kStdModule || type == kClassModule || type == (state.IsVba() ? kUserForm : kVbForm);
}

// AddFile: the type from the extension (assumed).
long TypeOfFile(std::wstring_view path) {
  const std::wstring extension = qv::FoldCase(path.substr(path.rfind(L'.') + 1));
  if (extension == L"bas") return kStdModule;
  if (extension == L"cls") return kClassModule;
  if (extension == L"frm") return kVbForm;
  if (extension == L"res") return kResFile;
  throw qv::InvalidCallError();
}

}  // namespace

PropertyObject::PropertyObject(std::shared_ptr<HostState> state, ProjectObject& project, std::wstring name)
    : DispatchObject(std::move(state)), project_(project), name_(std::move(name)) {}

HRESULT PropertyObject::get_Value(VARIANT* result) {
  return Guarded([&] {
    // "Path" is the document's folder, "Name" its file name; both "" while never saved.
    const std::wstring& path = project_.file_name();
    V_VT(result) = VT_BSTR;
    V_BSTR(result) = Bstr(name_ == L"Path" ? qv::GetDirectory(path) : FileNamePart(path));
  });
}

HRESULT PropertyObject::get_Name(BSTR* result) {
  return Guarded([&] { *result = Bstr(name_); });
}

PropertiesObject::PropertiesObject(std::shared_ptr<HostState> state, std::vector<ComPtr<PropertyObject>> items)
    : CollectionObject(std::move(state)) {
  items_ = std::move(items);
}

ComponentObject::ComponentObject(std::shared_ptr<HostState> state, ProjectObject& project, std::wstring name, long type,
                                 std::wstring_view text)
    : DispatchObject(state),
      project_(project),
      name_(std::move(name)),
      type_(type),
      text_(std::make_unique<ModuleText>(text)) {
  text_->SetTrailingLinesInLast(state->options.trailing_lines_in_last);
  text_->SetMissingLinesReadEmpty(state->options.missing_lines_read_empty);
  listener_ = text_->Subscribe([this](const LineChange&, EditOrigin) { project_.SetSaved(false); });
  code_module_ = Make<CodeModuleObject>(state, *this);
  std::vector<ComPtr<PropertyObject>> properties;
  if (type == kDocument) {
    for (const wchar_t* property : {L"Name", L"Path"})
      properties.push_back(Make<PropertyObject>(state, project, property));
  }
  properties_ = Make<PropertiesObject>(state, std::move(properties));
}

ComponentObject::~ComponentObject() { text_->Unsubscribe(listener_); }

HRESULT ComponentObject::get_Name(BSTR* result) {
  return Guarded([&] { *result = Bstr(name_); });
}

HRESULT ComponentObject::put_Name(BSTR value) {
  return Guarded([&] { Rename(std::wstring_view(value, SysStringLen(value))); });
}

void ComponentObject::Rename(std::wstring_view name) {
  // The host refuses names that are no identifier and names taken by another component (assumed).
  if (!IsIdentifier(name)) throw qv::InvalidCallError();
  const ComponentObject* other = project_.components().Find(name);
  if (other && other != this)
    throw qv::VbError(32813, L"Имя конфликтует с существующим модулем, проектом или библиотекой");
  name_ = name;
  if (CodeWindow* window = state().WindowShowing(*text_)) window->SetCaption(CodeCaption());
}

HRESULT ComponentObject::get_Type(LONG* result) {
  return Guarded([&] { *result = type_; });
}

HRESULT ComponentObject::get_CodeModule(IDispatch** result) {
  return Guarded([&] { *result = Share(code_module_); });
}

HRESULT ComponentObject::get_Properties(IDispatch** result) {
  return Guarded([&] { *result = Share(properties_); });
}

HRESULT ComponentObject::get_FileCount(short* result) {
  return Guarded([&] { *result = file_name_.empty() ? short{0} : short{1}; });
}

HRESULT ComponentObject::get_FileNames(short index, BSTR* result) {
  return Guarded([&] {
    if (index != 1 || file_name_.empty()) throw qv::SubscriptError();
    *result = Bstr(file_name_);
  });
}

HRESULT ComponentObject::SaveAs(BSTR file_name) {
  return Guarded([&] {
    std::wstring path(file_name, SysStringLen(file_name));
    WriteAnsiFile(path, text_->Text() + L"\r\n");
    file_name_ = std::move(path);
  });
}

std::wstring ComponentObject::CodeCaption() const { return project_.name() + L" - " + name_ + L" (Code)"; }

void ComponentObject::SetMemberDescription(std::wstring_view member, std::wstring description) {
  descriptions_.insert_or_assign(qv::FoldCase(member), std::move(description));
}

std::wstring ComponentObject::MemberDescription(std::wstring_view member) const {
  const auto found = descriptions_.find(qv::FoldCase(member));
  return found == descriptions_.end() ? std::wstring() : found->second;
}

ComponentsObject::ComponentsObject(std::shared_ptr<HostState> state, ProjectObject& project)
    : CollectionObject(std::move(state)), project_(project) {}

HRESULT ComponentsObject::Add(LONG component_type, IDispatch** result) {
  return Guarded([&] {
    if (!CanAdd(state(), component_type)) throw qv::InvalidCallError();
    ComponentObject& component = Add(component_type, L"", L"");
    project_.SetSaved(false);
    // The host opens the new module's code window and activates it (assumed).
    state().workspace->OpenCodeWindow(component.text(), component.CodeCaption(), true);
    *result = ShareObject(component);
  });
}

HRESULT ComponentsObject::AddFile(BSTR path_name, VARIANT_BOOL is_related_document, IDispatch** result) {
  return Guarded([&] {
    const std::wstring path(path_name, SysStringLen(path_name));
    const long type = is_related_document ? kRelatedDocument : TypeOfFile(path);
    const std::optional<std::wstring> file_text = qv::ReadAnsiFile(path);
    if (!file_text) throw qv::VbError(53, L"Файл не найден");
    const bool has_code = type != kRelatedDocument && type != kResFile;
    std::wstring name = FileNamePart(path);
    name = name.substr(0, name.rfind(L'.'));
    ComponentObject& component =
        Add(type, IsIdentifier(name) && !Find(name) ? name : L"", has_code ? CodeOfModuleFile(*file_text) : L"");
    component.SetFileName(path);
    project_.SetSaved(false);
    *result = ShareObject(component);
  });
}

// Remove: the component's code window closes with it (assumed).
HRESULT ComponentsObject::Remove(IDispatch* component) {
  return Guarded([&] {
    const auto found = std::find_if(items_.begin(), items_.end(),
                                    [&](const ComPtr<ComponentObject>& item) { return item->AsDispatch() == component; });
    if (found == items_.end()) throw qv::InvalidCallError();
    if (CodeWindow* window = state().WindowShowing((*found)->text())) DestroyWindow(window->hwnd());
    items_.erase(found);
    project_.SetSaved(false);
  });
}

ComponentObject& ComponentsObject::Add(long type, std::wstring name, std::wstring_view text) {
  if (name.empty()) name = FreeName(type);
  items_.push_back(Make<ComponentObject>(state().shared_from_this(), project_, std::move(name), type, text));
  return *items_.back().Get();
}

ComponentObject* ComponentsObject::Find(std::wstring_view name) const {
  for (const auto& item : items_) {
    if (qv::EqualsNoCase(item->name(), name)) return item.Get();
  }
  return nullptr;
}

std::wstring ComponentsObject::FreeName(long type) const {
  for (int n = 1;; ++n) {
    std::wstring name = NamePrefix(type) + std::to_wstring(n);
    if (!Find(name)) return name;
  }
}

ProjectObject::ProjectObject(std::shared_ptr<HostState> state, std::wstring name)
    : DispatchObject(state), name_(std::move(name)), components_(Make<ComponentsObject>(state, *this)) {}

HRESULT ProjectObject::get_Name(BSTR* result) {
  return Guarded([&] { *result = Bstr(name_); });
}

HRESULT ProjectObject::get_FileName(BSTR* result) {
  return Guarded([&] {
    // A document never saved has no path; the VBA editor raises for it (assumed; switch: "").
    if (file_name_.empty() && state().IsVba() && !state().options.unsaved_file_name_empty) {
      throw qv::VbError(76, L"Путь не найден");
    }
    *result = Bstr(file_name_);
  });
}

HRESULT ProjectObject::get_Saved(VARIANT_BOOL* result) {
  return Guarded([&] { *result = VbBool(saved_); });
}

HRESULT ProjectObject::get_VBComponents(IDispatch** result) {
  return Guarded([&] { *result = Share(components_); });
}

}  // namespace sbx
