#pragma once
// What the add-in's menu entries and toolbar buttons do when clicked. Each gets the clicked control;
// only the numbering toggle looks at it.
#include "host/command_bars.h"

namespace qv {

void OptionsMenuHandler_Click(const CommandBarControl& control);
void AboutMenuHandler_Click(const CommandBarControl& control);
void FormatHandler_Click(const CommandBarControl& control);
void DeclarateHandler_Click(const CommandBarControl& control);
// Removes the numbers when the button shows pressed (the caret's line is numbered), else adds them.
void NumerationHandler_Click(const CommandBarControl& control);
void NumerationMenuHandler_Click(const CommandBarControl& control);
void UnNumerationMenuHandler_Click(const CommandBarControl& control);
void ProcHandler_Click(const CommandBarControl& control);
void BackupHandler_Click(const CommandBarControl& control);
// Opens Quorvane.chm beside the library.
void HelpHandler_Click(const CommandBarControl& control);
void DeleteErrorHandlerHandler_Click(const CommandBarControl& control);

}  // namespace qv
