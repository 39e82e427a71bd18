#include "host/host_module_view.h"

namespace qv {

long HostModuleView::CountOfLines() const {
  if (!count_) count_ = module_.CountOfLines();
  return *count_;
}

std::wstring_view HostModuleView::Line(long line) const {
  if (line < 1 || line > CountOfLines()) return {};
  auto found = lines_.find(line);
  if (found == lines_.end()) found = lines_.emplace(line, module_.Lines(line, 1)).first;
  return found->second;
}

long HostModuleView::CountOfDeclarationLines() const { return module_.CountOfDeclarationLines(); }

std::wstring HostModuleView::ProcOfLine(long line, long& kind) const { return module_.ProcOfLine(line, kind); }

long HostModuleView::ProcBodyLine(std::wstring_view name, long kind) const { return module_.ProcBodyLine(name, kind); }

}  // namespace qv
