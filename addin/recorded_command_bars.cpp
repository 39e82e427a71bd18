// Test builds let the tests read the command-bar references and rebuild the error-handler menu as
// the options dialog's Apply does.
#include <windows.h>

#include "addin/command_bar_refs.h"
#include "addin/error_handler_menu.h"

extern "C" {

const qv::CommandBarRefs* WINAPI QvCommandBarRefs() { return &qv::Bars(); }

void WINAPI QvAddErrorHandlers() {
  try {
    qv::AddErrorHandlers();
  } catch (...) {  // nothing may reach the test
  }
}

}  // extern "C"
