#include "addin/line_numbering.h"

#include <windows.h>

#include <string_view>
#include <utility>

#include "addin/addin_state.h"
#include "addin/build_info.h"
#include "addin/busy_hold.h"
#include "addin/caret_procedure.h"
#include "addin/code_pane.h"
#include "addin/connection.h"
#include "addin/session.h"
#include "codetools/line_numbering.h"
#include "win/failure_log.h"
#include "win/message_box.h"

namespace qv {
namespace {

// A pass is recorded when it fails, and no tick runs in the middle of it.
template <class Pass>
void RunPass(std::wstring_view where, Pass&& pass) {
  const BusyHold busy;
  Guarded(where, std::forward<Pass>(pass));
}

void Paste(const CodeEdit& edit, const ModuleText& text, bool FormatAfter) {
  PasteCode(edit, static_cast<long>(text.Line(edit.last_line).size()), FormatAfter);
}

}  // namespace

// Pressed means that the caret's statement is numbered: the button and "Убрать нумерацию" down,
// "Нумерация" up.
void ShowNumbered(bool numbered) {
  CommandBarRefs& bars = Bars();
  const std::pair<const CommandBarControl*, bool> states[] = {{&bars.NumerationButton, numbered},
                                                              {&bars.NumerationMenuItem, !numbered},
                                                              {&bars.UnNumerationMenuItem, numbered}};
  for (const auto& [control, down] : states) {
    if (*control) Guarded(L"numbering control state", [&] { control->SetState(down); });
  }
}

void AddLineNumbers(long StartNumber, long FirstLine, long LastLine, bool ShiftCaret, bool UseSkipList) {
  RunPass(L"AddLineNumbers", [&] {
    const std::optional<CaretProcedure> at = ReadCaretProcedure();
    if (!at) return;
    const Settings& settings = State().settings;
    const NumberingRequest request{
        StartNumber,   FirstLine, LastLine, UseSkipList, settings.NumerationStart, settings.NumerationStep,
        at->caret_line};
    NumberingResult result = AddLineNumbers(at->text, at->procedure, request);
    if (result.refused) {
      ShowMessageBox(HostMainWindow(),
                     L"Строки не пронумерованы: номера должны расти от 0 до 2147483647. "
                     L"Проверьте начальный номер и шаг нумерации в настройках.",
                     Build().AppTitle, MB_OK | MB_ICONEXCLAMATION);
      return;
    }
    if (result.edit) {
      if (!ShiftCaret) result.edit->column_shift = 0;
      Paste(*result.edit, at->text, false);
    }
    ShowNumbered(result.caret_numbered);
  });
}

void RemoveLineNumbers() {
  RunPass(L"RemoveLineNumbers", [] {
    const std::optional<CaretProcedure> at = ReadCaretProcedure();
    if (!at) return;
    const std::optional<CodeEdit> edit = RemoveLineNumbers(at->text, at->procedure);
    if (!edit) return;
    Paste(*edit, at->text, State().settings.AutoIndent_Automatic);
    ShowNumbered(false);
  });
}

}  // namespace qv
