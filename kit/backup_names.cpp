#include "kit/backup_names.h"

#include <cstdio>
#include <algorithm>

#include "kit/case_fold.h"
#include "kit/vb_strings.h"

namespace qv {
namespace {

BackupNames Names(std::wstring_view stem, std::wstring_view base, const ZipTime& now, std::wstring_view version) {
  BackupNames names;
  names.folder = std::wstring(stem) + L"_backup\\";
  names.archive = names.folder + std::wstring(base) + L"_" + BackupDateText(now) + std::wstring(version) + L"zip";
  return names;
}

}  // namespace

std::wstring BackupDateText(const ZipTime& time) {
  wchar_t text[32];
  std::swprintf(text, 32, L"%04d-%02d-%02d_%02d-%02d-%02d", time.year, time.month, time.day, time.hour, time.minute,
                time.second);
  return text;
}

std::wstring VersionPart(std::wstring_view project_text) {
  std::wstring part = L"_";
  while (!project_text.empty()) {
    const std::size_t end = std::min(project_text.find_first_of(L"\r\n"), project_text.size());
    const std::wstring_view line = project_text.substr(0, end);
    project_text.remove_prefix(std::min(end + 1, project_text.size()));
    for (std::wstring_view key : {L"MajorVer=", L"MinorVer=", L"RevisionVer="}) {
      if (!StartsWith(line, key)) continue;
      for (wchar_t c : line.substr(key.size()))
        if (c >= L'0' && c <= L'9') part += c;
      part += L'.';
    }
  }
  return part;
}

BackupNames DocumentBackupNames(std::wstring_view document, const ZipTime& now) {
  const std::size_t name = document.find_last_of(L"\\/") + 1;
  const std::wstring_view base = document.substr(name, document.find(L'.', name) - name);
  return Names(document.substr(0, name + base.size()), base, now, L".");
}

BackupNames ProjectBackupNames(std::wstring_view project_file, std::wstring_view project_name,
                               std::wstring_view project_text, const ZipTime& now) {
  std::wstring_view stem = project_file;
  if (EndsWith(FoldCase(project_file), L".vbp")) stem.remove_suffix(4);
  std::wstring version = VersionPart(project_text);
  // Without version lines the name still ends in ".zip".
  if (!EndsWith(version, L".")) version += L'.';
  return Names(stem, project_name, now, version);
}

std::wstring ArchiveEntryName(std::wstring_view path) { return std::wstring(path.substr(path.find_last_of(L"\\/") + 1)); }

}  // namespace qv
