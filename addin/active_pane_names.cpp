// Names taken from the host for templates: the procedure at a line of the active pane, the active
// project and the selected component.
#include "addin/code_pane.h"
#include "addin/connection.h"

namespace qv {
namespace {

// The object's Name; nullopt for Nothing.
template <class Named>
std::optional<std::wstring> NameOf(const Named& object) {
  if (!object) return std::nullopt;
  return object.Name();
}

}  // namespace

std::wstring GetProcName(long LineNumber, long& Kind, std::wstring& MemberType) {
  const HostModuleView module(VBInstance().ActiveCodePane().CodeModule());
  return GetProcName(module, LineNumber, Kind, MemberType);
}

const CodeModuleView* ActivePaneTemplateHost::CodePane() {
  if (!module_) {
    const qv::CodePane pane = VBInstance().ActiveCodePane();
    if (!pane) return nullptr;
    module_.emplace(pane.CodeModule());
  }
  return &*module_;
}

std::optional<std::wstring> ActivePaneTemplateHost::ProjectName() { return NameOf(VBInstance().ActiveVBProject()); }

std::optional<std::wstring> ActivePaneTemplateHost::ComponentName() {
  return NameOf(VBInstance().SelectedVBComponent());
}

}  // namespace qv
