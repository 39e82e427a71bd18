#include "addin/error_handler_menu.h"

#include <utility>

#include "addin/addin_state.h"
#include "addin/command_bar_controls.h"
#include "addin/command_bar_refs.h"
#include "addin/connection.h"
#include "addin/error_handlers.h"
#include "kit/list_file.h"
#include "win/ansi_file.h"
#include "win/failure_log.h"
#include "win/files.h"

namespace qv {
namespace {

void DeleteEveryControl(const CommandBarControl& popup) {
  const CommandBarControls controls = popup.Controls();
  // From the last, so that the positions still to be deleted stay where they are.
  for (long index = controls.Count(); index >= 1; --index) {
    Guarded(L"error-handler entry removal", [&] { controls.Item(index).Delete(); });
  }
}

}  // namespace

EHEventHandler::EHEventHandler(const CommandBarControl& value, std::wstring Template)
    : EHHandler(VBInstance().Events(), value,
                [Template = std::move(Template)](const CommandBarControl&) { AddErrorHandler(Template); }) {}

void AddErrorHandlers() {
  CommandBarRefs& bars = Bars();
  bars.EHHandlers.clear();
  Guarded(L"error-handler entries removal", [&] { DeleteEveryControl(bars.ErrorHandlersPopup); });
  Guarded(L"ErrorHandlers.ini", [&] {
    const std::wstring path = AppPath() + L"ErrorHandlers.ini";
    CreateIfMissing(path);
    for (const std::wstring& line : ListLines(ReadAnsiFile(path).value_or(L""))) {
      const std::optional<ListEntry> entry = SplitEntry(line, EntrySplit::kFromSecondChar);
      if (!entry) continue;
      Guarded(entry->key, [&] {
        const CommandBarControl button = AddControl(bars.ErrorHandlersPopup, {kButton, entry->key, {}, nullptr});
        bars.EHHandlers.emplace_back(button, entry->value);
      });
    }
  });
  Guarded(L"error-handler removal command", [&] {
    bars.DeleteErrorHandlerItem =
        AddControl(bars.ErrorHandlersPopup, {kButton, L"Удалить обработчика ошибок", true, nullptr});
    bars.DeleteErrorHandlerHandler.emplace(VBInstance().Events(), bars.DeleteErrorHandlerItem,
                                           [](const CommandBarControl&) { DeleteErrorHandler(); });
  });
}

}  // namespace qv
