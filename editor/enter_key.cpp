#include "editor/enter_key.h"

#include <string>

#include "addin/addin_state.h"
#include "addin/code_pane.h"
#include "addin/connection.h"
#include "addin/custom_code.h"
#include "addin/includes.h"
#include "addin/keyboard_state.h"
#include "addin/line_numbering.h"
#include "addin/sent_keys.h"
#include "codetools/enter_plan.h"
#include "codetools/logical_line.h"
#include "editor/active_pane_tools.h"
#include "host/host_module_view.h"
#include "kit/vb_convert.h"
#include "kit/vb_strings.h"
#include "win/failure_log.h"

namespace qv {
namespace {

std::wstring RestFrom(const std::wstring& line, long column) {
  const auto from = static_cast<std::size_t>(column - 1);
  return from < line.size() ? LTrimBlanks(std::wstring_view(line).substr(from)) : std::wstring();
}

// A selection over several lines goes first, deleted by the editor as if the user pressed Delete.
// The key is sent only where it cannot go astray: to the code window with the focus, with no
// modifier that would turn it into a cut or a word deletion. False when the selection is still there.
bool DeleteSelection(HWND code_window, const CodePane& pane, Selection& selection) {
  if (GetFocus() != code_window || ModifierDown() || !DeleteFromKeyboard()) return false;
  selection = pane.GetSelection();
  return selection.collapsed();
}

void WritePlan(const EnterPlan& plan, const CodePane& pane, const CodeModule& module) {
  module.ReplaceLine(plan.line, plan.text);
  pane.SetSelection(plan.caret);
  // At the body's indentation, where the caret stands, as the main loop puts it into a procedure the
  // host completed itself.
  if (plan.custom_code) WriteCustomCode(pane, module, plan.caret.start_line, plan.caret.start_column - 1);
}

void CompleteLine(HWND code_window, EnterOutcome& outcome) {
  const Settings& settings = State().settings;
  const CodePane pane = VBInstance().ActiveCodePane();
  if (!pane) return;
  Selection selection = pane.GetSelection();
  outcome.line = selection.start_line;
  const CodeModule module = pane.CodeModule();
  std::wstring text = module.Lines(selection.start_line, 1);
  if (ContinuedAtCaret(text, selection.start_column) || !settings.AutoInsert) return;
  long rest_column = selection.end_column;
  if (selection.start_line != selection.end_line) {
    if (!DeleteSelection(code_window, pane, selection)) return;
    outcome.line = selection.start_line;
    text = module.Lines(selection.start_line, 1);
    rest_column = selection.start_column;
  }
  const EnterPlan plan = PlanEnter(HostModuleView(module), selection.start_line, selection.start_column,
                                   RestFrom(text, rest_column), settings);
  if (!plan.swallow) return;
  outcome.swallowed = true;
  outcome.closer_inserted = plan.closer_inserted;
  WritePlan(plan, pane, module);
}

}  // namespace

EnterOutcome BeforeEnter(HWND code_window, IncludeState& includes) {
  const Settings& settings = State().settings;
  if ((settings.AutoInsert && settings.AutoInsert_Then) || settings.AutoReplace) {
    Guarded(L"Enter", [] { ApplyLineAutoInsertInActivePane(true); });
  }
  if (settings.AutoIndent) Guarded(L"Enter", [] { AutoIndentNewLineInActivePane(true); });
  if (settings.Include && settings.AutoInclude) Guarded(L"Enter", [&] { AutoAPIDeclarate(includes); });
  EnterOutcome outcome;
  Guarded(L"Enter", [&] { CompleteLine(code_window, outcome); });
  return outcome;
}

void NumberAfterEnter(const EnterOutcome& outcome) {
  if (outcome.line <= 0) return;
  const CodePane pane = VBInstance().ActiveCodePane();
  if (!pane) return;
  const std::wstring raw = GetLine(HostModuleView(pane.CodeModule()), outcome.line).text;
  const std::wstring word = raw.substr(0, raw.find(L' '));
  if (word.empty() || !IsLineNumber(word)) return;
  const double number = Val(word);
  const double step = static_cast<double>(State().settings.NumerationStep);
  const long k = outcome.closer_inserted ? 1 : 0;
  // A number or step beyond 32 bits fails here, recorded, before anything is written.
  const long first = CLng(number + step);
  const long below = CLng(number + step * static_cast<double>(2 + k));
  AddLineNumbers(first, outcome.line + 1, outcome.line + 2 + k, true, false);
  AddLineNumbers(below, outcome.line + 2 + k, 0, false, false);
}

}  // namespace qv
