// The test libraries: the root over recording parts, and exports that let the tests read the calls
// into the parts, the failures passed over, the command-bar references, the host's language and the
// palette, and rebuild the error-handler menu as the options dialog's Apply does.
#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "addin/addin_state.h"
#include "addin/connection.h"
#include "addin/error_handler_menu.h"
#include "tests/addin/recording_parts.h"
#include "win/failure_log.h"

namespace qv {
namespace {

test::RecordingParts& Recording() {
  static test::RecordingParts parts;
  return parts;
}

std::wstring& Failures() {
  static std::wstring failures;
  return failures;
}

void KeepFailure(std::wstring_view line) noexcept { Failures().append(line).append(L"\n"); }

// Set as the library loads, before anything of it can fail.
const bool g_failures_kept = (SetFailureSink(KeepFailure), true);

}  // namespace

Parts& LibraryParts() { return Recording(); }

}  // namespace qv

extern "C" {

// The calls into the parts so far, one per line; the text stays valid until the next call.
const wchar_t* WINAPI QvPartsLog() { return qv::Recording().log().c_str(); }

// The recorded failures so far, one per line; the text stays valid until the next failure.
const wchar_t* WINAPI QvFailureLog() { return qv::Failures().c_str(); }

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
