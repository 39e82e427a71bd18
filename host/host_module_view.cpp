#include "host/host_module_view.h"

#include <algorithm>

namespace qv {

long HostModuleView::CountOfLines() const {
  if (!count_) count_ = module_.CountOfLines();
  return *count_;
}

std::wstring_view HostModuleView::Line(long line) const {
  if (line < 1 || line > CountOfLines()) return {};
  const long first = (line - 1) / kWindow * kWindow + 1;
  auto found = windows_.find(first);
  if (found == windows_.end()) {
    const long count = std::min(kWindow, CountOfLines() - first + 1);
    found = windows_.emplace(first, ModuleText(module_.Lines(first, count))).first;
  }
  return found->second.Line(line - first + 1);
}

long HostModuleView::CountOfDeclarationLines() const { return module_.CountOfDeclarationLines(); }

std::wstring HostModuleView::ProcOfLine(long line, long& kind) const { return module_.ProcOfLine(line, kind); }

long HostModuleView::ProcBodyLine(std::wstring_view name, long kind) const { return module_.ProcBodyLine(name, kind); }

}  // namespace qv
