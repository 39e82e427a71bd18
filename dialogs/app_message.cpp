#include "dialogs/app_message.h"

#include "addin/addin_state.h"
#include "addin/build_info.h"
#include "dialogs/prompts.h"

namespace qv {

int AppMessage(std::wstring_view text, UINT style) {
  return CurrentPrompts().Message(State().hWndMain, text, Build().AppTitle, style);
}

}  // namespace qv
