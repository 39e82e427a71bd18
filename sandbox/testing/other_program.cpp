#include "sandbox/testing/other_program.h"

#include <string>

namespace sbx {

OtherProgram::OtherProgram() {
  const std::wstring event = L"SbxOtherProgramPopup." + std::to_wstring(GetCurrentProcessId());
  shown_ = CreateEventW(nullptr, TRUE, FALSE, event.c_str());
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring command(path);
  command = L"\"" + command.substr(0, command.rfind(L'\\') + 1) + L"sbx_other_program_popup.exe\" " + event;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &startup,
                      &process_)) {
    return;
  }
  const HANDLE waits[] = {shown_, process_.hProcess};
  if (WaitForMultipleObjects(2, waits, FALSE, 60000) == WAIT_OBJECT_0) tabs_ = FindTabs();
}

OtherProgram::~OtherProgram() {
  if (process_.hProcess) {
    TerminateProcess(process_.hProcess, 0);
    WaitForSingleObject(process_.hProcess, 60000);
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
  }
  if (shown_) CloseHandle(shown_);
}

HWND OtherProgram::FindTabs() const {
  for (HWND popup = FindWindowExW(nullptr, nullptr, L"CBarPopup", nullptr); popup;
       popup = FindWindowExW(nullptr, popup, L"CBarPopup", nullptr)) {
    DWORD process = 0;
    GetWindowThreadProcessId(popup, &process);
    const HWND tabs = FindWindowExW(popup, nullptr, L"SysTabControl32", nullptr);
    if (process == process_.dwProcessId && tabs) return tabs;
  }
  return nullptr;
}

}  // namespace sbx
