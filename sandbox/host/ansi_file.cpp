#include "sandbox/host/ansi_file.h"

#include "kit/vb_error.h"
#include "win/ansi_file.h"

namespace sbx {

void WriteAnsiFile(const std::wstring& path, std::wstring_view text) {
  if (!qv::WriteAnsiFile(path, text)) throw qv::PathFileAccessError(path);
}

}  // namespace sbx
