#pragma once
// A dialog's step whose host failure the user must see: a box with the failure's text and the
// add-in's title, through the dialogs' prompts.
#include <windows.h>

#include <utility>

#include "addin/build_info.h"
#include "dialogs/prompts.h"
#include "kit/vb_error.h"

namespace qv {

// False after a failure; what the step did before it stays done.
template <class Step>
bool RunPrompted(HWND owner, UINT style, Step&& step) {
  try {
    std::forward<Step>(step)();
    return true;
  } catch (const VbError& error) {
    CurrentPrompts().Message(owner, error.description, Build().AppTitle, MB_OK | MB_ICONEXCLAMATION | style);
    return false;
  }
}

}  // namespace qv
