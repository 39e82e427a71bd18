#include "host/vbe.h"

namespace qv {
namespace {

constexpr std::wstring_view kName = L"Name";

}  // namespace

std::wstring Window::Caption() const { return Read(L"Caption").Text(); }

long Window::Type() const { return Read(L"Type").Long(); }

void Window::SetFocus() const { Call(L"SetFocus"); }

std::wstring Properties::Value(const std::wstring& name) const { return Get(Item(name).Object(), L"Value").Text(); }

std::wstring VBComponent::Name() const { return Read(kName).Text(); }

void VBComponent::SetName(const std::wstring& name) const { Write(kName, name); }

long VBComponent::Type() const { return Read(L"Type").Long(); }

qv::CodeModule VBComponent::CodeModule() const { return qv::CodeModule(Read(L"CodeModule")); }

qv::Properties VBComponent::Properties() const { return qv::Properties(Read(L"Properties")); }

long VBComponent::FileCount() const { return Read(L"FileCount").Long(); }

std::wstring VBComponent::FileNames(long index) const { return Read(L"FileNames", {index}).Text(); }

void VBComponent::SaveAs(const std::wstring& file_name) const { Call(L"SaveAs", {file_name}); }

VBComponent VBComponents::Find(const std::wstring& name) const { return VBComponent(FindItem(name)); }

VBComponent VBComponents::Add(long type) const { return VBComponent(Call(L"Add", {type})); }

long VBComponents::Count() const { return Read(L"Count").Long(); }

VBComponent VBComponents::Item(long index) const { return VBComponent(HostObject::Item(index)); }

VBComponent VBComponents::AddFile(const std::wstring& path, bool related) const {
  return VBComponent(Call(L"AddFile", {path, related}));
}

void VBComponents::Remove(const VBComponent& component) const { Call(L"Remove", {Variant(component.get())}); }

std::wstring VBProject::Name() const { return Read(kName).Text(); }

std::wstring VBProject::FileName() const { return Read(L"FileName").Text(); }

bool VBProject::Saved() const { return Read(L"Saved").Bool(); }

qv::VBComponents VBProject::VBComponents() const { return qv::VBComponents(Read(L"VBComponents")); }

HostObject Events::CommandBarEvents(const CommandBarControl& control) const {
  return HostObject(Read(L"CommandBarEvents", {Variant(control.get())}));
}

std::wstring Vbe::Version() const { return Read(L"Version").Text(); }

std::wstring Vbe::FullName() const { return Read(L"FullName").Text(); }

qv::Window Vbe::MainWindow() const { return qv::Window(Read(L"MainWindow")); }

qv::Window Vbe::ActiveWindow() const { return qv::Window(Read(L"ActiveWindow")); }

qv::CodePane Vbe::ActiveCodePane() const { return qv::CodePane(Read(L"ActiveCodePane")); }

qv::CodePanes Vbe::CodePanes() const { return qv::CodePanes(Read(L"CodePanes")); }

long CodePanes::Count() const { return Read(L"Count").Long(); }

qv::CodePane CodePanes::Item(long index) const { return qv::CodePane(HostObject::Item(index)); }

qv::VBProject Vbe::ActiveVBProject() const { return qv::VBProject(Read(L"ActiveVBProject")); }

VBComponent Vbe::SelectedVBComponent() const { return VBComponent(Read(L"SelectedVBComponent")); }

qv::CommandBars Vbe::CommandBars() const { return qv::CommandBars(Read(L"CommandBars")); }

qv::Events Vbe::Events() const { return qv::Events(Read(L"Events")); }

}  // namespace qv
