#include "win/ansi_file.h"

#include <windows.h>

#include <string>

#include "win/code_page.h"
#include "win/unique_handle.h"

namespace qv {
namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

}  // namespace

std::optional<std::string> ReadFileBytes(const std::wstring& path) {
  const UniqueFile file(
      CreateFileW(path.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER size{};
  // The files read here are small; one beyond what an int counts is not one of them.
  if (!file.valid() || !GetFileSizeEx(file.get(), &size) || size.QuadPart > 0x7FFFFFFF) return std::nullopt;
  std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
  DWORD read = 0;
  if (!bytes.empty() && !ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) {
    return std::nullopt;
  }
  bytes.resize(read);
  return bytes;
}

bool WriteFileBytes(const std::wstring& path, std::string_view bytes) {
  UniqueFile file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return false;
  DWORD written = 0;
  const bool ok = WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                  written == bytes.size();
  return file.Close() && ok;
}

bool ReplaceFileBytes(const std::wstring& path, std::string_view bytes) {
  const std::wstring folder = path.substr(0, path.find_last_of(L'\\') + 1);
  wchar_t temporary[MAX_PATH];
  if (!GetTempFileNameW(folder.empty() ? L"." : folder.c_str(), L"qv", 0, temporary)) return false;
  if (WriteFileBytes(temporary, bytes) &&
      MoveFileExW(temporary, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return true;
  }
  DeleteFileW(temporary);
  return false;
}

bool ReplaceAnsiFile(const std::wstring& path, std::wstring_view text) {
  return ReplaceFileBytes(path, NarrowText(CP_ACP, text));
}

std::optional<std::wstring> ReadAnsiFile(const std::wstring& path) {
  const std::optional<std::string> bytes = ReadFileBytes(path);
  if (!bytes) return std::nullopt;
  if (bytes->empty()) return std::wstring();
  const int size = static_cast<int>(bytes->size());
  const int length = MultiByteToWideChar(CP_ACP, 0, bytes->data(), size, nullptr, 0);
  std::wstring text(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, bytes->data(), size, text.data(), length);
  return text;
}

bool WriteAnsiFile(const std::wstring& path, std::wstring_view text) { return WriteFileBytes(path, NarrowText(CP_ACP, text)); }

bool CreateIfMissing(const std::wstring& path) {
  // Only a missing file is created: an existing one is never opened for writing, so one that is
  // read-only, in a folder the user may not write, or held by another program still reads.
  const UniqueFile file(
      CreateFileW(path.c_str(), GENERIC_READ, kShareAll, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
  return file.valid() || GetLastError() == ERROR_FILE_EXISTS;
}

}  // namespace qv
