#pragma once
// A project on disk as each host keeps one. The Visual Basic 6.0 IDE: a project file (its
// components, name and version lines) and one file per component beside it. The VBA editor: the
// document the project lives in, which the sandbox writes as the text of its modules one after the
// other (the real document's format belongs to the Office program and nothing here reads it).
#include <string>

namespace sbx {

class HostState;
class ProjectObject;

// Writes the project to `path` (VB6: the project file; VBA: the document) and points FileName, and
// in VB6 every component's FileNames, at what was written. A VB6 component without a file gets one
// beside the project file, named after it. Raises qv::VbError 75 when a file cannot be written.
void WriteProject(const HostState& state, ProjectObject& project, const std::wstring& path);

}  // namespace sbx
