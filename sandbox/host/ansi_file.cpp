#include "sandbox/host/ansi_file.h"

#include <windows.h>

#include <fstream>

#include "kit/vb_error.h"

namespace sbx {

void WriteAnsiFile(const std::wstring& path, std::wstring_view text) {
  const int length =
      WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), bytes.data(), length, nullptr, nullptr);
  std::ofstream file(path.c_str(), std::ios::binary | std::ios::trunc);
  if (!file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()))) {
    throw qv::VbError(75, L"Ошибка доступа к пути/файлу");
  }
}

}  // namespace sbx
