#pragma once
// Error handlers from templates: a header at the top of a procedure's body and a footer above its
// End line. Planned over a snapshot as edits placed from the body's first line or from the
// procedure's last line, so that each finds its place in the procedure as the edits before it left
// it: the host glue reads the procedure's extent again before each.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "codetools/code_pane_members.h"
#include "codetools/module_view.h"
#include "codetools/templates.h"

namespace qv {

// The four fields of a template, split at "|"; missing ones are empty.
struct ErrorHandlerTemplate {
  std::wstring header;
  std::wstring footer;
  bool numbering = false;  // the third field reads exactly 1
  bool skip_list = false;  // the fourth reads other than 0
};

ErrorHandlerTemplate SplitTemplate(std::wstring_view Template);

struct HandlerEdit {
  enum Kind { kInsert, kReplace, kDelete };

  Kind kind = kInsert;
  bool from_end = false;  // placed from the procedure's last line, not from the body's first
  long offset = 0;        // lines below the body's first line, or above the procedure's last
  long count = 0;         // lines deleted
  std::wstring text;      // lines inserted or put in place of one, joined by CR LF
};

// Writes an edit through InsertLines, ReplaceLine or DeleteLines, placed by the procedure's first
// body line and last line as they are now.
void WriteHandlerEdit(CodePaneMembers& pane, const HandlerEdit& edit, long first_body_line, long last_line);

// The removal of a procedure's handler: the "On Error " statement that leads its body (before any
// statement but Dim), and, when that is "On Error GoTo X", the footer from the "Exit <kind word>"
// whose next line of code is the label "X:" down to the End line. With keep_one_line, an
// "On Error " statement of one line stays, and `kept` gives its offset below the body's first line.
struct HandlerRemoval {
  std::vector<HandlerEdit> edits;
  std::optional<long> kept;
};

HandlerRemoval PlanHandlerRemoval(const CodeModuleView& module, const ProcedureInfo& procedure,
                                  std::wstring_view kind_word, bool keep_one_line);

// The old handler's removal, then the template's header (in place of a kept one-line "On Error "
// statement, or as the first body line), then its footer right above the End line; each line of
// them IndentWidth blanks in. None when the procedure takes no handler: it has no body line of its
// own, or the footer would go above an End line that holds a statement ("Close #1: End Sub").
std::optional<std::vector<HandlerEdit>> PlanErrorHandler(const CodeModuleView& module, const ProcedureInfo& procedure,
                                                         std::wstring_view kind_word,
                                                         const ErrorHandlerTemplate& handler, long IndentWidth,
                                                         TemplateHost& host);

}  // namespace qv
