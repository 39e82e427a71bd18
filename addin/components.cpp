// Components of the active project, found by name or added as standard modules.
#include "addin/build_info.h"
#include "addin/code_pane.h"
#include "addin/connection.h"
#include "addin/session.h"
#include "codetools/includes.h"
#include "win/message_box.h"

namespace qv {
namespace {

VBComponents ActiveComponents() { return VBInstance().ActiveVBProject().VBComponents(); }

}  // namespace

VBComponent GetComponent(const std::wstring& Name) { return ActiveComponents().Find(Name); }

CodeModule GetOrAddModule(const std::wstring& Name, const std::wstring& Code) {
  try {
    VBComponent component = GetComponent(Name);
    if (!component) {
      const VBComponents components = ActiveComponents();
      component = components.Add(kStandardModuleType);
      try {
        component.SetName(Name);
      } catch (const VbError&) {
        // An unrenamed "Module1" would stay behind, and the next try would add another.
        components.Remove(component);
        throw;
      }
      // The host opens the new module's window; it is closed unless the user's window is the one in
      // front, which must stay.
      const HWND window = GetCodeWindow();
      if (window && ShowsCodePane(window, component.CodeModule().CodePane())) PostMessageW(window, WM_CLOSE, 0, 0);
      component.CodeModule().AddFromString(Code);
    }
    return component.CodeModule();
  } catch (const VbError& error) {
    ShowMessageBox(HostMainWindow(), error.description, Build().AppTitle, MB_OK);
    return {};
  }
}

}  // namespace qv
