// Test builds let the tests read the command-bar references and the host's language, and rebuild
// the error-handler menu as the options dialog's Apply does.
#include <windows.h>

#include "addin/addin_state.h"
#include "addin/connection.h"
#include "addin/error_handler_menu.h"
#include "win/failure_log.h"

extern "C" {

// Null between connections.
const qv::CommandBarRefs* WINAPI QvCommandBarRefs() { return qv::IsConnected() ? &qv::Bars() : nullptr; }

const wchar_t* WINAPI QvHostLanguage() { return qv::State().HostLanguage.c_str(); }

void WINAPI QvAddErrorHandlers() {
  qv::Guarded(L"QvAddErrorHandlers", [] { qv::AddErrorHandlers(); });
}

}  // extern "C"
