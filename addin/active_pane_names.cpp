// Names taken from the host for templates: the procedure at a line of the active pane, the active
// project and the selected component.
#include "addin/addin_state.h"
#include "addin/code_pane.h"

namespace qv {
namespace {

IDispatch* Vbe() { return State().VBInstance.Object(); }

// The object's Name; nullopt for Nothing.
std::optional<std::wstring> NameOf(const Variant& object) {
  if (!object.Object()) return std::nullopt;
  return Get(object.Object(), L"Name").Text();
}

}  // namespace

std::wstring GetProcName(long LineNumber, long& Kind, std::wstring& MemberType) {
  const HostModuleView module(Path(Vbe(), {L"ActiveCodePane", L"CodeModule"}));
  return GetProcName(module, LineNumber, Kind, MemberType);
}

const CodeModuleView* ActivePaneTemplateHost::CodePane() {
  if (!module_) {
    const Variant pane = Get(Vbe(), L"ActiveCodePane");
    if (!pane.Object()) return nullptr;
    module_.emplace(Get(pane.Object(), L"CodeModule"));
  }
  return &*module_;
}

std::optional<std::wstring> ActivePaneTemplateHost::ProjectName() { return NameOf(Get(Vbe(), L"ActiveVBProject")); }

std::optional<std::wstring> ActivePaneTemplateHost::ComponentName() {
  return NameOf(Get(Vbe(), L"SelectedVBComponent"));
}

}  // namespace qv
