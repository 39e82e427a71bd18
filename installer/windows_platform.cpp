#include "installer/windows_platform.h"

#include <shlobj.h>

#include "kit/setup_steps.h"
#include "win/ansi_file.h"
#include "win/files.h"
#include "win/registry.h"
#include "win/unique_handle.h"

namespace qv {
namespace {

// A copied or replaced file must not stay read-only (from a CD, say): removal could not delete it.
void MakeWritable(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
    SetFileAttributesW(path.c_str(), attributes & ~DWORD{FILE_ATTRIBUTE_READONLY});
  }
}

// Beside `Path`: the installed files' names, as a list of texts.
constexpr wchar_t kFilesValue[] = L"Files";

std::wstring FromBuffer(UINT(WINAPI* get)(LPWSTR, UINT)) {
  wchar_t buffer[MAX_PATH];
  const UINT length = get(buffer, MAX_PATH);
  return length > 0 && length < MAX_PATH ? std::wstring(buffer, length) : std::wstring();
}

}  // namespace

std::optional<std::string> WindowsSetupPlatform::Resource(const CarriedFile& file) {
  const HRSRC found = FindResourceW(resources_, MAKEINTRESOURCEW(file.id), file.type);
  const HGLOBAL loaded = found ? LoadResource(resources_, found) : nullptr;
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  if (!bytes) return std::nullopt;
  return std::string(static_cast<const char*>(bytes), SizeofResource(resources_, found));
}

bool WindowsSetupPlatform::WriteBytes(const std::wstring& path, const std::string& bytes) {
  MakeWritable(path);
  return WriteFileBytes(path, bytes);
}

bool WindowsSetupPlatform::CopyTo(const std::wstring& source, const std::wstring& target) {
  MakeWritable(target);
  if (!CopyFileW(source.c_str(), target.c_str(), FALSE)) return false;
  MakeWritable(target);
  return true;
}

bool WindowsSetupPlatform::DeleteAt(const std::wstring& path) { return DeleteFileW(path.c_str()); }

std::vector<std::wstring> WindowsSetupPlatform::ListFiles(const std::wstring& folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW found{};
  const UniqueFind search(FindFirstFileW(JoinPath(folder, L"*.*").c_str(), &found));
  if (!search.valid()) return names;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.emplace_back(found.cFileName);
  } while (FindNextFileW(search.get(), &found));
  return names;
}

void WindowsSetupPlatform::CreateFolder(const std::wstring& path) {
  SHCreateDirectoryExW(owner_, path.c_str(), nullptr);
}

void WindowsSetupPlatform::RemoveFolder(const std::wstring& path) { RemoveDirectoryW(path.c_str()); }

std::wstring WindowsSetupPlatform::RecordedFolder() { return qv::RecordedFolder(); }

void WindowsSetupPlatform::RecordFolder(const std::wstring& folder) {
  SetRegValue(HKEY_CURRENT_USER, kProductKey, L"Path", folder);
}

std::optional<std::vector<std::wstring>> WindowsSetupPlatform::RecordedFiles() {
  DWORD size = 0;
  if (RegGetValueW(HKEY_CURRENT_USER, kProductKey, kFilesValue, RRF_RT_REG_MULTI_SZ, nullptr, nullptr, &size) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  // Two NULs beyond what the value fills end every text and the list.
  std::wstring list(size / sizeof(wchar_t) + 2, L'\0');
  if (RegGetValueW(HKEY_CURRENT_USER, kProductKey, kFilesValue, RRF_RT_REG_MULTI_SZ, nullptr, list.data(), &size) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  std::vector<std::wstring> names;
  for (std::size_t at = 0; at < list.size() && list[at] != L'\0';) {
    const std::size_t end = list.find(L'\0', at);
    names.push_back(list.substr(at, end - at));
    at = end + 1;
  }
  return names;
}

void WindowsSetupPlatform::RecordFiles(const std::vector<std::wstring>& names) {
  std::wstring list;
  for (const std::wstring& name : names) list += name + L'\0';
  list.append(names.empty() ? 2 : 1, L'\0');
  RegKey key;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, kProductKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.out(), nullptr) ==
      ERROR_SUCCESS) {
    RegSetValueExW(key.get(), kFilesValue, 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(list.data()),
                   static_cast<DWORD>(list.size() * sizeof(wchar_t)));
  }
}

SetupPlatform::KeyDeletion WindowsSetupPlatform::DeleteKey(const std::wstring& parent, const std::wstring& name) {
  RegKey key;
  const LSTATUS opened = RegOpenKeyExW(HKEY_CURRENT_USER, JoinPath(parent, name).c_str(), 0, KEY_READ, key.out());
  if (opened == ERROR_FILE_NOT_FOUND) return KeyDeletion::kMissing;
  DWORD subkeys = 0;
  if (opened != ERROR_SUCCESS || RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr,
                                                  nullptr, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
    return KeyDeletion::kFailed;
  }
  if (subkeys > 0) return KeyDeletion::kHasSubkeys;
  const LSTATUS deleted = RegDeleteKeyW(HKEY_CURRENT_USER, JoinPath(parent, name).c_str());
  if (deleted == ERROR_SUCCESS) return KeyDeletion::kDeleted;
  return deleted == ERROR_FILE_NOT_FOUND ? KeyDeletion::kMissing : KeyDeletion::kFailed;
}

std::optional<unsigned long> WindowsSetupPlatform::RunAndWait(const std::wstring& program,
                                                              const std::wstring& command_line,
                                                              unsigned long timeout_ms) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWMINIMIZED;
  PROCESS_INFORMATION process{};
  std::wstring line = command_line;  // CreateProcessW may write into it
  if (!CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    return std::nullopt;
  }
  const UniqueObject thread(process.hThread);
  const UniqueObject running(process.hProcess);
  DWORD exit_code = 0;
  if (WaitForSingleObject(running.get(), timeout_ms) == WAIT_OBJECT_0 &&
      GetExitCodeProcess(running.get(), &exit_code)) {
    return exit_code;
  }
  return std::nullopt;
}

std::wstring WindowsSetupPlatform::SystemFolder() { return FromBuffer(GetSystemDirectoryW); }

std::wstring WindowsSetupPlatform::NativeSystemFolder() {
  BOOL wow64 = FALSE;
  if (!IsWow64Process(GetCurrentProcess(), &wow64) || !wow64) return {};
  // A 32-bit process sees System32 redirected; Sysnative is the 64-bit folder's alias.
  return JoinPath(FromBuffer(GetSystemWindowsDirectoryW), L"Sysnative");
}

std::wstring WindowsSetupPlatform::SetupFolder() { return NormalizedFolder(AppPath()); }

std::wstring RecordedFolder() {
  const std::optional<std::wstring> path = GetRegValue(HKEY_CURRENT_USER, kProductKey, L"Path");
  return path ? NormalizedFolder(*path) : std::wstring();
}

std::wstring AbsoluteFolder(const std::wstring& text) {
  const std::wstring folder = NormalizedFolder(text);
  if (folder.empty()) return folder;
  const DWORD size = GetFullPathNameW(folder.c_str(), 0, nullptr, nullptr);
  std::wstring full(size, L'\0');
  const DWORD length = GetFullPathNameW(folder.c_str(), size, full.data(), nullptr);
  if (length == 0 || length >= size) return folder;
  full.resize(length);
  return NormalizedFolder(full);
}

}  // namespace qv
