#include "addin/error_handler_menu.h"

#include <utility>

#include "addin/addin_state.h"
#include "addin/command_bar_controls.h"
#include "addin/command_bar_refs.h"
#include "addin/command_handlers.h"
#include "addin/entry_points.h"
#include "addin/quiet_step.h"
#include "kit/list_file.h"
#include "win/ansi_file.h"
#include "win/files.h"

namespace qv {
namespace {

void DeleteEveryControl(const Variant& popup) {
  const Variant controls = Get(popup.Object(), L"Controls");
  // From the last, so that the positions still to be deleted stay where they are.
  for (long index = Get(controls.Object(), L"Count").Long(); index >= 1; --index) {
    Quietly([&] { Delete(Get(controls.Object(), L"Item", {index})); });
  }
}

}  // namespace

EHEventHandler::EHEventHandler(IDispatch* value, std::wstring Template)
    : EHHandler(State().VBInstance.Object(), value,
                [Template = std::move(Template)](IDispatch*) { AddErrorHandler(Template); }) {}

void AddErrorHandlers() {
  CommandBarRefs& bars = Bars();
  bars.EHHandlers.clear();
  Quietly([&] { DeleteEveryControl(bars.ErrorHandlersPopup); });
  Quietly([&] {
    const std::wstring path = AppPath() + L"ErrorHandlers.ini";
    CreateIfMissing(path);
    for (const std::wstring& line : ListLines(ReadAnsiFile(path).value_or(L""))) {
      const std::optional<ListEntry> entry = SplitEntry(line, EntrySplit::kFromSecondChar);
      if (!entry) continue;
      Quietly([&] {
        const Variant button = AddControl(bars.ErrorHandlersPopup, {kButton, entry->key, {}, nullptr});
        bars.EHHandlers.emplace_back(button.Object(), entry->value);
      });
    }
  });
  Quietly([&] {
    bars.DeleteErrorHandlerItem =
        AddControl(bars.ErrorHandlersPopup, {kButton, L"Удалить обработчика ошибок", true, nullptr});
    bars.DeleteErrorHandlerHandler.emplace(State().VBInstance.Object(), bars.DeleteErrorHandlerItem.Object(),
                                           DeleteErrorHandlerHandler_Click);
  });
}

}  // namespace qv
