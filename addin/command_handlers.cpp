#include "addin/command_handlers.h"

#include "addin/addin_state.h"
#include "addin/code_pane.h"
#include "addin/entry_points.h"
#include "addin/main_form.h"
#include "addin/shell_open.h"
#include "win/files.h"

namespace qv {

void OptionsMenuHandler_Click(IDispatch*) { ShowOptions(true); }

void AboutMenuHandler_Click(IDispatch*) { ShowAbout(); }

void FormatHandler_Click(IDispatch*) {
  FormatRequest request;
  request.selection = GetSelection(Get(State().VBInstance.Object(), L"ActiveCodePane").Object());
  Formatting(request);
}

void DeclarateHandler_Click(IDispatch*) { ShowDeclarations(); }

void NumerationHandler_Click(IDispatch* CommandBarControl) {
  const Variant state = Get(CommandBarControl, L"State");
  if (state.type() != VT_NULL && state.Bool()) {
    UnNumerationMenuHandler_Click(CommandBarControl);
  } else {
    NumerationMenuHandler_Click(CommandBarControl);
  }
}

void NumerationMenuHandler_Click(IDispatch*) { AddLineNumbers(-1, 0, 0, true, State().settings.SkipLinesInOffensive); }

void UnNumerationMenuHandler_Click(IDispatch*) { RemoveLineNumbers(); }

void ProcHandler_Click(IDispatch*) { ShowProcs(); }

void BackupHandler_Click(IDispatch*) { BackupProject(); }

void HelpHandler_Click(IDispatch*) { ShellOpen(MainFormWindow(), AppPath() + L"Quorvane.chm", L"C:\\"); }

void DeleteErrorHandlerHandler_Click(IDispatch*) { DeleteErrorHandler(0, 0); }

}  // namespace qv
