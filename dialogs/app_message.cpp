#include "dialogs/app_message.h"

#include "addin/build_info.h"
#include "win/message_box.h"

namespace qv {

int AppMessage(HWND owner, std::wstring_view text, UINT style) {
  return ShowMessageBox(owner, text, Build().AppTitle, style);
}

}  // namespace qv
