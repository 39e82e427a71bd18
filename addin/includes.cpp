#include "addin/includes.h"

#include <windows.h>

#include "addin/build_info.h"
#include "addin/connection.h"
#include "addin/include_project.h"
#include "addin/session.h"
#include "host/host_module_view.h"
#include "win/failure_log.h"
#include "win/message_box.h"

namespace qv {

void RunIncludePass(IncludeState& state) {
  Guarded(L"ProcessIncludes", [&] {
    HostIncludeProject project;
    ProcessIncludes(state.Includes, project, DiskIncludeFiles(), project.Places());
  });
}

void AddDeclaration(IncludeState& state, const std::wstring& Text, bool ListOnly) {
  HostIncludeProject project;
  AddDeclaration(Text, ListOnly, state.Includes, project, state.DeclaredNames);
}

void AutoAPIDeclarate(IncludeState& state) {
  try {
    const CodePane pane = VBInstance().ActiveCodePane();
    if (!pane) return;
    const Selection caret = pane.GetSelection();
    if (caret.start_column == 1) return;
    state.DeclaredNames.Clear();
    const std::wstring word = DeclarationWord(HostModuleView(pane.CodeModule()), caret.start_line, caret.start_column);
    if (!word.empty()) AddDeclaration(state, word, false);
  } catch (const VbError& error) {
    // The text names the Visual Basic 6.0 build's module in both builds.
    const std::wstring text = error.description + L"\r\nна QuorvaneStudio.modMain.AutoAPIDeclarate в строке 0";
    ShowMessageBox(HostMainWindow(), text, Build().AppTitle, MB_OK | MB_ICONEXCLAMATION);
  }
}

}  // namespace qv
