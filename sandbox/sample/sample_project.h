#pragma once
// The sample project that `make run` opens and the tests back up: a standard module with a monthly
// report, one of string helpers, a class and a form. It lives on disk as the personality keeps a
// project: in the Visual Basic 6.0 IDE "Sample.vbp" with one file per component, in the VBA editor
// the document "Sample.xls".
#include <string>

namespace sbx {

class Host;
class ProjectObject;

// Writes the sample into `folder` (created when missing; the files of an earlier run are replaced)
// and opens it: the form's designer, then the code windows of TextTools and Main, Main active.
// Raises qv::VbError when a file cannot be written.
ProjectObject& OpenSampleProject(Host& host, const std::wstring& folder);

}  // namespace sbx
