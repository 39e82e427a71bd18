#include "addin/backup.h"

#include <windows.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "addin/addin_state.h"
#include "addin/build_info.h"
#include "addin/connection.h"
#include "addin/session.h"
#include "codetools/include_directive.h"
#include "kit/backup_names.h"
#include "win/ansi_file.h"
#include "win/message_box.h"
#include "win/message_pump.h"
#include "win/unique_handle.h"

namespace qv {
namespace {

struct Backup {
  BackupNames names;
  std::vector<std::wstring> files;
};

// VB's "Path/File access error", naming the file.
VbError FileError(const std::wstring& path) { return VbError(75, L"Ошибка доступа к пути/файлу\r\n" + path); }

ZipTime FromSystemTime(const SYSTEMTIME& t) { return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond}; }

ZipTime LocalNow() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return FromSystemTime(now);
}

// The file's last change in local time, as archivers stamp an entry; `fallback` when unknown.
ZipTime LastWriteTime(const std::wstring& path, const ZipTime& fallback) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  FILETIME local;
  SYSTEMTIME time;
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) ||
      !FileTimeToLocalFileTime(&data.ftLastWriteTime, &local) || !FileTimeToSystemTime(&local, &time))
    return fallback;
  return FromSystemTime(time);
}

// The VBA editor: the document of the project's first component; nothing while it was never saved.
std::optional<Backup> DocumentBackup(const VBProject& project, const ZipTime& now) {
  const Properties properties = project.VBComponents().Item(1).Properties();
  const std::wstring path = properties.Value(L"Path");
  if (path.empty()) return std::nullopt;
  const std::wstring document = JoinPath(path, properties.Value(L"Name"));
  return Backup{DocumentBackupNames(document, now), {document}};
}

// The Visual Basic 6.0 IDE: the project file and every file of its components.
std::optional<Backup> ProjectBackup(const VBProject& project, const ZipTime& now) {
  const std::wstring file = project.FileName();
  if (file.empty()) return std::nullopt;
  const std::optional<std::wstring> text = ReadAnsiFile(file);
  if (!text) throw FileError(file);
  Backup backup{ProjectBackupNames(file, project.Name(), *text, now), {file}};
  const VBComponents components = project.VBComponents();
  for (long i = 1, count = components.Count(); i <= count; ++i) {
    const VBComponent component = components.Item(i);
    for (long k = 1, files = component.FileCount(); k <= files; ++k) {
      std::wstring name = component.FileNames(k);
      if (!name.empty()) backup.files.push_back(std::move(name));
    }
  }
  return backup;
}

class FileSink : public ByteSink {
 public:
  explicit FileSink(HANDLE file) : file_(file) {}
  bool Write(std::string_view bytes) override {
    while (!bytes.empty()) {
      const auto chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 24));
      DWORD written = 0;
      if (!WriteFile(file_, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
      bytes.remove_prefix(written);
    }
    return true;
  }

 private:
  HANDLE file_;
};

// A file in the backup folder that the archive is written to; removed unless it was renamed into
// place, so a failed backup leaves nothing behind.
class TemporaryArchive {
 public:
  explicit TemporaryArchive(const std::wstring& folder) {
    wchar_t name[MAX_PATH];
    if (!GetTempFileNameW(folder.c_str(), L"qv", 0, name)) throw FileError(folder);
    path_ = name;
    file_ = UniqueFile(CreateFileW(name, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file_.valid()) {
      DeleteFileW(name);
      throw FileError(path_);
    }
  }
  TemporaryArchive(const TemporaryArchive&) = delete;
  TemporaryArchive& operator=(const TemporaryArchive&) = delete;
  ~TemporaryArchive() {
    file_.Close();
    if (!path_.empty()) DeleteFileW(path_.c_str());
  }

  HANDLE file() const { return file_.get(); }
  void MoveTo(const std::wstring& archive) {
    const bool closed = file_.Close();
    if (!closed || !MoveFileExW(path_.c_str(), archive.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
      throw FileError(archive);
    path_.clear();
  }

 private:
  std::wstring path_;
  UniqueFile file_;
};

void WriteArchive(const Backup& backup, const ZipTime& now) {
  TemporaryArchive temporary(backup.names.folder);
  FileSink sink(temporary.file());
  ZipWriter writer(sink);
  for (const std::wstring& file : backup.files) {
    const std::optional<std::string> data = ReadFileBytes(file);
    if (!data) throw FileError(file);
    if (!writer.Add(ArchiveEntryName(file), *data, LastWriteTime(file, now))) throw FileError(backup.names.archive);
  }
  if (!writer.Finish()) throw FileError(backup.names.archive);
  temporary.MoveTo(backup.names.archive);
}

}  // namespace

void BackupProject(const BackupClock& now) {
  const HWND owner = HostMainWindow();
  const wchar_t* title = Build().AppTitle;
  try {
    const VBProject project = VBInstance().ActiveVBProject();
    if (!project) return;
    if (!project.Saved()) {
      const int answer = ShowMessageBox(owner, L"Сохранить проект?", title, MB_YESNOCANCEL | MB_ICONQUESTION);
      if (answer == IDCANCEL) return;
      if (answer == IDYES) {
        Bars().SaveProjectControl.Execute();
        DispatchPendingMessages();  // lets the host finish what its save command started
      }
    }
    const ZipTime time = now();
    const std::optional<Backup> backup = State().IsVBA ? DocumentBackup(project, time) : ProjectBackup(project, time);
    if (!backup) return;
    CreateDirectoryW(backup->names.folder.c_str(), nullptr);  // it may exist already
    WriteArchive(*backup, time);
    ShowMessageBox(owner, L"Архивация прошло успешно!", title, MB_OK | MB_ICONINFORMATION);
  } catch (const VbError& error) {
    ShowMessageBox(owner, error.description, title, MB_OK);
  } catch (const std::exception&) {
    ShowMessageBox(owner, InvalidCallError().description, title, MB_OK);
  }
}

void BackupProject() { BackupProject(LocalNow); }

}  // namespace qv
