#pragma once
// VBProject, VBComponents, VBComponent and the Properties of the VBA document component.
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "sandbox/host/collection_object.h"
#include "sandbox/host/dispatch.h"
#include "sandbox/model/module_text.h"

namespace sbx {

class CodeModuleObject;
class ComponentObject;
class ProjectObject;

// VBComponent Type values.
enum ComponentType : long {
  kStdModule = 1,
  kClassModule = 2,
  kUserForm = 3,  // VBA
  kResFile = 4,
  kVbForm = 5,  // VB6
  kPropertyPage = 7,
  kRelatedDocument = 10,
  kDocument = 100,  // VBA: the document the project lives in
};

class PropertyObject final : public DispatchObject<Property> {
 public:
  PropertyObject(std::shared_ptr<HostState> state, ProjectObject& project, std::wstring name);
  HRESULT STDMETHODCALLTYPE get_Value(VARIANT* result) override;
  HRESULT STDMETHODCALLTYPE get_Name(BSTR* result) override;
  const std::wstring& name() const { return name_; }

 private:
  ProjectObject& project_;
  std::wstring name_;
};

class PropertiesObject final : public CollectionObject<Properties, PropertyObject, &PropertyObject::name> {
 public:
  PropertiesObject(std::shared_ptr<HostState> state, std::vector<ComPtr<PropertyObject>> items);
};

class ComponentObject final : public DispatchObject<VBComponent> {
 public:
  ComponentObject(std::shared_ptr<HostState> state, ProjectObject& project, std::wstring name, long type,
                  std::wstring_view text);
  ~ComponentObject() override;

  HRESULT STDMETHODCALLTYPE get_Name(BSTR* result) override;
  HRESULT STDMETHODCALLTYPE put_Name(BSTR value) override;
  HRESULT STDMETHODCALLTYPE get_Type(LONG* result) override;
  HRESULT STDMETHODCALLTYPE get_CodeModule(IDispatch** result) override;
  HRESULT STDMETHODCALLTYPE get_Properties(IDispatch** result) override;
  HRESULT STDMETHODCALLTYPE get_FileCount(short* result) override;
  HRESULT STDMETHODCALLTYPE get_FileNames(short index, BSTR* result) override;
  HRESULT STDMETHODCALLTYPE SaveAs(BSTR file_name) override;

  const std::wstring& name() const { return name_; }
  // Renames the module and its window's caption; an invalid or taken name raises.
  void Rename(std::wstring_view name);
  long component_type() const { return type_; }
  ModuleText& text() const { return *text_; }
  ProjectObject& project() const { return project_; }
  CodeModuleObject& code_module() const { return *code_module_.Get(); }
  // "<project> - <component> (Code)"
  std::wstring CodeCaption() const;
  // The component's file (VB6); "" for none.
  const std::wstring& file_name() const { return file_name_; }
  void SetFileName(std::wstring path) { file_name_ = std::move(path); }
  // Member descriptions (VB6 Members); "" by default.
  void SetMemberDescription(std::wstring_view member, std::wstring description);
  std::wstring MemberDescription(std::wstring_view member) const;

 private:
  ProjectObject& project_;
  std::wstring name_;
  long type_;
  std::unique_ptr<ModuleText> text_;
  int listener_ = 0;
  ComPtr<CodeModuleObject> code_module_;
  ComPtr<PropertiesObject> properties_;
  std::wstring file_name_;
  std::map<std::wstring, std::wstring> descriptions_;  // by folded member name
};

class ComponentsObject final : public CollectionObject<VBComponents, ComponentObject, &ComponentObject::name> {
 public:
  ComponentsObject(std::shared_ptr<HostState> state, ProjectObject& project);

  HRESULT STDMETHODCALLTYPE Add(LONG component_type, IDispatch** result) override;
  HRESULT STDMETHODCALLTYPE AddFile(BSTR path_name, VARIANT_BOOL is_related_document, IDispatch** result) override;
  HRESULT STDMETHODCALLTYPE Remove(IDispatch* component) override;

  // Adds a component with its text; "" names it "<Module|Class|...><first free n>".
  ComponentObject& Add(long type, std::wstring name, std::wstring_view text);
  ComponentObject* Find(std::wstring_view name) const;

 private:
  std::wstring FreeName(long type) const;

  ProjectObject& project_;
};

// The version lines of a VB6 project file.
struct ProjectVersion {
  int major = 1;
  int minor = 0;
  int revision = 0;
};

class ProjectObject final : public DispatchObject<VBProject> {
 public:
  ProjectObject(std::shared_ptr<HostState> state, std::wstring name);

  HRESULT STDMETHODCALLTYPE get_Name(BSTR* result) override;
  HRESULT STDMETHODCALLTYPE get_FileName(BSTR* result) override;
  HRESULT STDMETHODCALLTYPE get_Saved(VARIANT_BOOL* result) override;
  HRESULT STDMETHODCALLTYPE get_VBComponents(IDispatch** result) override;

  const std::wstring& name() const { return name_; }
  ComponentsObject& components() const { return *components_.Get(); }
  // VBA: the document's full path; VB6: the .vbp file. "" while never saved.
  const std::wstring& file_name() const { return file_name_; }
  void SetFileName(std::wstring path) { file_name_ = std::move(path); }
  void SetSaved(bool saved) { saved_ = saved; }
  const ProjectVersion& version() const { return version_; }
  void SetVersion(ProjectVersion version) { version_ = version; }

 private:
  std::wstring name_;
  std::wstring file_name_;
  ProjectVersion version_;
  bool saved_ = true;
  ComPtr<ComponentsObject> components_;
};

}  // namespace sbx
