#include "addin/error_box.h"

#include "addin/addin_state.h"
#include "addin/build_info.h"
#include "win/message_box.h"

namespace qv {

void ShowError(const VbError& error, long step, UINT icon) {
  ShowMessageBox(State().hWndMain, StepFailureText(error, step), Build().AppTitle, MB_OK | icon);
}

}  // namespace qv
