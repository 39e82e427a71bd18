// The main loop: the host raises no events from its code editor, so a timer polls it on the host's
// thread. Each tick keeps the toolbar in step with the code window, follows the active code pane,
// puts custom code into a new procedure and re-indents the line the caret has left.
#include "library/main_loop.h"

#include <windows.h>

#include <string>

#include "addin/session.h"
#include "codetools/block_table.h"
#include "codetools/logical_line.h"
#include "addin/addin_state.h"
#include "win/clipboard_text.h"
#include "addin/code_pane.h"
#include "addin/command_bar_refs.h"
#include "addin/connection.h"
#include "addin/custom_code.h"
#include "host/host_module_view.h"
#include "addin/keyboard_state.h"
#include "addin/line_numbering.h"
#include "kit/vb_strings.h"
#include "win/failure_log.h"
#include "win/host_settings.h"
#include "win/late_bound.h"

namespace qv {
namespace {

constexpr long kMDIRefreshPeriod = 500;
constexpr DWORD kFormatKeysWaitMs = 2000;  // a hot key's formatting waits this long for its modifiers
constexpr int kFirstProcedureRow = 10;  // block-table rows 10 to 12 are procedure headers

// The clipboard's text saved at load goes back once; text the user copied since stays.
void GiveBackClipboard(std::wstring& saved) {
  if (saved.empty()) return;
  const std::wstring text = std::move(saved);
  saved.clear();
  if (!ClipboardText()) SetClipboardText(text);
}

// The numbering button shows whether the caret's line begins with a line number.
bool IsNumbered(const std::wstring& text) {
  const std::wstring word = text.substr(0, text.find(L' '));
  return !word.empty() && IsLineNumber(word);
}

class Tick {
 public:
  explicit Tick(Parts& parts)
      : parts_(parts), state_(State()), loop_(CurrentSession().loop), settings_(state_.settings), vbe_(VBInstance()), bars_(Bars()) {}

  void Run() {
    Step([&] { FollowCommentControl(); });
    Step([&] { DriveWindows(); });
    bool pane = true;  // a failing read is not a missing pane: the tick goes on
    Step([&] { pane = ReadPane(); });
    if (!pane) return LeaveCodePane();
    Step([&] { FollowCodeWindow(); });
    Step([&] { RefreshIndentWidth(); });
    Step([&] { FormatForHotKey(); });
    Step([&] { decl_lines_ = module_.CountOfDeclarationLines(); });
    Step([&] { ProcessIncludesAfterDeclarations(); });
    bool ctrl = false;
    Step([&] { ctrl = InsertCustomCode(); });
    if (!ctrl) Step([&] { LeaveLine(); });
    Bookkeeping();
  }

 private:
  // A failing statement is not shown to the user: it is recorded, the bookkeeping runs at once, so
  // that the rest of the tick sees no change of line, and the tick goes on.
  template <class Statement>
  void Step(Statement&& statement) {
    if (!Guarded(L"main loop", statement)) Bookkeeping();
  }

  void Bookkeeping() {
    loop_.FormatStart = loop_.SelStartLine;
    loop_.PrevDeclLines = decl_lines_;
    loop_.FormatText.clear();
  }

  bool LineChanged() const { return loop_.FormatStart != loop_.SelStartLine; }

  void FollowCommentControl() {
    comment_enabled_ = bars_.CommentControl.Enabled();
    if (bars_.FormatButton.Enabled() == comment_enabled_) return;
    Step([&] { bars_.FormatButton.SetEnabled(comment_enabled_); });
    if (settings_.Numeration) {
      Step([&] { bars_.NumerationButton.SetEnabled(comment_enabled_); });
      Step([&] { bars_.NumerationPopup.SetEnabled(comment_enabled_); });
    }
    Step([&] { bars_.DeclarateButton.SetEnabled(comment_enabled_); });
    if (settings_.ErrorHandlers) Step([&] { bars_.ErrorHandlersPopup.SetEnabled(comment_enabled_); });
  }

  void DriveWindows() {
    if (settings_.Scrolling) Step([&] { parts_.WheelPoll(); });
    if (settings_.ShowPalette) Step([&] { parts_.PaintPaletteCustomColors(); });
    if (settings_.MDITabs) Step([&] { parts_.FollowActiveTab(); });
    if (settings_.MDITabs && loop_.MDIActivated) {
      Step([&] { parts_.RefreshTabs(); });
      if (loop_.MDIRefreshTicks == kMDIRefreshPeriod) {
        loop_.MDIRefreshTicks = 0;
        loop_.MDIActivated = false;
      }
      ++loop_.MDIRefreshTicks;
    }
  }

  bool ReadPane() {
    pane_ = vbe_.ActiveCodePane();
    if (!pane_) return false;
    const Selection selection = pane_.GetSelection();
    loop_.SelStartLine = selection.start_line;
    loop_.SelStartCol = selection.start_column;
    loop_.SelEndLine = selection.end_line;
    loop_.SelEndCol = selection.end_column;
    FollowedPane& followed = Followed();
    if (!SameObject(followed.pane.get(), pane_.get())) {
      followed.module = pane_.CodeModule();
      followed.pane = pane_;
      loop_.LastCustomCodeLook = {};
    }
    module_ = followed.module;
    if (comment_enabled_) loop_.hWndCode = GetCodeWindow();
    return true;
  }

  void LeaveCodePane() {
    loop_.FormatStart = 0;
    loop_.FormatKeysAt.reset();
    Followed() = {};
    loop_.LastCustomCodeLook = {};
    if (loop_.hWndHooked) {
      Step([&] { parts_.UnhookCodePane(loop_.hWndHooked); });
      loop_.hWndHooked = nullptr;
    }
  }

