#include "addin/command_handlers.h"

#include "addin/addin_state.h"
#include "addin/code_pane.h"
#include "addin/connection.h"
#include "addin/entry_points.h"
#include "addin/error_handlers.h"
#include "addin/line_numbering.h"
#include "addin/main_form.h"
#include "addin/shell_open.h"
#include "win/files.h"

namespace qv {

void OptionsMenuHandler_Click(const CommandBarControl&) { ShowOptions(true); }

void AboutMenuHandler_Click(const CommandBarControl&) { ShowAbout(); }

void FormatHandler_Click(const CommandBarControl&) { FormatSelection(); }

void DeclarateHandler_Click(const CommandBarControl&) { ShowDeclarations(); }

void NumerationHandler_Click(const CommandBarControl& control) {
  if (control.State().value_or(false)) {
    UnNumerationMenuHandler_Click(control);
  } else {
    NumerationMenuHandler_Click(control);
  }
}

void NumerationMenuHandler_Click(const CommandBarControl&) {
  AddLineNumbers(-1, 0, 0, true, State().settings.SkipLinesInOffensive);
}

void UnNumerationMenuHandler_Click(const CommandBarControl&) { RemoveLineNumbers(); }

void ProcHandler_Click(const CommandBarControl&) { ShowProcs(); }

void BackupHandler_Click(const CommandBarControl&) { BackupProject(); }

void HelpHandler_Click(const CommandBarControl&) { ShellOpen(MainFormWindow(), AppPath() + L"Quorvane.chm", L"C:\\"); }

void DeleteErrorHandlerHandler_Click(const CommandBarControl&) { DeleteErrorHandler(); }

}  // namespace qv
