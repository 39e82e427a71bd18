#include "dialogs/visual_style.h"

#include <windows.h>

#include <optional>
#include <string>

#include "addin/addin_state.h"
#include "addin/build_info.h"
#include "addin/connection.h"
#include "addin/entry_points.h"
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

VbError FileAccessError() { return VbError(75, L"Path/File access error"); }

std::wstring ManifestPath(const StyledHost& host) { return host.exe_path + L".MANIFEST"; }

std::string Read(const std::wstring& path) {
  std::optional<std::string> bytes = ReadFileBytes(path);
  if (!bytes) throw FileAccessError();
  return std::move(*bytes);
}

void Write(const std::wstring& path, const std::string& bytes) {
  if (!WriteFileBytes(path, bytes)) throw FileAccessError();
}

void Delete(const std::wstring& path) {
  if (!DeleteFileW(path.c_str())) throw FileAccessError();
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
      if (!CopyFileW(excel.c_str(), manifest.c_str(), TRUE)) throw FileAccessError();
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

void SetIDEStyleOf(const StyledHost& host, long style) {
  if (IDEStyleOf(host) == style) return;
  const std::wstring manifest = ManifestPath(host);
  if (style == 0 && !TurnOff(host, manifest)) return;
  if (style == 1 && !TurnOn(host, manifest)) return;
  AppMessage(L"Стиль интерфейса будеть изменятся после перезапуска программы", MB_ICONINFORMATION);
}

void SetIDEStyle(long style) { SetIDEStyleOf(RunningHost(), style); }

}  // namespace qv
