#pragma once
// The toolbar's backup: the active project's files in a new, dated ZIP archive in a folder beside
// the document or project file.
#include <functional>

#include "kit/zip_writer.h"

namespace qv {

// The local time now.
using BackupClock = std::function<ZipTime()>;

// Offers to save an unsaved project, then writes the archive to a temporary file in the backup
// folder and renames it into place (replacing an archive of the same second). The success message
// comes only after the rename; a failure shows the error box and leaves no archive and no
// temporary file.
void BackupProject(const BackupClock& now);
// With the system's clock.
void BackupProject();

}  // namespace qv
