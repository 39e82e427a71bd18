#pragma once
// The add-in's error message: the description, then the step that failed, in a box with the
// library's title.
#include <windows.h>

#include <utility>

#include "kit/vb_error.h"
#include "win/message_box.h"

namespace qv {

// `icon`: 0 for none, or an MB_ICON value.
void ShowError(const VbError& error, long step, UINT icon = 0);

// Runs one step of a sequence; a failure shows its box, and the caller goes on with the next step.
template <class Step>
void RunReported(long step, Step&& run) {
  RunStep([step](const VbError& error) { ShowError(error, step); }, std::forward<Step>(run));
}

}  // namespace qv
