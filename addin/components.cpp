// Components of the active project, found by name or added as standard modules.
#include "addin/addin_state.h"
#include "addin/build_info.h"
#include "addin/code_pane.h"

namespace qv {
namespace {

constexpr long kStdModule = 1;

Variant ActiveComponents() { return Path(State().VBInstance.Object(), {L"ActiveVBProject", L"VBComponents"}); }

}  // namespace

Variant GetComponent(const std::wstring& Name) {
  try {
    return Get(ActiveComponents().Object(), L"Item", {Name});
  } catch (const VbError&) {
    return {};
  }
}

Variant GetOrAddModule(const std::wstring& Name, const std::wstring& Code) {
  try {
    Variant component = GetComponent(Name);
    if (!component.Object()) {
      component = Invoke(ActiveComponents().Object(), L"Add", DISPATCH_METHOD, {kStdModule});
      Put(component.Object(), L"Name", Name);
      // The host opens the new module's window; it is closed unless the user's window is the one in
      // front, which must stay.
      const HWND window = GetCodeWindow();
      if (window && ShowsCodePane(window, Path(component.Object(), {L"CodeModule", L"CodePane"}).Object())) {
        PostMessageW(window, WM_CLOSE, 0, 0);
      }
      Invoke(Get(component.Object(), L"CodeModule").Object(), L"AddFromString", DISPATCH_METHOD, {Code});
    }
    return Get(component.Object(), L"CodeModule");
  } catch (const VbError& error) {
    MessageBoxW(State().hWndMain, error.description.c_str(), Build().AppTitle, MB_OK);
    return {};
  }
}

}  // namespace qv
