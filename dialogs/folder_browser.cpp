#include "dialogs/folder_browser.h"

#include <shlobj.h>

#include "dialogs/prompts.h"

namespace qv {
namespace {

// shell32's path-to-ID-list function, exported by ordinal only on older systems; on the NT family
// it takes a wide string. mingw's headers do not declare it.
using SimpleIdListFromPath = PIDLIST_ABSOLUTE(WINAPI*)(PCWSTR path);
constexpr WORD kSimpleIdListFromPathOrdinal = 162;

// An ID list the shell allocated, freed with the task allocator.
class IdList {
 public:
  explicit IdList(PIDLIST_ABSOLUTE list) : list_(list) {}
  IdList(const IdList&) = delete;
  IdList& operator=(const IdList&) = delete;
  ~IdList() { CoTaskMemFree(list_); }
  PIDLIST_ABSOLUTE get() const { return list_; }

 private:
  PIDLIST_ABSOLUTE list_;
};

PIDLIST_ABSOLUTE RootOf(std::wstring_view start_folder) {
  const std::wstring folder(start_folder);
  const DWORD attributes = GetFileAttributesW(folder.c_str());
  if (folder.empty() || attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    return nullptr;
  }
  const FARPROC found = GetProcAddress(GetModuleHandleW(L"shell32.dll"), MAKEINTRESOURCEA(kSimpleIdListFromPathOrdinal));
  if (!found) return nullptr;
  return reinterpret_cast<SimpleIdListFromPath>(reinterpret_cast<void (*)()>(found))(folder.c_str());
}

}  // namespace

std::wstring tsTrimNull(std::wstring_view text) { return std::wstring(text.substr(0, text.find(L'\0'))); }

std::wstring tsGetPathFromUser(HWND owner, UINT flags, std::wstring_view title, std::wstring_view start_folder) {
  const IdList root(RootOf(start_folder));
  const std::wstring title_text(title);
  BROWSEINFOW info{};
  info.hwndOwner = owner;
  info.pidlRoot = root.get();
  info.lpszTitle = title_text.c_str();
  info.ulFlags = flags;
  const IdList chosen(SHBrowseForFolderW(&info));
  std::wstring path(MAX_PATH, L'\0');
  if (!chosen.get() || !SHGetPathFromIDListW(chosen.get(), path.data())) return {};
  return tsTrimNull(path);
}

std::wstring GetDir(HWND owner, std::wstring_view caption, std::wstring_view dflt) {
  std::wstring path = CurrentPrompts().PickFolder(owner, BIF_RETURNONLYFSDIRS, caption, dflt);
  if (path.empty()) return std::wstring(dflt);
  if (path.back() != L'\\') path += L'\\';
  return path;
}

}  // namespace qv
