#include "dialogs/interface_language.h"

#include <windows.h>

#include <shellapi.h>

#include "addin/addin_state.h"
#include "addin/build_info.h"
#include "addin/connection.h"
#include "dialogs/app_message.h"
#include "kit/collection_helpers.h"
#include "kit/vb_error.h"
#include "kit/vb_strings.h"
#include "win/ansi_file.h"
#include "win/code_page.h"
#include "win/environment.h"
#include "win/files.h"
#include "win/registry.h"

namespace qv {
namespace {

constexpr wchar_t kBatchName[] = L"ChangeLanguageIDE.bat";

// Where the volume keeps 8.3 names, the short form keeps letters of other alphabets out of the batch.
std::wstring ShortPath(const std::wstring& path) {
  std::wstring short_path(GetShortPathNameW(path.c_str(), nullptr, 0), L'\0');
  if (short_path.empty()) return path;
  short_path.resize(GetShortPathNameW(path.c_str(), short_path.data(), static_cast<DWORD>(short_path.size())));
  return short_path.empty() ? path : short_path;
}

}  // namespace

LanguageTarget VbaLanguageTarget(const std::optional<std::wstring>& runtime_path, std::wstring_view program_files,
                                 std::wstring_view version) {
  const std::wstring base = runtime_path ? GetDirectory(*runtime_path)
                                         : std::wstring(program_files) + L"\\Common Files\\Microsoft Shared\\VBA";
  const std::wstring generation(version.substr(0, 1));
  return {base + L"\\VBA" + generation + L"\\1049\\", L"VBE" + generation + L"INTL.DLL"};
}

LanguageTarget Vb6LanguageTarget(std::wstring_view full_name) { return {GetDirectory(full_name) + L"\\", L"VB6IDE.DLL"}; }

std::wstring LanguageBatch(std::wstring_view source, std::wstring_view file) {
  const std::wstring target(file);
  return L"@echo off\r\n"
         L":try\r\n"
         L"del " + target + L"\r\n"
         L"if exist " + target + L" goto try\r\n"
         L"copy \"" + std::wstring(source) + L"\", " + target + L"\r\n"
         L"del " + kBatchName + L"\r\n";
}

std::optional<std::wstring> LanguageSource(std::wstring_view folder, std::wstring_view file) {
  if (file.find_first_of(L"\\/:") != std::wstring_view::npos || file.find(L"..") != std::wstring_view::npos) {
    return std::nullopt;
  }
  return std::wstring(folder) + L"Languages\\" + std::wstring(file);
}

bool ReplaceLanguageLibrary(const std::wstring& source, const LanguageTarget& target, bool is_vba, HWND owner) {
  if (!FileExists(source)) return false;
  if (!FileExists(target.folder + target.file)) {
    AppMessage(owner, L"Невозможно определить путь к VBA", MB_OK);
    return false;
  }
  // The command interpreter reads a batch in the OEM code page.
  const std::optional<std::string> lines = ExactNarrowText(CP_OEMCP, LanguageBatch(source, target.file));
  if (!lines) {
    AppMessage(owner, L"Путь к файлу языка нельзя записать в командный файл, язык интерфейса не изменён:\r\n" + source,
               MB_ICONEXCLAMATION);
    return false;
  }
  const std::wstring batch = target.folder + kBatchName;
  if (!WriteFileBytes(batch, *lines)) throw PathFileAccessError(batch);
  ShellExecuteW(owner, nullptr, batch.c_str(), nullptr, target.folder.c_str(), SW_HIDE);
  AppMessage(owner,
             std::wstring(L"Язык интерфейса будеть изменятся после перезапуска программы.\r\n"
                          L"Чтобы изменение вступили в силу закройте все окна ") +
                 (is_vba ? L"VBA и приложения Office." : L"VB."),
             MB_ICONINFORMATION);
  return true;
}

bool ChangeLanguageIDE(const std::wstring& name, HWND owner) {
  try {
    const std::optional<std::wstring> source = LanguageSource(AppPath(), GetItem(&State().LanguageFiles, name));
    if (!source) return false;
    const bool is_vba = Build().IsVBA;
    const LanguageTarget target =
        is_vba ? VbaLanguageTarget(GetRegValue(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Shared Tools\\mso97rt", L"Path"),
                                   EnvironmentVariable(L"programfiles"), VBInstance().Version())
               : Vb6LanguageTarget(VBInstance().FullName());
    return ReplaceLanguageLibrary(ShortPath(*source), target, is_vba, owner);
  } catch (const VbError& error) {
    AppMessage(owner, error.description, MB_ICONEXCLAMATION);
    return false;
  }
}

}  // namespace qv
