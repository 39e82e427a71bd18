#include "addin/entry_point_log.h"

#include <string>

namespace qv {
namespace {

std::wstring& Log() {
  static std::wstring log;
  return log;
}

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
