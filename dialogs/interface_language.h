#pragma once
// The host's interface language: its interface library replaced by one of the add-in's Languages
// folder. The library in use cannot be replaced while the host runs, so a hidden batch file beside
// it waits until it can be deleted, copies the new one in and deletes itself.
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace qv {

// The host's interface library: its folder, ending in "\", and its file name.
struct LanguageTarget {
  std::wstring folder;
  std::wstring file;
};

// The VBA editor's: under the folder of the shared VBA runtime's registered path, else under the
// programs folder's Common Files; the version's first character names the VBA generation.
LanguageTarget VbaLanguageTarget(const std::optional<std::wstring>& runtime_path, std::wstring_view program_files,
                                 std::wstring_view version);
// The Visual Basic 6.0 IDE's: beside its program.
LanguageTarget Vb6LanguageTarget(std::wstring_view full_name);

// The batch's six lines, run in the target's folder.
std::wstring LanguageBatch(std::wstring_view source, std::wstring_view file);

// The library `file` of the Languages folder under `folder` (ending in "\"); nothing for an entry of
// Languages.ini that is not a bare file name, which could lead out of that folder.
std::optional<std::wstring> LanguageSource(std::wstring_view folder, std::wstring_view file);

// Writes and starts the batch that puts `source` in place of the target and tells the user. False
// and nothing shown for a missing source; false and a message for a missing target, and for a source
// path that the batch's code page cannot hold. A batch that cannot be written raises VbError 75. The
// messages are owned by `owner`.
bool ReplaceLanguageLibrary(const std::wstring& source, const LanguageTarget& target, bool is_vba, HWND owner);

// The options dialog's Apply: the library of the language `name` (a key of LanguageFiles) for the
// running host. A failure is shown in a message box owned by `owner` and gives false.
bool ChangeLanguageIDE(const std::wstring& name, HWND owner);

}  // namespace qv
