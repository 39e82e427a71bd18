#include "sandbox/testing/other_program.h"

#include <string>

namespace sbx {

OtherProgram::OtherProgram() {
  const std::wstring event = L"SbxOtherProgramPopup." + std::to_wstring(GetCurrentProcessId());
  shown_ = qv::UniqueObject(CreateEventW(nullptr, TRUE, FALSE, event.c_str()));
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring command(path);
  command = L"\"" + command.substr(0, command.rfind(L'\\') + 1) + L"sbx_other_program_popup.exe\" " + event;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &startup,
                      &process)) {
    return;
  }
  process_ = qv::UniqueObject(process.hProcess);
  thread_ = qv::UniqueObject(process.hThread);
  process_id_ = process.dwProcessId;
  const HANDLE waits[] = {shown_.get(), process_.get()};
  if (WaitForMultipleObjects(2, waits, FALSE, 60000) == WAIT_OBJECT_0) tabs_ = FindTabs();
}

OtherProgram::~OtherProgram() {
  if (!process_.valid()) return;
  TerminateProcess(process_.get(), 0);
  WaitForSingleObject(process_.get(), 60000);
}

HWND OtherProgram::FindTabs() const {
  for (HWND popup = FindWindowExW(nullptr, nullptr, L"CBarPopup", nullptr); popup;
       popup = FindWindowExW(nullptr, popup, L"CBarPopup", nullptr)) {
    DWORD process = 0;
    GetWindowThreadProcessId(popup, &process);
    const HWND tabs = FindWindowExW(popup, nullptr, L"SysTabControl32", nullptr);
    if (process == process_id_ && tabs) return tabs;
  }
  return nullptr;
}

}  // namespace sbx
