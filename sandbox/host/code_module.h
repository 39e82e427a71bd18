#pragma once
// CodeModule over the module text, and the VB6 Members of a module.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "sandbox/host/collection_object.h"
#include "sandbox/host/dispatch.h"

namespace sbx {

class ComponentObject;

class MemberObject final : public DispatchObject<Member> {
 public:
  MemberObject(std::shared_ptr<HostState> state, ComponentObject& component, std::wstring name);
  HRESULT STDMETHODCALLTYPE get_Name(BSTR* result) override;
  HRESULT STDMETHODCALLTYPE get_Description(BSTR* result) override;
  const std::wstring& name() const { return name_; }

 private:
  ComponentObject& component_;
  std::wstring name_;
};

// The procedures of the module as they are now, one member per name.
class MembersObject final : public CollectionObject<Members, MemberObject, &MemberObject::name> {
 public:
  MembersObject(std::shared_ptr<HostState> state, ComponentObject& component);

 protected:
  // The module's procedures now; a member keeps its object while its name stays.
  void Refresh() override;

 private:

  ComponentObject& component_;
  std::map<std::wstring, ComPtr<MemberObject>> by_folded_name_;
};

class CodeModuleObject final : public DispatchObject<CodeModule> {
 public:
  CodeModuleObject(std::shared_ptr<HostState> state, ComponentObject& component);

  HRESULT STDMETHODCALLTYPE get_Lines(LONG start_line, LONG count, BSTR* result) override;
  HRESULT STDMETHODCALLTYPE get_CountOfLines(LONG* result) override;
  HRESULT STDMETHODCALLTYPE get_CountOfDeclarationLines(LONG* result) override;
  HRESULT STDMETHODCALLTYPE ReplaceLine(LONG line, BSTR code) override;
  HRESULT STDMETHODCALLTYPE InsertLines(LONG line, BSTR code) override;
  HRESULT STDMETHODCALLTYPE DeleteLines(LONG start_line, LONG count) override;
  HRESULT STDMETHODCALLTYPE AddFromString(BSTR text) override;
  HRESULT STDMETHODCALLTYPE get_ProcOfLine(LONG line, LONG* proc_kind, BSTR* result) override;
  HRESULT STDMETHODCALLTYPE get_ProcStartLine(BSTR proc_name, LONG proc_kind, LONG* result) override;
  HRESULT STDMETHODCALLTYPE get_ProcBodyLine(BSTR proc_name, LONG proc_kind, LONG* result) override;
  HRESULT STDMETHODCALLTYPE get_ProcCountLines(BSTR proc_name, LONG proc_kind, LONG* result) override;
  HRESULT STDMETHODCALLTYPE get_Parent(IDispatch** result) override;
  HRESULT STDMETHODCALLTYPE get_CodePane(IDispatch** result) override;
  HRESULT STDMETHODCALLTYPE get_Members(IDispatch** result) override;

 private:
  ComponentObject& component_;
  ComPtr<MembersObject> members_;
};

}  // namespace sbx
