#pragma once
// A command of the Unix system the tests run on, from a Windows test program under Wine. Wine starts
// a Unix program through CreateProcess but gives no handle to wait on, so the command writes its
// output and exit status to files, and the status file appears last.
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

namespace sbx::test {

// The Unix path of a Windows path, as Wine maps it; "" outside Wine.
inline std::string UnixPath(const std::wstring& path) {
  using Convert = char*(CDECL*)(LPCWSTR);
  const auto convert = reinterpret_cast<Convert>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
  char* unix_path = convert ? convert(path.c_str()) : nullptr;
  if (!unix_path) return {};
  std::string converted = unix_path;
  HeapFree(GetProcessHeap(), 0, unix_path);
  return converted;
}

struct UnixResult {
  int status = -1;
  std::string output;  // stdout and stderr
};

// Runs `command` with /bin/sh; it must hold no double quote. Nothing when it did not end in time.
inline std::optional<UnixResult> RunUnixCommand(const std::string& command, DWORD milliseconds = 20000) {
  namespace fs = std::filesystem;
  const fs::path base = fs::temp_directory_path() / ("qv_unix_" + std::to_string(GetCurrentProcessId()));
  const std::string unix_base = UnixPath(base.wstring());
  const fs::path status = base.wstring() + L".status";
  const fs::path output = base.wstring() + L".out";
  fs::remove(status);
  const std::string script = command + " > '" + unix_base + ".out' 2>&1; echo $? > '" + unix_base + ".tmp'; mv '" +
                             unix_base + ".tmp' '" + unix_base + ".status'";
  std::wstring wide(script.size(), L'\0');
  wide.resize(static_cast<size_t>(MultiByteToWideChar(CP_UTF8, 0, script.data(), static_cast<int>(script.size()),
                                                      wide.data(), static_cast<int>(wide.size()))));
  std::wstring line = L"\"Z:\\bin\\sh\" -c \"" + wide + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (unix_base.empty() ||
      !CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    return std::nullopt;
  }
  if (process.hProcess) CloseHandle(process.hProcess);
  if (process.hThread) CloseHandle(process.hThread);
  for (const ULONGLONG end = GetTickCount64() + milliseconds; !fs::exists(status); Sleep(50)) {
    if (GetTickCount64() > end) return std::nullopt;
  }
  UnixResult result;
  std::ifstream(status) >> result.status;
  std::ifstream out(output, std::ios::binary);
  result.output.assign(std::istreambuf_iterator<char>(out), {});
  out.close();
  fs::remove(status);
  fs::remove(output);
  return result;
}

}  // namespace sbx::test
