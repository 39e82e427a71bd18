#pragma once
// Where a project's backup goes: the folder beside the document or project file, and the archive's
// name with the date, the time and, for a Visual Basic 6.0 project, its version.
#include <string>
#include <string_view>

#include "kit/zip_writer.h"

namespace qv {

struct BackupNames {
  std::wstring folder;   // ends in "_backup\"
  std::wstring archive;  // the folder, then the archive's file name
};

// "yyyy-MM-dd_hh-mm-ss", 24-hour.
std::wstring BackupDateText(const ZipTime& time);

// "_", then for every MajorVer, MinorVer and RevisionVer line of the project file, in file order,
// the digits of its value and ".". Only digits are kept, so the name cannot leave its folder.
std::wstring VersionPart(std::wstring_view project_text);

// A document of the VBA editor, by its full file name: named after its file name up to the first ".".
BackupNames DocumentBackupNames(std::wstring_view document, const ZipTime& now);
// A Visual Basic 6.0 project: its file, its name and the file's text.
BackupNames ProjectBackupNames(std::wstring_view project_file, std::wstring_view project_name,
                               std::wstring_view project_text, const ZipTime& now);

// The entry name of a file in the archive: its name without folders.
std::wstring ArchiveEntryName(std::wstring_view path);

}  // namespace qv
