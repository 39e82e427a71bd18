#include "dialogs/visual_style.h"

#include <windows.h>

#include <optional>
#include <string>

#include "addin/addin_state.h"
#include "addin/build_info.h"
#include "addin/connection.h"
#include "dialogs/app_message.h"
#include "kit/style_manifest.h"
#include "kit/vb_error.h"
#include "kit/vb_strings.h"
#include "win/ansi_file.h"
#include "win/files.h"

namespace qv {
namespace {

// The host's own bitness: a manifest for another architecture keeps the host from starting.
constexpr const char* kArchitecture = sizeof(void*) == 8 ? "amd64" : "x86";

std::wstring ManifestPath(const StyledHost& host) { return host.exe_path + L".MANIFEST"; }

std::string Read(const std::wstring& path) {
  std::optional<std::string> bytes = ReadFileBytes(path);
  if (!bytes) throw PathFileAccessError(path);
  return std::move(*bytes);
}

// Never rewritten in place: a short write would leave a manifest the host cannot start with.
void Write(const std::wstring& path, const std::string& bytes) {
  if (!ReplaceFileBytes(path, bytes)) throw PathFileAccessError(path);
}

void Delete(const std::wstring& path) {
  if (!DeleteFileW(path.c_str())) throw PathFileAccessError(path);
}

// False when the style stays as it is and the user is told nothing.
bool TurnOff(const StyledHost& host, const std::wstring& manifest) {
  if (!host.is_vba) {
    Delete(manifest);
    return true;
  }
  const std::string bytes = Read(manifest);
  if (IsOwnManifest(bytes)) {
    Delete(manifest);
    return true;
  }
  const std::optional<std::string> cut = WithoutStyle(bytes);
  if (!cut) return false;
  Write(manifest, *cut);
  return true;
}

bool TurnOn(const StyledHost& host, const std::wstring& manifest) {
  if (host.is_vba) {
    // Excel's own manifest styles a host that has none yet; a manifest of the host's own is kept,
    // and Excel's is never copied onto itself.
    const std::wstring excel = GetDirectory(manifest) + L"\\EXCEL.EXE.MANIFEST";
    if (!FileExists(manifest) && FileExists(excel)) {
      Write(manifest, Read(excel));
      if (IDEStyleOf(host) == 1) return false;
    }
  }
  if (!FileExists(manifest)) {
    Write(manifest, NewStyleManifest(kArchitecture));
    return true;
  }
  const std::optional<std::string> styled = WithStyle(Read(manifest), kArchitecture);
  if (!styled) return false;
  Write(manifest, *styled);
  return true;
}

// The Visual Basic 6.0 IDE names its program; the VBA editor runs inside its host's.
StyledHost RunningHost() { return {Build().IsVBA, Build().IsVBA ? GetHostExePath() : VBInstance().FullName()}; }

}  // namespace

std::wstring GetHostExePath() { return ModuleFileName(nullptr); }

short IDEStyleOf(const StyledHost& host) {
  const std::wstring manifest = ManifestPath(host);
  if (!FileExists(manifest)) return 0;
  if (!host.is_vba) return 1;
  return HasCommonControls(Read(manifest)) ? 1 : 0;
}

short GetIDEStyle() { return IDEStyleOf(RunningHost()); }

void SetIDEStyleOf(const StyledHost& host, long style, HWND owner) {
  if (IDEStyleOf(host) == style) return;
  const std::wstring manifest = ManifestPath(host);
  if (style == 0 && !TurnOff(host, manifest)) return;
  if (style == 1 && !TurnOn(host, manifest)) return;
  AppMessage(owner, L"Стиль интерфейса будеть изменятся после перезапуска программы", MB_ICONINFORMATION);
}

void SetIDEStyle(long style, HWND owner) { SetIDEStyleOf(RunningHost(), style, owner); }

}  // namespace qv