  // A code window of 0 (a dialog has the focus) is none known: the hooked one stays.
  void FollowCodeWindow() {
    if (!loop_.hWndCode || loop_.hWndHooked == loop_.hWndCode) return;
    if (loop_.hWndHooked) {
      Step([&] { parts_.UnhookCodePane(loop_.hWndHooked); });
      loop_.hWndHooked = nullptr;
    }
    GiveBackClipboard(Tables().SavedClipboard);
    Step([&] {
      if (!parts_.HookCodePane(loop_.hWndCode)) RecordFailure(L"HookCodePane", L"the code window was not hooked");
    });
    loop_.hWndHooked = loop_.hWndCode;
    Step([&] { parts_.ClearIncludes(); });
    if (settings_.Include && settings_.AutoInclude) Step([&] { parts_.ProcessIncludes(); });
  }

  void RefreshIndentWidth() {
    if (settings_.CustomIndentWidth) return;
    settings_.IndentWidth = HostTabWidth(state_.IDESettingsKey);
  }

  void FormatForHotKey() {
    if (!loop_.FormatKeysAt) return;
    if (GetTickCount() - *loop_.FormatKeysAt > kFormatKeysWaitMs) return loop_.FormatKeysAt.reset();
    if (ModifierDown()) return;
    loop_.FormatKeysAt.reset();
    FormatSelection();
  }

  void ProcessIncludesAfterDeclarations() {
    if (!LineChanged() || loop_.FormatStart == 0 || !settings_.Include || !settings_.AutoInclude) return;
    if (loop_.FormatStart <= loop_.PrevDeclLines || loop_.FormatStart <= decl_lines_) parts_.ProcessIncludes();
  }

  // Custom code goes into a procedure the user has just opened: an empty caret line between a
  // header and the matching End line. Its lines are looked at again only when the caret's line, the
  // module's line count or the Ctrl state has changed, so that an idle tick reads no code. True when
  // Ctrl held skips the rest of the tick.
  bool InsertCustomCode() {
    if (!settings_.AutoInsert_CustomCode || loop_.SelStartLine <= 1) return false;
    const long line = loop_.SelStartLine;
    if (CtrlIsDown()) {
      loop_.LastCustomCodeLook.ctrl = true;
      return true;
    }
    const MainLoopState::CustomCodeLook look{line, module_.CountOfLines(), false};
    if (look == loop_.LastCustomCodeLook) return false;
    loop_.LastCustomCodeLook = look;
    const HostModuleView view(module_, look.count);
    int kind = 0;
    const int row = FindBlock(TrimBlanks(GetLine(view, line - 1).code_text), 2, kind);
    if (row < kFirstProcedureRow) return false;
    if (FindBlock(TrimBlanks(GetLine(view, line + 1).code_text), -1, kind) != row) return false;
    if (!view.Line(line).empty()) return false;
    const std::wstring indent(static_cast<std::size_t>(settings_.IndentWidth), L' ');
    const Selection caret{line, settings_.IndentWidth + 1, line, settings_.IndentWidth + 1};
    module_.ReplaceLine(line, indent);
    pane_.SetSelection(caret);
    WriteCustomCode(pane_, module_, line, settings_.IndentWidth);
    return false;
  }

  void LeaveLine() {
    if (!LineChanged()) return;
    if (settings_.AutoIndent && settings_.AutoIndent_Automatic) {
      if (CtrlIsDown()) return;
      Step([&] { Reindent(); });
    }
    if (settings_.Numeration) Step([&] { ShowNumbering(); });
  }

  // From the line the caret has left down to the first line already right; then from the caret's
  // new line when that run did not reach it.
  void Reindent() {
    const long saved = loop_.FormatStart;
    if (saved > 0) RunFormatting(saved);
    const long limit = loop_.FormatEnd != 0 ? loop_.FormatEnd : loop_.FormatStart + 1;
    if (loop_.SelStartLine < saved || loop_.SelStartLine > limit) {
      loop_.FormatText.clear();
      loop_.FormatEnd = 0;
      RunFormatting(loop_.SelStartLine);
    }
    loop_.FormatStart = saved;
    loop_.FormatText.clear();
    loop_.FormatEnd = 0;
  }

  void RunFormatting(long from) {
    FormatRequest request;
    request.incremental = true;
    request.FormatStart = from;
    request.selection = {loop_.SelStartLine, loop_.SelStartCol, loop_.SelEndLine, loop_.SelEndCol};
    const FormatResult result = Formatting(request);
    loop_.FormatStart = result.FormatStart;
    loop_.FormatEnd = result.FormatEnd;
  }

  void ShowNumbering() {
    const bool numbered = IsNumbered(GetLine(HostModuleView(module_), loop_.SelStartLine).text);
    if (bars_.NumerationButton.State() != numbered) ShowNumbered(numbered);
  }

  Parts& parts_;
  AddinState& state_;
  MainLoopState& loop_;
  Settings& settings_;
  const Vbe& vbe_;
  CommandBarRefs& bars_;
  bool comment_enabled_ = false;
  long decl_lines_ = 0;
  CodePane pane_;
  CodeModule module_;
};

}  // namespace

void TimerTick(Parts& parts) {
  MainLoopState& loop = CurrentSession().loop;
  if (loop.Busy) return;
  loop.Busy = true;
  Guarded(L"main loop", [&] { Tick(parts).Run(); });
  loop.Busy = false;
}

}  // namespace qv
