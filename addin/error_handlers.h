#pragma once
// Error handlers of the procedure at a line of the active code pane, edited through the code
// module's InsertLines, ReplaceLine and DeleteLines.
#include <string>

namespace qv {

// Gives the caret's procedure the handler of a template of ErrorHandlers.ini ("header|footer|
// numbering|skip"), in place of the one it has, and numbers it afterwards when the template asks.
void AddErrorHandler(const std::wstring& Template);

// Deletes the handler of the procedure that holds Line (0: the caret's line); OnErrorLine -1 leaves
// a one-line "On Error " statement in place.
void DeleteErrorHandler(long Line, long OnErrorLine);

}  // namespace qv
