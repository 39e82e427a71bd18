#include "library/command_handlers.h"

#include "addin/addin_state.h"
#include "addin/code_pane.h"
#include "addin/line_numbering.h"
#include "library/connection_parts.h"
#include "win/files.h"

namespace qv {
namespace {

void AddNumbers() { AddLineNumbers(-1, 0, 0, true, State().settings.SkipLinesInOffensive); }

}  // namespace

CommandHandlers MakeCommandHandlers(Parts& parts) {
  return {
      .Options = [&parts](const CommandBarControl&) { parts.ShowOptions(true); },
      .About = [&parts](const CommandBarControl&) { parts.ShowAbout(); },
      .Format = [](const CommandBarControl&) { FormatSelection(); },
      .Declarate = [&parts](const CommandBarControl&) { parts.ShowDeclarations(); },
      // Removes the numbers when the button shows pressed (the caret's line is numbered), else adds
      // them.
      .Numeration =
          [](const CommandBarControl& control) {
            if (control.State().value_or(false)) {
              RemoveLineNumbers();
            } else {
              AddNumbers();
            }
          },
      .NumerationMenu = [](const CommandBarControl&) { AddNumbers(); },
      .UnNumerationMenu = [](const CommandBarControl&) { RemoveLineNumbers(); },
      .Proc = [&parts](const CommandBarControl&) { parts.ShowProcs(); },
      .Backup = [&parts](const CommandBarControl&) { parts.BackupProject(); },
      // Quorvane.chm beside the library.
      .Help =
          [&parts](const CommandBarControl&) {
            parts.ShellOpen(CurrentParts().form.Window(), AppPath() + L"Quorvane.chm", L"C:\\");
          },
  };
}

}  // namespace qv
