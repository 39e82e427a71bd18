#pragma once
// What the add-in's menu entries and toolbar buttons do when clicked. Each gets the clicked control;
// only the numbering toggle looks at it.
#include <windows.h>

#include <oaidl.h>

namespace qv {

void OptionsMenuHandler_Click(IDispatch* CommandBarControl);
void AboutMenuHandler_Click(IDispatch* CommandBarControl);
void FormatHandler_Click(IDispatch* CommandBarControl);
void DeclarateHandler_Click(IDispatch* CommandBarControl);
// Removes the numbers when the button shows pressed (the caret's line is numbered), else adds them.
void NumerationHandler_Click(IDispatch* CommandBarControl);
void NumerationMenuHandler_Click(IDispatch* CommandBarControl);
void UnNumerationMenuHandler_Click(IDispatch* CommandBarControl);
void ProcHandler_Click(IDispatch* CommandBarControl);
void BackupHandler_Click(IDispatch* CommandBarControl);
// Opens Quorvane.chm beside the library.
void HelpHandler_Click(IDispatch* CommandBarControl);
void DeleteErrorHandlerHandler_Click(IDispatch* CommandBarControl);

}  // namespace qv
