#include "dialogs/app_message.h"

#include "addin/build_info.h"
#include "dialogs/prompts.h"

namespace qv {

int AppMessage(HWND owner, std::wstring_view text, UINT style) {
  return CurrentPrompts().Message(owner, text, Build().AppTitle, style);
}

}  // namespace qv
