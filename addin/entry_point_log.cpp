#include "addin/entry_point_log.h"

#include <string>
#include <string_view>

#include "win/failure_log.h"

namespace qv {
namespace {

std::wstring& Log() {
  static std::wstring log;
  return log;
}

std::wstring& Failures() {
  static std::wstring failures;
  return failures;
}

void KeepFailure(std::wstring_view line) noexcept { Failures().append(line).append(L"\n"); }

// Set as the library loads, before anything of it can fail.
const bool g_failures_kept = (SetFailureSink(KeepFailure), true);

}  // namespace

void RecordEntryPoint(const wchar_t* name) { Log().append(name).append(L"\n"); }

void RecordEntryPoint(const wchar_t* name, long argument) {
  Log().append(name).append(L"(").append(std::to_wstring(argument)).append(L")\n");
}

// A window is logged by its handle's number, which the test compares with the host's windows.
void RecordEntryPoint(const wchar_t* name, HWND window) {
  RecordEntryPoint(name, static_cast<long>(reinterpret_cast<INT_PTR>(window)));
}

}  // namespace qv

const wchar_t* WINAPI QvEntryPointLog() { return qv::Log().c_str(); }

const wchar_t* WINAPI QvFailureLog() { return qv::Failures().c_str(); }
