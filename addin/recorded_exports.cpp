// Test builds let the tests read the command-bar references, the host's language and the palette,
// and rebuild the error-handler menu as the options dialog's Apply does.
#include <windows.h>

#include <cstdint>

#include "addin/addin_state.h"
#include "addin/connection.h"
#include "addin/error_handler_menu.h"
#include "win/failure_log.h"

extern "C" {

// Null between connections.
const qv::CommandBarRefs* WINAPI QvCommandBarRefs() { return qv::IsConnected() ? &qv::Bars() : nullptr; }

const wchar_t* WINAPI QvHostLanguage() { return qv::State().HostLanguage.c_str(); }

// Cell (column, row) of the palette, both from 1 to 8.
std::int32_t WINAPI QvPaletteColor(long column, long row) {
  return qv::Tables().PaletteColors[static_cast<size_t>(column)][static_cast<size_t>(row)];
}

void WINAPI QvAddErrorHandlers() {
  qv::Guarded(L"QvAddErrorHandlers", [] { qv::AddErrorHandlers(); });
}

}  // extern "C"
