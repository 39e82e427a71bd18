#pragma once
// Error handlers of the procedure at the caret of the active code pane, edited through the code
// module's InsertLines, ReplaceLine and DeleteLines.
#include <string>

namespace qv {

// Gives the caret's procedure the handler of a template of ErrorHandlers.ini ("header|footer|
// numbering|skip"), in place of the one it has, and numbers it afterwards when the template asks.
void AddErrorHandler(const std::wstring& Template);

// Deletes the handler: the "On Error " statement that leads the body and the footer it jumps to.
void DeleteErrorHandler();

}  // namespace qv
