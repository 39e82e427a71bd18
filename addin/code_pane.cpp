// Writing lines of the active code pane: one line through the object model, several through one
// paste that the host's undo takes back in one step.
#include "addin/code_pane.h"

#include <algorithm>

#include "addin/addin_state.h"
#include "addin/busy_hold.h"
#include "addin/session.h"
#include "win/clipboard_text.h"
#include "addin/connection.h"
#include "addin/keyboard_state.h"
#include "addin/sent_keys.h"
#include "host/host_code_pane.h"
#include "win/failure_log.h"

namespace qv {
namespace {

// No drawing of the host's window while the lines change. Another program's window, or a lock
// someone else holds, is left alone.
class DrawingLock {
 public:
  explicit DrawingLock(HWND window)
      : locked_(window && GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId() &&
                LockWindowUpdate(window)) {}
  DrawingLock(const DrawingLock&) = delete;
  DrawingLock& operator=(const DrawingLock&) = delete;
  ~DrawingLock() {
    if (locked_) LockWindowUpdate(nullptr);
  }

 private:
  bool locked_;
};

// Keys go to the focus window: a paste from a timer tick could land in the host's Find dialog or in
// another program.
bool KeyboardReaches(const CodePane& pane) {
  const HWND window = GetCodeWindow();
  const HWND focus = GetFocus();
  return window && focus && (focus == window || IsChild(window, focus)) && ShowsCodePane(window, pane);
}

// `last_line_length`: the length of line edit.last_line as it stands, when the caller has read it.
void PasteLines(const CodeEdit& edit, bool FormatAfter, std::optional<long> last_line_length) {
  const BusyHold busy;
  Guarded(L"PasteCode", [&] {
    const CodePane pane = VBInstance().ActiveCodePane();
    const CodeModule module = pane.CodeModule();
    Selection restore = pane.GetSelection();
    restore.start_column = std::max(1L, restore.start_column + edit.column_shift);
    restore.end_column = std::max(1L, restore.end_column + edit.column_shift);
    if (edit.first_line == edit.last_line) {
      module.ReplaceLine(edit.first_line, edit.text);
      pane.SetSelection(restore);
      return;
    }
    const long top_line = pane.TopLine();
    const DrawingLock drawing(GetForegroundWindow());
    if (CtrlIsDown() || !KeyboardReaches(pane)) {
      // Through the module: not one undo step, but no keystroke that could go astray.
      module.InsertLines(edit.last_line + 1, edit.text);
      module.DeleteLines(edit.first_line, edit.last_line - edit.first_line + 1);
    } else {
      if (!last_line_length) last_line_length = static_cast<long>(module.Lines(edit.last_line, 1).size());
      // To the end of the old last line: a longer old line would otherwise keep its tail.
      const Selection range{edit.first_line, 1, edit.last_line, *last_line_length + 1};
      const ClipboardLoan clipboard(edit.text);
      pane.SetSelection(range);
      PasteFromKeyboard();
      if (FormatAfter) Formatting(FormatRequest{false, 0, range});
    }
    pane.SetSelection(restore);
    pane.SetTopLine(top_line);
  });
}

}  // namespace

void PasteCode(long FirstLine, long LastLine, const std::wstring& Text, long ColumnShift, bool FormatAfter) {
  PasteLines(CodeEdit{FirstLine, LastLine, Text, ColumnShift}, FormatAfter, std::nullopt);
}

void PasteCode(const CodeEdit& edit, long last_line_length, bool FormatAfter) {
  PasteLines(edit, FormatAfter, last_line_length);
}

FormatResult Formatting(const FormatRequest& request) {
  FormatResult result;
  result.FormatStart = request.incremental ? request.FormatStart : request.selection.start_line;
  Guarded(L"Formatting", [&] {
    const CodePane pane = VBInstance().ActiveCodePane();
    const auto run = [&](const CodeModuleView& module) {
      result = Formatting(module, request, IndentSettings{State().settings.IndentWidth});
      if (const std::optional<CodeEdit> edit = result.Edit()) {
        PasteLines(*edit, false, static_cast<long>(module.Line(edit->last_line).size()));
      }
    };
    // An incremental run looks at a few lines around FormatStart; a command run at all it selects.
    if (request.incremental) {
      run(HostModuleView(pane.CodeModule()));
    } else {
      run(HostCodePane(pane).Snapshot());
    }
  });
  return result;
}

void FormatSelection() {
  FormatRequest request;
  request.selection = VBInstance().ActiveCodePane().GetSelection();
  Formatting(request);
}

void FormatSelectionAfterModifiers() { CurrentSession().loop.FormatKeysAt = GetTickCount(); }

}  // namespace qv
