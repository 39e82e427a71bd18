#include "addin/error_box.h"

#include <string>

#include "addin/addin_state.h"
#include "addin/build_info.h"

namespace qv {

void ShowError(const VbError& error, long step, UINT icon) {
  const std::wstring text = error.description + L"\r\nв строке " + std::to_wstring(step);
  MessageBoxW(State().hWndMain, text.c_str(), Build().AppTitle, MB_OK | icon);
}

}  // namespace qv
