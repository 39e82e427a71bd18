#include "addin/error_box.h"

#include "addin/build_info.h"
#include "addin/session.h"
#include "win/message_box.h"

namespace qv {

void ShowError(const VbError& error, long step, UINT icon) {
  ShowMessageBox(HostMainWindow(), StepFailureText(error, step), Build().AppTitle, MB_OK | icon);
}

}  // namespace qv
