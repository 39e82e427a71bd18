#pragma once
// How the code tools read and change the host's code: through the active code pane of VBInstance.
#include <windows.h>

#include <optional>
#include <string>

#include "codetools/indent_engine.h"
#include "codetools/templates.h"
#include "host/host_module_view.h"
#include "host/vbe.h"

namespace qv {

// Replaces lines FirstLine..LastLine of the active pane by Text (lines joined by CR LF) so that the
// host's undo takes the change back in one step, and moves the selection by ColumnShift columns.
// With FormatAfter the pasted lines are re-indented afterwards. A failure ends it (recorded); the
// user's clipboard text is back in every case, and Busy keeps timer ticks out while it runs.
void PasteCode(long FirstLine, long LastLine, const std::wstring& Text, long ColumnShift, bool FormatAfter);
// The same for an edit computed over a snapshot, which gives the replaced last line's length.
void PasteCode(const CodeEdit& edit, long last_line_length, bool FormatAfter);

// The window of the active code pane; null when none is found (another window has the focus).
HWND GetCodeWindow();
// Whether `window` shows `pane`: its caption is the one the host gives the pane's window.
bool ShowsCodePane(HWND window, const CodePane& pane);

// The component of the active project with that name; empty when there is none.
VBComponent GetComponent(const std::wstring& Name);
// The code module of the standard module Name, added with Code when it does not exist; empty after
// an error, which has been shown.
CodeModule GetOrAddModule(const std::wstring& Name, const std::wstring& Code);

// The procedure at LineNumber of the active pane's module, its kind and "Sub", "Function" or
// "Property"; "" outside procedures, where Kind and MemberType are left alone.
std::wstring GetProcName(long LineNumber, long& Kind, std::wstring& MemberType);

// Formatting of the active pane over request.selection (or incrementally from FormatStart): the
// module read once (an incremental run reads only the lines around those it looks at), the result
// pasted once. Gives what the run rewrote (for the main loop's
// bookkeeping); a failure writes nothing and is recorded.
FormatResult Formatting(const FormatRequest& request);
// Re-indents the selected lines of the active pane, as the toolbar's command does.
void FormatSelection();
// The same for a hot key, which fires while its modifiers are held: with Ctrl down the lines would
// go in through the module, which the host's undo cannot take back, and with Alt down the paste's
// keys would be system keys that paste nothing. The main loop's first tick that sees no modifier
// held formats; after about 2 s the request is dropped.
void FormatSelectionAfterModifiers();

// The names a template takes from the host: the active pane's module, project and component.
class ActivePaneTemplateHost : public TemplateHost {
 public:
  const CodeModuleView* CodePane() override;
  std::optional<std::wstring> ProjectName() override;
  std::optional<std::wstring> ComponentName() override;

 private:
  std::optional<HostModuleView> module_;
};

}  // namespace qv
