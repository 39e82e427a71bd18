#pragma once
// A dialog's step whose host failure the user must see: a box with the failure's text and the
// add-in's title.
#include <windows.h>

#include <utility>

#include "addin/build_info.h"
#include "kit/vb_error.h"
#include "win/message_box.h"

namespace qv {

// False after a failure; what the step did before it stays done.
template <class Step>
bool RunPrompted(HWND owner, UINT style, Step&& step) {
  try {
    std::forward<Step>(step)();
    return true;
  } catch (const VbError& error) {
    ShowMessageBox(owner, error.description, Build().AppTitle, MB_OK | MB_ICONEXCLAMATION | style);
    return false;
  }
}

}  // namespace qv
