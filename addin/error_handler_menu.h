#pragma once
// The entries of the toolbar's popup "Обработчики ошибок": one per template of ErrorHandlers.ini
// beside the library, then the command that deletes a handler.
#include <string>

#include "host/click_binding.h"

namespace qv {

// Serves one template entry: its click inserts the template the entry was built with, so that of
// two entries with the same caption each inserts its own.
class EHEventHandler {
 public:
  // Binds the click of `value`, the entry's control. Throws CallFailure.
  EHEventHandler(const CommandBarControl& value, std::wstring Template);

 private:
  ClickBinding EHHandler;
};

// (Re)builds the entries from the file, which is created empty when missing; the previous entries
// and their handler objects go first. A step that fails is skipped.
void AddErrorHandlers();

}  // namespace qv
